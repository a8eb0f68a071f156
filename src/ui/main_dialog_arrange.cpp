// The main window's arrangement commands over the target list, and the change of filter in the
// combo box with the automatic arrangement it may trigger.
#include <cstdint>

#include "arrange/arrange.h"
#include "res/resource.h"
#include "targets/filter.h"
#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {
constexpr std::int32_t kAutoCascade = 2;
constexpr std::int32_t kAutoTile = 3;
// Between minimising the others and arranging the new selection.
constexpr std::uint32_t kAutoMinimizePauseMs = 250;
constexpr wchar_t kCaption[] = L"Tandrel";

std::wstring CloseQuestion(std::size_t count, std::wstring_view filterName) {
    return L"End the " + std::to_wstring(count) + (count == 1 ? L" terminal" : L" terminals") +
           L" of filter " + std::wstring(filterName) + L"?";
}
}  // namespace

void CMainDialog::CascadeTargets() {
    const int step = platform.windows.Metric(sm::kCySize);
    CollectTargets();
    std::vector<MissedTarget> missed;
    CascadeWindows(platform.windows, TargetList, step, settings.cascadeWidth, settings.cascadeHeight,
                   [&](WindowId w) { missed.push_back(Missed(w, MissReason::kNoAnswer)); });
    ReportMissed(L"the cascade", missed);
    RestoreCommandFocus();
}

void CMainDialog::TileTargets() {
    CollectTargets();
    std::vector<MissedTarget> missed;
    TileWindows(platform.windows, TargetList,
                [&](WindowId w) { missed.push_back(Missed(w, MissReason::kNoAnswer)); });
    ReportMissed(L"the tiling", missed);
    RestoreCommandFocus();
}

bool CMainDialog::PlaceTarget(WindowId target, int x, int y, int width, int height, const Rect* cell) {
    return PlaceWindow(platform.windows, target, x, y, width, height, cell);
}

void CMainDialog::MinimizeTargets(std::wstring_view definition) {
    CollectTargets(definition);
    MinimizeWindows(platform.windows, TargetList);
    RestoreCommandFocus();
}

void CMainDialog::HideTargets() {
    CollectTargets();
    HideWindows(platform.windows, TargetList);
    RestoreCommandFocus();
}

void CMainDialog::CloseTargets() {
    CollectTargets();
    if (TargetList.empty())
        return;
    // Nothing is ended without the operator's yes; with no window to ask from, nobody said it.
    if (host == nullptr)
        return;
    // No is the default: a stray Enter ends nothing.
    if (host->ShowMessageBox(CloseQuestion(TargetList.size(), GetFilterName(FilterInForce())), kCaption,
                             mb::kYesNo | mb::kIconExclamation | mb::kDefButton2) != mb::kIdYes)
        return;
    EndTargetProcesses(platform.windows, TargetList);
}

void CMainDialog::UnhideTargetsAtExit() {
    isExiting = true;  // never cleared again: from here on every collection takes every terminal
    if (settings.unhideOnExit == 0)
        return;
    CollectTargets();
    UnhideWindows(platform.windows, TargetList);
}

void CMainDialog::FilterSelectionChanged() {
    // The combo box is the only way the selected filter changes. A combo box without a
    // selection (or one naming no filter) leaves the selection as it was.
    if (host != nullptr) {
        const int selection = host->ListSelection(IDC_FILTER_COMBO);
        if (selection >= 0 && static_cast<std::size_t>(selection) < filterList.size())
            selectedFilter = selection;
    }

    if (settings.autoArrange == kAutoCascade || settings.autoArrange == kAutoTile) {
        if (settings.autoMinimize != 0) {
            // The windows of the first filter are minimised first: with the built-in first
            // filter, every terminal window.
            MinimizeTargets(FilterInForce(0));
            platform.clock.Sleep(kAutoMinimizePauseMs);
        }
        if (settings.autoArrange == kAutoCascade)
            CascadeTargets();
        else
            TileTargets();
    }
    UpdateSendTip();
    RestoreCommandFocus();
}

}  // namespace tandrel
