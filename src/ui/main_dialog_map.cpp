// The main window's message map: every control, tray command and window message it handles.
#include "ui/filters_action.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {
namespace {

using M = CMainDialog;
constexpr int kAny = -1;
constexpr int kClicked = notify::kButtonClicked;

template <void (M::*F)()>
CDialog::MapEntry Command(int id, int code = kClicked) {
    return {DialogEvent::kCommand, id, code, &Bind<M, F>};
}

}  // namespace

void CMainDialog::OnSend() {
    SubmitCommand(commandBox.GetCommandText(), false);
    ReportNoTarget();
}

void CMainDialog::OnInsertCtrl() {
    commandBox.InsertAtCaret(L"{%CTRL%}");
    host->FocusItem(mainid::kCommandBox);
}

void CMainDialog::OnInsertInc() {
    commandBox.InsertAtCaret(L"{%INC%}");
    host->FocusItem(mainid::kCommandBox);
}

void CMainDialog::OnFilters() {
    OpenFiltersDialog(*this, *host);
}

void CMainDialog::OnHelp() {
    OpenHomePage(platform.shell);
}

const std::vector<CDialog::MapEntry>& CMainDialog::MessageMap() const {
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, kAny, kAny,
         [](CDialog& d, int, int, std::uintptr_t) { return static_cast<M&>(d).OnInitDialog(); }},
        {DialogEvent::kSysCommand, kAny, kAny,
         [](CDialog& d, int, int, std::uintptr_t command) {
             return static_cast<M&>(d).OnSysCommand(command);
         }},
        {DialogEvent::kUser, kAny, kAny,
         [](CDialog& d, int message, int, std::uintptr_t lParam) {
             static_cast<M&>(d).OnUserMessage(static_cast<std::uint32_t>(message),
                                              static_cast<std::intptr_t>(lParam));
             return true;
         }},
        {DialogEvent::kHelp, kAny, kAny, &Bind<M, &M::OnHelp>},
        Command<&M::FilterSelectionChanged>(mainid::kFilterCombo, notify::kComboSelChange),
        Command<&M::CascadeTargets>(mainid::kCascade),
        Command<&M::CascadeTargets>(mainid::kTrayCascade),
        Command<&M::TileTargets>(mainid::kTile),
        Command<&M::TileTargets>(mainid::kTrayTile),
        Command<&M::MinimizeTargets>(mainid::kMinimize),
        Command<&M::MinimizeTargets>(mainid::kTrayMinimize),
        Command<&M::HideTargets>(mainid::kHide),
        Command<&M::HideTargets>(mainid::kTrayHide),
        Command<&M::CloseTargets>(mainid::kClose),
        Command<&M::OnFilters>(mainid::kFilters),
        Command<&M::ToggleReturn>(mainid::kReturnToggle),
        Command<&M::HistoryOlder>(mainid::kHistoryOlder),
        Command<&M::HistoryNewer>(mainid::kHistoryNewer),
        Command<&M::HistoryClear>(mainid::kHistoryClear),
        Command<&M::OnInsertCtrl>(mainid::kCtrl),
        Command<&M::OnInsertInc>(mainid::kInc),
        Command<&M::OnSend>(mainid::kSend),
        Command<&M::OnPassword>(mainid::kPassword),
        Command<&M::OnScript>(mainid::kScript),
        Command<&M::OnPreferences>(mainid::kPreferences),
        Command<&M::OnPreferences>(mainid::kTrayPreferences),
        Command<&M::OpenFromTray>(mainid::kTrayOpen),
        Command<&M::ShowAbout>(mainid::kTrayAbout),
        Command<&M::OnCheckForUpdates>(mainid::kTrayCheckForUpdates),
        Command<&M::ShowTargets>(mainid::kTrayShowTargets),
        Command<&M::ToggleTypeInBackground>(mainid::kTrayTypeInBackground),
        Command<&M::OnOpenSessions>(mainid::kTrayOpenSessions),
        Command<&M::OnExit>(mainid::kTrayExit),
        Command<&M::OnCloseBox>(mb::kIdCancel),
        // Last: the quick-key buttons, each sending its fixed keys.
        {DialogEvent::kCommand, kAny, kClicked,
         [](CDialog& d, int id, int, std::uintptr_t) { return static_cast<M&>(d).OnQuickKey(id); }},
    };
    return map;
}

}  // namespace tandrel
