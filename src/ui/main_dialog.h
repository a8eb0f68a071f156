// The main window's portable half: it owns every piece of run-time state (settings values,
// filters, history, password, target list, key sender) and carries out every command. Its
// window is reached only through the platform boundary.
#pragma once
#include "res/resource.h"
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "broadcast/broadcast.h"
#include "broadcast/delivery_report.h"
#include "cli/command_line.h"
#include "keys/key_sender.h"
#include "ui/command_edit.h"
#include "ui/dialog.h"
#include "platform/platform.h"
#include "settings/ini_store.h"
#include "settings/profile_location.h"
#include "sessions/sessions.h"
#include "settings/settings.h"
#include "settings/settings_io.h"
#include "targets/filter.h"
#include "targets/target_choice.h"

namespace tandrel {

class CTargetsDialog;

// Control and command identifiers of the main window (template 110) and the tray menu (139).
namespace mainid {
inline constexpr int kFilterCombo = IDC_FILTER_COMBO;
inline constexpr int kCascade = IDC_CASCADE;
inline constexpr int kTile = IDC_TILE;
inline constexpr int kMinimize = IDC_MINIMIZE;
inline constexpr int kHide = IDC_HIDE;
inline constexpr int kFilters = IDC_FILTERS;
inline constexpr int kReturnToggle = IDC_RETURN_TOGGLE;
inline constexpr int kHistoryOlder = IDC_HISTORY_OLDER;
inline constexpr int kHistoryNewer = IDC_HISTORY_NEWER;
inline constexpr int kHistoryClear = IDC_HISTORY_CLEAR;
inline constexpr int kCommandBox = IDC_COMMAND_BOX;
inline constexpr int kPassword = IDC_PASSWORD;
inline constexpr int kScript = IDC_SCRIPT;
inline constexpr int kPreferences = IDC_PREFERENCES;
inline constexpr int kSend = IDC_SEND;
inline constexpr int kInc = IDC_INC;
inline constexpr int kCtrl = IDC_CTRL;
inline constexpr int kClose = IDC_CLOSE;
inline constexpr int kAboutSysCommand = 16;
inline constexpr int kShowTargetsSysCommand = 32;
inline constexpr int kExitSysCommand = 48;
inline constexpr int kTargetsSysCommand = 80;
inline constexpr int kOpenSessionsSysCommand = 112;
inline constexpr int kTrayOpen = IDM_TRAY_OPEN;
inline constexpr int kTrayCascade = IDM_TRAY_CASCADE;
inline constexpr int kTrayAbout = IDM_TRAY_ABOUT;
inline constexpr int kTrayExit = IDM_TRAY_EXIT;
inline constexpr int kTrayMinimize = IDM_TRAY_MINIMIZE;
inline constexpr int kTrayHide = IDM_TRAY_HIDE;
inline constexpr int kTrayTile = IDM_TRAY_TILE;
inline constexpr int kTrayPreferences = IDM_TRAY_PREFERENCES;
inline constexpr int kTrayCheckForUpdates = IDM_TRAY_CHECK_FOR_UPDATES;
inline constexpr int kTrayShowTargets = IDM_TRAY_SHOW_TARGETS;
inline constexpr int kTrayTypeInBackground = IDM_TRAY_TYPE_IN_BACKGROUND;
inline constexpr int kTrayTargets = IDM_TRAY_TARGETS;
inline constexpr int kTrayOpenSessions = IDM_TRAY_OPEN_SESSIONS;
}  // namespace mainid

// The main window. Its Win32 host (a modeless dialog made from template 110 with a modal loop
// of its own) calls, besides Dispatch:
//   Dispatch(kInit)                         at WM_INITDIALOG (OnInitDialog);
//   Dispatch(kCommand, id, code)            for WM_COMMAND;
//   Dispatch(kSysCommand, 0, 0, wParam)     for WM_SYSCOMMAND; false asks for default processing;
//   Dispatch(kUser, message, 0, lParam)     for the two private messages and "TaskbarCreated";
//   Dispatch(kHelp)                         for WM_HELP;
//   PreTranslateKeyDown                     for every WM_KEYDOWN of the dialog and its controls;
//   OnDestroyWindow                         once the modal run has ended, before DestroyWindow.
class CMainDialog : public CDialog {
  public:
    explicit CMainDialog(const Platform& platform);
    ~CMainDialog() override;
    CMainDialog(const CMainDialog&) = delete;
    CMainDialog& operator=(const CMainDialog&) = delete;

    int TemplateId() const override { return IDD_MAIN; }

    // ---- the window's life ----
    bool OnInitDialog();
    // The keyboard routing: sees every key press of the dialog and its controls first. May set
    // `vk` to 0 so that the dialog manager ignores the key.
    void PreTranslateKeyDown(int focusedControlId, std::uint32_t& vk);
    // The first steps of the window's destruction (isExiting, the unhiding at exit).
    void OnDestroyWindow();
    bool OnSysCommand(std::uintptr_t command);
    void OnUserMessage(std::uint32_t message, std::intptr_t lParam);
    void ApplyWindowPreferences();
    void OpenMainWindow();
    // The tray menu's Open and a double-click on the icon: the main window, then the report of
    // targets missed that only a balloon told of meanwhile.
    void OpenFromTray();
    // Adds the notification-area icon (trying a few times while the shell does not take it) or
    // updates its tip. True when the icon is there.
    bool ShowTrayIcon(const std::wstring& tip);
    // The window was given its size for a monitor of another scale, `newHeight` its outer height.
    void OnDpiChanged(int newHeight);

    void ToggleReturn();
    // The tray menu's "Type in the background": the preference flipped and saved.
    void ToggleTypeInBackground();
    void OnTrayNotify(std::uint32_t mouseMessage);
    static const std::wstring& TrayTip();  // "Tandrel <version>"

    // ---- button and menu actions ----
    void OnSend();
    void OnInsertCtrl();
    void OnInsertInc();
    void OnFilters();
    void OnHelp();
    // A quick-key button sends its fixed keys; false for any other control.
    bool OnQuickKey(int controlId);
    void OnPassword();
    void OnScript();
    void OnPreferences();
    void ShowAbout();
    void OnCheckForUpdates() { CheckForUpdates(true); }
    // Fetches the version record and tells of a newer version (and, when interactive, of none).
    void CheckForUpdates(bool interactive);
    void OnExit() { OnOK(); }
    void OnCloseBox() { OnCancel(); }

    // ---- commands in turn ----
    // Runs `step` at once, or, while another command is under way (a broadcast waiting on its
    // targets serves this window's messages meanwhile), after that command and every step queued
    // before it: commands never interleave. The step runs with the window as it is then.
    void RunInTurn(std::function<void()> step);
    bool CommandRunning() const { return commandRunning; }

    // ---- command submission and history ----
    // The text goes into the history and out of the command box at once; its broadcast (and
    // the report of a missing target) runs in turn.
    void SubmitCommand(const std::wstring& text, bool endWithTab);
    // Keeps a command that is not blank at the end of the history (the oldest dropped past 100)
    // and puts the history's cursor after it.
    void RecordInHistory(const std::wstring& text);
    void HistoryOlder();
    void HistoryNewer();
    void HistoryClear();

    // ---- target windows and the broadcast ----
    // Makes TargetList every terminal window that passes the filter in force (or `definition`),
    // sorted by title, less those unticked in the Targets window (all of them while exiting).
    void CollectTargets() { CollectTargets(FilterInForce()); }
    void CollectTargets(std::wstring_view definition);
    // The definition CollectTargets applies: the built-in filter while exiting, else the entry
    // `index` of filterList, the selected one by default (empty, passing nothing, if the index
    // names none).
    std::wstring_view FilterInForce() const { return FilterInForce(selectedFilter); }
    std::wstring_view FilterInForce(std::int32_t index) const;
    // Every terminal the filter in force collects, ticked or not, in target-list order: what the
    // Targets window and /targets list. TargetList is left as it is.
    std::vector<WindowId> CollectCandidates();
    // The window's title as it is now (its first 299 units).
    std::wstring TitleOf(WindowId w);
    // The last broadcast's outcome for the window: "served", "missed: <why>", or empty when it
    // was none of its targets.
    std::wstring LastDeliveryOutcome(WindowId w) const;
    // The Targets window (system menu, tray menu, Ctrl+L): opened, or brought forward when open.
    void OpenTargetsWindow();
    // Where the Targets window was last closed; kept in the profile.
    std::optional<WindowPlace> TargetsWindowPlace() const { return ReadTargetsWindowPlace(profile); }
    void RememberTargetsWindowPlace(WindowPlace place);
    // The one road by which anything reaches the terminal windows. Returns the targets it
    // passed over or could not see take their keys, in list order: empty when all were served.
    std::vector<MissedTarget> BroadcastKeys(const std::wstring& text, bool endWithTab, bool isCommandText);
    // A script's sequence, played unchanged into every target, with Caps Lock switched off
    // around it in each target whose thread has it on.
    std::vector<MissedTarget> BroadcastScript(const std::wstring& sequence);
    // A script file's bytes typed into every target through BroadcastScript, the main window
    // hidden meanwhile when it is shown: the Script button's run and that of /script.
    std::vector<MissedTarget> PlayScript(std::string_view bytes);
    // The broadcast over the targets collected now, for a base sequence already built; notes
    // the targets passed over and redraws the main window.
    std::vector<MissedTarget> SendToTargets(const std::wstring& base, bool endWithTab,
                                            CapsLockWrapping capsLock);
    // Whether broadcasts type in the background: a request's own choice, else the preference.
    bool TypesInBackground() const {
        return requestTypesInBackground ? *requestTypesInBackground : settings.typeInBackground != 0;
    }
    // The target with its title as it is now.
    MissedTarget Missed(WindowId target, MissReason reason);
    // After a run that missed targets: one message box naming them and what they missed ("the
    // command"), or while the main window is hidden in the tray a balloon from its icon saying
    // how many, the list kept for OpenFromTray. Says nothing when every target was served.
    void ReportMissed(std::wstring_view missedWhat, const std::vector<MissedTarget>& missed);

    // ---- window arrangement ----
    // Each collects the targets under the selected filter and ends with RestoreCommandFocus.
    void CascadeTargets();
    void TileTargets();
    void MinimizeTargets() { MinimizeTargets(FilterInForce()); }
    void MinimizeTargets(std::wstring_view definition);
    void HideTargets();
    // Asks first, naming the count and the filter, with No as the default answer; on Yes ends the
    // processes that own the targets. Leaves the focus where it is.
    void CloseTargets();
    // The filter combo box changed its selection: store it, and arrange as autoArrange says.
    void FilterSelectionChanged();
    // The first steps of the main window's destruction: sets isExiting and, when unhideOnExit is
    // set, shows every hidden terminal window.
    void UnhideTargetsAtExit();
    // The preferences dialog's Find measures these: every terminal window, whatever filter is
    // selected.
    const std::vector<WindowId>& CollectEveryTerminalWindow();
    // The eight steps that move one target to (x, y) and announce a client size to it, then size
    // it directly if it did not fit itself: its client area to the announced size or, given its
    // `cell`, the whole window to the cell. False when the target did not answer and was passed
    // over (it is then never left hidden).
    bool PlaceTarget(WindowId target, int x, int y, int width, int height, const Rect* cell = nullptr);

    // ---- saved sessions ----
    // Open Sessions (tray menu, system menu, Ctrl+O): the dialog, then each ticked session opened
    // and its window arranged as chosen; the sessions whose window did not appear named in one
    // message box. The pattern and the arrangement are kept in the profile.
    void OnOpenSessions();
    // One putty.exe for each session, then the windows that appeared arranged.
    OpenedSessions OpenAndArrange(const std::wstring& putty, const std::vector<std::wstring>& sessions,
                                  Arrangement arrangement);
    // /open: the saved sessions that pass the pattern, opened and arranged.
    CommandOutcome RunOpenRequest(const CommandRequest& request);

    // ---- the command line ----
    // Carries out a request of the command line as if typed here: /send as from the command box
    // (history included), /script as the Script button plays it, /targets listing the targets in
    // order. A /filter applies to this request only. What was missed is told to the caller alone,
    // in the outcome: no message box here.
    CommandOutcome RunCommandRequest(const CommandRequest& request);
    // A hand-off record from another instance: the answer (handoff::kReplyRefused when the
    // record cannot be read, kReplyBusy while `busy` or a command of this window is under way,
    // else kReplyReported with the encoded report in `report`). While a dialog is open nothing
    // is done and the report says so.
    std::intptr_t OnHandOffRecord(std::string_view record, bool busy, std::string& report);
    // After a command typed here (Send, Tab completion) found no terminal under the filter: says
    // so and what to do. Nothing when the last collection found a target.
    void ReportNoTarget();
    // Show Targets (system menu, tray menu, Ctrl+T): numbers over every target for a moment, and
    // a note over the main window of those that cannot be marked where they are.
    void ShowTargets();
    // The Send button's tooltip: how many terminals the selected filter collects now.
    void UpdateSendTip();

    // ---- settings ----
    void LoadSettings();
    void SaveSettings();
    void UpdateRunEntry(bool enabled);

    // ---- the window ----
    // Send becomes the default button, the focus returns to the command box, the history
    // buttons follow the history's size, and the main window comes to the foreground.
    void RestoreCommandFocus();
    // After a command-line request: the window that was in front before it is brought back.
    void ReturnForegroundTo(WindowId inFront);
    // After a tray command run while the main window is hidden in the tray.
    void GiveAwayAHiddenForeground();

    // ---- state, in declaration order of the main window ----
    Platform platform;
    CCommandEdit commandBox;
    WindowId mainWindow = kNoWindow;  // the main window itself, once it exists

    bool isExiting = false;
    std::int32_t normalWindowHeight = 0;

    std::vector<std::wstring> filterList{std::wstring(kBuiltInFilter)};
    std::int32_t selectedFilter = 0;

    std::vector<std::wstring> commandHistory;
    std::int32_t historyCursor = 0;

    std::wstring encodedPassword;

    // The preferences, at their defaults until loaded.
    Settings settings;

    std::vector<WindowId> TargetList;
    // The windows unticked in the Targets window, until ticked again or Tandrel ends.
    TargetChoice targetChoice;

    std::uint32_t taskbarCreatedMessage = 0;
    std::int32_t modalDialogOpen = 0;
    bool initialised = false;    // OnInitDialog has loaded the settings
    bool trayIconShown = false;  // the notification-area icon is there
    // The last report of missed targets told by a balloon only, until the window is opened.
    std::wstring unseenReport;

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  public:
    // ---- the profile ----
    // Chosen by LoadSettings (or by the first save when nothing was loaded).
    ProfileLocation profileLocation;
    // The profile that exists but could not be read at start; empty when there is none. While
    // it is set, no save writes anything.
    std::wstring unreadableProfile;

    // A command-line request's "/background" or "/foreground", for the request it comes with;
    // none otherwise.
    std::optional<bool> requestTypesInBackground;

  private:
    bool commandRunning = false;
    std::deque<std::function<void()>> commandsInTurn;
    CKeySender keySender;
    // The last broadcast's targets and what it missed, for the Targets window.
    std::vector<WindowId> lastDelivered;
    std::vector<MissedTarget> lastMissed;
    // Made at its first opening; its window may be gone meanwhile (Host() is then null).
    std::unique_ptr<CTargetsDialog> targetsWindow;
    // The profile as read at start: keys of its own that others put there survive every save.
    IniStore profile;
};

}  // namespace tandrel
