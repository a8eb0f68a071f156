// The main window's message map: every control, tray command and window message it handles.
#include "broadcast/quick_keys.h"
#include "ui/filters_action.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {
namespace {

using M = CMainDialog;
constexpr int kAny = -1;
constexpr int kClicked = notify::kButtonClicked;

// A command that runs in turn: after the one under way, if any (RunInTurn).
template <void (M::*F)()>
CDialog::MapEntry Command(int id, int code = kClicked) {
    return {DialogEvent::kCommand, id, code, [](CDialog& d, int, int, std::uintptr_t) {
                auto& m = static_cast<M&>(d);
                m.RunInTurn([&m] { (m.*F)(); });
                return true;
            }};
}

// A command that changes only the command box, run at once even while another is under way.
template <void (M::*F)()>
CDialog::MapEntry EditCommand(int id) {
    return {DialogEvent::kCommand, id, kClicked, &Bind<M, F>};
}

// A command of the tray menu. With the main window hidden there, the menu gave that hidden window
// the foreground to run in; once the command is done the keyboard goes where the operator can see.
template <void (M::*F)()>
CDialog::MapEntry TrayCommand(int id) {
    return {DialogEvent::kCommand, id, kClicked, [](CDialog& d, int, int, std::uintptr_t) {
                M& m = static_cast<M&>(d);
                m.RunInTurn([&m] {
                    (m.*F)();
                    m.GiveAwayAHiddenForeground();
                });
                return true;
            }};
}

}  // namespace

void CMainDialog::OnSend() {
    SubmitCommand(commandBox.GetCommandText(), false);
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
        TrayCommand<&M::CascadeTargets>(mainid::kTrayCascade),
        Command<&M::TileTargets>(mainid::kTile),
        TrayCommand<&M::TileTargets>(mainid::kTrayTile),
        Command<&M::MinimizeTargets>(mainid::kMinimize),
        TrayCommand<&M::MinimizeTargets>(mainid::kTrayMinimize),
        Command<&M::HideTargets>(mainid::kHide),
        TrayCommand<&M::HideTargets>(mainid::kTrayHide),
        Command<&M::CloseTargets>(mainid::kClose),
        Command<&M::OnFilters>(mainid::kFilters),
        Command<&M::ToggleReturn>(mainid::kReturnToggle),
        EditCommand<&M::HistoryOlder>(mainid::kHistoryOlder),
        EditCommand<&M::HistoryNewer>(mainid::kHistoryNewer),
        Command<&M::HistoryClear>(mainid::kHistoryClear),
        EditCommand<&M::OnInsertCtrl>(mainid::kCtrl),
        EditCommand<&M::OnInsertInc>(mainid::kInc),
        EditCommand<&M::OnSend>(mainid::kSend),
        Command<&M::OnPassword>(mainid::kPassword),
        Command<&M::OnScript>(mainid::kScript),
        Command<&M::OnPreferences>(mainid::kPreferences),
        TrayCommand<&M::OnPreferences>(mainid::kTrayPreferences),
        Command<&M::OpenFromTray>(mainid::kTrayOpen),
        TrayCommand<&M::ShowAbout>(mainid::kTrayAbout),
        TrayCommand<&M::OnCheckForUpdates>(mainid::kTrayCheckForUpdates),
        TrayCommand<&M::ShowTargets>(mainid::kTrayShowTargets),
        TrayCommand<&M::OpenTargetsWindow>(mainid::kTrayTargets),
        TrayCommand<&M::ToggleTypeInBackground>(mainid::kTrayTypeInBackground),
        TrayCommand<&M::OnOpenSessions>(mainid::kTrayOpenSessions),
        Command<&M::OnExit>(mainid::kTrayExit),
        Command<&M::OnCloseBox>(mb::kIdCancel),
        // Last: the quick-key buttons, each sending its fixed keys.
        {DialogEvent::kCommand, kAny, kClicked,
         [](CDialog& d, int id, int, std::uintptr_t) {
             auto& m = static_cast<M&>(d);
             if (QuickKeySequence(id).empty())
                 return false;  // not a quick-key button
             m.RunInTurn([&m, id] { m.OnQuickKey(id); });
             return true;
         }},
    };
    return map;
}

}  // namespace tandrel
