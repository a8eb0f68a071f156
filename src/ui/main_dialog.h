// The main window's portable half: it owns every piece of run-time state (settings values,
// filters, history, password, target list, key sender) and carries out every command. Its
// window is reached only through the platform boundary.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_sender.h"
#include "ui/command_edit.h"
#include "ui/dialog.h"
#include "platform/platform.h"
#include "settings/ini_store.h"
#include "settings/profile_location.h"

namespace tandrel {

// Control and command identifiers of the main window (template 110) and the tray menu (139).
namespace mainid {
inline constexpr int kFilterCombo = 1001;
inline constexpr int kCascade = 1002;
inline constexpr int kTile = 1003;
inline constexpr int kMinimize = 1004;
inline constexpr int kHide = 1005;
inline constexpr int kFilters = 1006;
inline constexpr int kReturnToggle = 1007;
inline constexpr int kHistoryOlder = 1008;
inline constexpr int kHistoryNewer = 1009;
inline constexpr int kHistoryClear = 1010;
inline constexpr int kCommandBox = 1011;
inline constexpr int kPassword = 1021;
inline constexpr int kScript = 1022;
inline constexpr int kPreferences = 1023;
inline constexpr int kSend = 1024;
inline constexpr int kInc = 1025;
inline constexpr int kCtrl = 1026;
inline constexpr int kClose = 1208;
inline constexpr int kAboutSysCommand = 16;
inline constexpr int kTrayOpen = 32771;
inline constexpr int kTrayCascade = 32772;
inline constexpr int kTrayAbout = 32773;
inline constexpr int kTrayExit = 32774;
inline constexpr int kTrayMinimize = 32777;
inline constexpr int kTrayHide = 32778;
inline constexpr int kTrayTile = 32779;
inline constexpr int kTrayPreferences = 32780;
inline constexpr int kTrayCheckForUpdates = 32781;
}  // namespace mainid

// The main window. Its Win32 host (a modeless dialog made from template 110 with a modal loop
// of its own) calls, besides Dispatch:
//   Dispatch(kInit)                         at WM_INITDIALOG (OnInitDialog);
//   Dispatch(kCommand, id, code)            for WM_COMMAND;
//   Dispatch(kSysCommand, 0, 0, wParam)     for WM_SYSCOMMAND; false asks for default processing;
//   Dispatch(kUser, message, 0, lParam)     for 1025, 1026 and the "TaskbarCreated" message;
//   Dispatch(kHelp)                         for WM_HELP;
//   PreTranslateKeyDown                     for every WM_KEYDOWN of the dialog and its controls;
//   OnDestroyWindow                         once the modal run has ended, before DestroyWindow.
class CMainDialog : public CDialog {
  public:
    explicit CMainDialog(const Platform& platform);
    ~CMainDialog() override;
    CMainDialog(const CMainDialog&) = delete;
    CMainDialog& operator=(const CMainDialog&) = delete;

    int TemplateId() const override { return 110; }

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
    // Adds the notification-area icon or updates its tip.
    void ShowTrayIcon(const std::wstring& tip);

    void ToggleReturn();
    void OnTrayNotify(std::uint32_t mouseMessage);
    static const std::wstring& TrayTip();  // "Tandrel 1.7"

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

    // ---- command submission and history ----
    void SubmitCommand(const std::wstring& text, bool endWithTab);
    void HistoryOlder();
    void HistoryNewer();
    void HistoryClear();

    // ---- target windows and the broadcast ----
    // Empties TargetList, fills it with every terminal window that passes the filter in force,
    // and sorts it by title.
    void CollectTargets();
    // The definition CollectTargets applies: the built-in filter while exiting or measuring,
    // else the selected entry of filterList (empty, passing nothing, if the index names none).
    std::wstring_view FilterInForce() const;
    // The one road by which anything reaches the terminal windows.
    void BroadcastKeys(const std::wstring& text, bool endWithTab, bool isCommandText);
    // Activates, restores, shows and focuses one target and waits until it holds the keyboard.
    // False when the target is hung or gone, or never takes the focus: it is then passed over.
    bool BringTargetForward(WindowId target);

    // ---- window arrangement ----
    // Each collects the targets under the selected filter and ends with RestoreCommandFocus.
    void CascadeTargets();
    void TileTargets();
    void MinimizeTargets();
    void HideTargets();
    // Asks first; on Yes ends the processes that own the targets. Leaves the focus where it is.
    void CloseTargets();
    // Combo box 1001 changed its selection: store it, and arrange as autoArrange says.
    void FilterSelectionChanged();
    // The first steps of the main window's destruction: sets isExiting and, when unhideOnExit is
    // set, shows every hidden terminal window.
    void UnhideTargetsAtExit();
    // The preferences dialog's Find measures these: every terminal window, whatever filter is
    // selected.
    const std::vector<WindowId>& CollectEveryTerminalWindow();
    // The eight steps that move one target to (x, y) and announce a client size to it, then size
    // it directly if it did not fit itself. False when the target did not answer and was passed
    // over.
    bool PlaceTarget(WindowId target, int x, int y, int width, int height);

    // ---- settings ----
    void LoadSettings();
    void SaveSettings();
    void UpdateRunEntry(bool enabled);

    // ---- the window ----
    // Send becomes the default button, the focus returns to the command box, the history
    // buttons follow the history's size, and the main window comes to the foreground.
    void RestoreCommandFocus();

    // ---- state, in declaration order of the main window ----
    Platform platform;
    CCommandEdit commandBox;
    WindowId mainWindow = kNoWindow;  // the main window itself, once it exists

    bool isExiting = false;
    bool isFinding = false;
    std::int32_t normalWindowHeight = 0;

    std::vector<std::wstring> filterList{L"All PuTTYs||+*"};
    std::int32_t selectedFilter = 0;

    std::vector<std::wstring> commandHistory;
    std::int32_t historyCursor = 0;

    std::int32_t savePassword = 0;
    std::wstring encodedPassword;

    // Settings values, named after their profile keys, at their defaults until loaded.
    std::int32_t toolWindow = 1;
    std::int32_t alwaysOnTop = 1;
    std::int32_t minimizeToSysTray = 1;
    std::int32_t windowOpacity = 255;
    std::int32_t transition = 25;
    std::int32_t autoArrange = 1;
    std::int32_t autoMinimize = 0;
    std::int32_t arrangeOnStartup = 0;
    std::int32_t unhideOnExit = 1;
    std::int32_t cascadeWidth = 642;
    std::int32_t cascadeHeight = 386;
    std::int32_t tabCompletion = 0;
    std::int32_t cmdhistoryScrollThrough = 1;
    std::int32_t emulateCopyPaste = 1;
    std::int32_t sendCR = 1;
    std::int32_t runOnSystemStartup = 0;
    std::int32_t checkForUpdates = 1;

    CKeySender keySender;
    std::vector<WindowId> TargetList;

    std::uint32_t taskbarCreatedMessage = 0;
    std::int32_t modalDialogOpen = 0;
    bool initialised = false;    // OnInitDialog has loaded the settings
    bool trayIconShown = false;  // the notification-area icon is there

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  public:
    // ---- the profile ----
    // Chosen by LoadSettings (or by the first save when nothing was loaded).
    ProfileLocation profileLocation;
    // The profile as read at start: keys of its own that others put there survive every save.
    IniStore profile;
};

}  // namespace tandrel
