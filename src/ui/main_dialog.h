// The main window's portable half: it owns every piece of run-time state (settings values,
// filters, history, password, target list, key sender) and carries out every command. Its
// window is reached only through the platform boundary.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_sender.h"
#include "platform/platform.h"
#include "settings/ini_store.h"
#include "settings/profile_location.h"

namespace tandrel {

class IDialogHost;

class CMainDialog {
  public:
    explicit CMainDialog(const Platform& platform);
    CMainDialog(const CMainDialog&) = delete;
    CMainDialog& operator=(const CMainDialog&) = delete;

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
    WindowId mainWindow = kNoWindow;  // the main window itself, once it exists
    IDialogHost* host = nullptr;      // the main window's dialog host, once it exists

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

    // ---- the profile ----
    // Chosen by LoadSettings (or by the first save when nothing was loaded).
    ProfileLocation profileLocation;
    // The profile as read at start: keys of its own that others put there survive every save.
    IniStore profile;
};

}  // namespace tandrel
