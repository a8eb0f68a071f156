#include "ui/targets_dialog.h"

#include <string>

#include "platform/diagnostics.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {

using D = CTargetsDialog;

bool RowEvent(CDialog& self, int, int code, std::uintptr_t row) {
    auto& d = static_cast<D&>(self);
    if (code == notify::kRowDblClk)
        d.OnRowDoubleClicked(static_cast<int>(row));
    else
        d.OnRowTicked(static_cast<int>(row), code == notify::kRowTicked);
    return true;
}

}  // namespace

const std::vector<CDialog::MapEntry>& CTargetsDialog::MessageMap() const {
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &Bind<D, &D::OnInitDialog>},
        {DialogEvent::kTimer, kRefreshTimer, -1, &Bind<D, &D::Refresh>},
        {DialogEvent::kCommand, kList, notify::kRowTicked, &RowEvent},
        {DialogEvent::kCommand, kList, notify::kRowUnticked, &RowEvent},
        {DialogEvent::kCommand, kList, notify::kRowDblClk, &RowEvent},
        {DialogEvent::kCommand, IDC_CLOSE, notify::kButtonClicked, &Bind<D, &D::OnCancel>},
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &Bind<D, &D::OnCancel>},
    };
    return map;
}

void CTargetsDialog::OnInitDialog() {
    host->SetListColumns(kList, {{L"#", 26}, {L"Title", 110}, {L"Window", 40}, {L"Last delivery", 100}});
    if (const std::optional<WindowPlace> place = main_.TargetsWindowPlace())
        host->MoveWindowTo(place->x, place->y);
    Refresh();
    host->StartTimer(kRefreshTimer, kRefreshMs);
}

void CTargetsDialog::Refresh() {
    if (host == nullptr)
        return;
    rows_ = main_.CollectCandidates();
    std::vector<ListRow> rows;
    rows.reserve(rows_.size());
    IWindowSystem& windows = main_.platform.windows;
    int number = 0;
    for (WindowId w : rows_) {
        const bool ticked = main_.targetChoice.IsTicked(w);
        const wchar_t* state = !windows.IsVisible(w)    ? L"hidden"
                               : windows.IsMinimized(w) ? L"minimised"
                                                        : L"shown";
        rows.push_back({{ticked ? std::to_wstring(++number) : L"", main_.TitleOf(w), state,
                         main_.LastDeliveryOutcome(w)},
                        ticked});
    }
    host->SetListRows(kList, rows);
}

void CTargetsDialog::OnRowTicked(int row, bool ticked) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    const WindowId w = rows_[static_cast<std::size_t>(row)];
    // The rows' own updates report their check boxes too: only a change of the choice counts.
    if (main_.targetChoice.IsTicked(w) == ticked)
        return;
    main_.targetChoice.SetTicked(w, ticked);
    Refresh();
    main_.UpdateSendTip();
}

void CTargetsDialog::OnRowDoubleClicked(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    const WindowId w = rows_[static_cast<std::size_t>(row)];
    IWindowSystem& windows = main_.platform.windows;
    if (!windows.IsVisible(w) || windows.IsMinimized(w))
        windows.Show(w, sw::kRestore);
    windows.BringToForeground(w);
}

void CTargetsDialog::OnCancel() {
    if (host == nullptr)
        return;
    const Rect place = host->WindowRect();
    main_.RememberTargetsWindowPlace({place.left, place.top});
    host->StopTimer(kRefreshTimer);
    host->EndDialog(mb::kIdCancel);
}

}  // namespace tandrel
