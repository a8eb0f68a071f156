// The main window's life: initialisation, appearance, focus, system commands and the messages
// of other instances and of the notification area.
#include <algorithm>
#include <string>

#include "platform/diagnostics.h"
#include "targets/filter.h"
#include "ui/main_dialog.h"
#include "ui/targets_dialog.h"
#include "res/version.h"

namespace tandrel {
namespace {

constexpr std::uint32_t kExToolWindow = 0x00000080;  // WS_EX_TOOLWINDOW
constexpr std::uint32_t kExLayered = 0x00080000;     // WS_EX_LAYERED
const std::wstring kShortTitle = std::wstring(version::kProductName) + L" " + version::kDisplayVersion;
const std::wstring kLongTitle = kShortTitle + L" - " + version::kLongName;

constexpr int kTrayIconAttempts = 3;
constexpr std::uint32_t kTrayIconRetryMs = 500;

const FontSpec kArrowFont{L"Marlett", 100};
const FontSpec kSmallGlyphFont{L"Marlett", 80};
const FontSpec kReturnGlyphFont{L"Symbol", 70};

// The buttons that show a glyph: the picture drawn from a glyph font, the text (what a screen
// reader reads) and the tooltip both the button's name.
struct GlyphButton {
    int id;
    const FontSpec& font;
    const wchar_t* glyph;
    const wchar_t* name;
};
const GlyphButton kGlyphButtons[] = {
    {IDC_HISTORY_OLDER, kArrowFont, L"5", L"Older command"},
    {IDC_HISTORY_NEWER, kArrowFont, L"6", L"Newer command"},
    {IDC_KEY_UP, kArrowFont, L"5", L"Up arrow"},
    {IDC_KEY_DOWN, kArrowFont, L"6", L"Down arrow"},
    {IDC_KEY_LEFT, kArrowFont, L"3", L"Left arrow"},
    {IDC_KEY_RIGHT, kArrowFont, L"4", L"Right arrow"},
    {IDC_HISTORY_CLEAR, kSmallGlyphFont, L"r", L"Clear history"},
    {IDC_KEY_CENTRE, kSmallGlyphFont, L"i", L"Thirty Enters"},
    {IDC_RETURN_TOGGLE, kReturnGlyphFont, L"\u00BF", L"End with Enter"},
};

}  // namespace

const std::wstring& CMainDialog::TrayTip() {
    return kShortTitle;
}

CMainDialog::CMainDialog(const Platform& p) : platform(p), keySender(p.keyboard, p.windows, p.clock) {}

CMainDialog::~CMainDialog() {
    // Only a window that initialised loaded the settings; saving the defaults of one that never
    // did would overwrite the operator's profile.
    if (initialised)
        SaveSettings();
    if (trayIconShown && platform.tray != nullptr) {
        platform.tray->DeleteIcon();
        trayIconShown = false;
    }
}

bool CMainDialog::OnInitDialog() {
    commandBox.Attach(host);
    mainWindow = host->Window();
    isExiting = false;
    LoadSettings();
    initialised = true;
    if (!unreadableProfile.empty()) {
        host->ShowMessageBox(L"The settings file\n" + unreadableProfile +
                                 L"\ncould not be read. Tandrel runs with its default settings and leaves "
                                 L"that file as it is: nothing changed now will be saved.",
                             std::wstring(version::kProductName), mb::kOk | mb::kIconExclamation);
    }
    if (settings.checkForUpdates != 0)
        CheckForUpdates(false);

    host->ClearList(mainid::kFilterCombo);
    for (const std::wstring& definition : filterList) {
        host->AddListItem(mainid::kFilterCombo, std::wstring(GetFilterName(definition)));
    }
    host->SelectListItem(mainid::kFilterCombo, selectedFilter);

    for (const GlyphButton& b : kGlyphButtons) {
        host->SetItemText(b.id, b.name);
        host->SetItemGlyph(b.id, b.font, b.glyph);
        host->SetItemTip(b.id, b.name);
    }
    commandBox.SetEmulateCopyPaste(settings.emulateCopyPaste);
    commandBox.SetScrollThrough(settings.cmdhistoryScrollThrough);
    host->SetCheck(mainid::kReturnToggle, settings.sendCR != 0);

    host->RemoveSystemMenuItem(sc::kMaximize);
    host->AppendSystemMenuSeparator();
    host->AppendSystemMenuItem(mainid::kShowTargetsSysCommand, L"Show Targets\tCtrl+T");
    host->AppendSystemMenuItem(mainid::kTargetsSysCommand, L"Targets...\tCtrl+L");
    host->AppendSystemMenuItem(mainid::kOpenSessionsSysCommand, L"Open Sessions...\tCtrl+O");
    host->AppendSystemMenuSeparator();
    host->AppendSystemMenuItem(mainid::kAboutSysCommand, L"About Tandrel...");
    // The way out by keyboard when Alt+F4 only hides the window into the tray.
    host->AppendSystemMenuItem(mainid::kExitSysCommand, L"Exit");

    normalWindowHeight = host->WindowRect().Height();
    if (settings.arrangeOnStartup != 0)
        FilterSelectionChanged();
    if (settings.minimizeToSysTray != 0)
        ShowTrayIcon(TrayTip());
    ApplyWindowPreferences();
    UpdateSendTip();
    return false;  // the focus is already in the command box
}

void CMainDialog::ApplyWindowPreferences() {
    std::uint32_t style = host->ExtendedStyle();
    const Rect rect = host->WindowRect();
    int height = normalWindowHeight;
    if (settings.toolWindow != 0) {
        style |= kExToolWindow;
        height = normalWindowHeight - platform.windows.Metric(sm::kCyCaption) / 2;
        host->SetTitle(kLongTitle);
    } else {
        style &= ~kExToolWindow;
        host->SetTitle(kShortTitle);
    }
    const bool layered = host->HasLayeredAttributes();
    if (layered)
        style |= kExLayered;
    host->SetExtendedStyle(style);
    if (layered) {
        platform.clock.Sleep(20);
        host->SetLayeredAlpha(static_cast<std::uint8_t>(settings.windowOpacity & 0xFF));
    }
    platform.windows.Place(mainWindow, settings.alwaysOnTop != 0 ? zorder::kTopMost : zorder::kNoTopMost, 0,
                           0, rect.Width(), height, swp::kNoMove);
    RestoreCommandFocus();
}

void CMainDialog::RestoreCommandFocus() {
    if (host == nullptr)
        return;
    // The window is brought forward first: focusing one of its controls activates it at once,
    // ahead of the foreground request's wait for the window in front to finish its own activation.
    platform.windows.BringToForeground(mainWindow);
    host->MakeDefaultButton(mainid::kSend);
    host->FocusItem(mainid::kCommandBox);
    const bool any = !commandHistory.empty();
    for (int id : {mainid::kHistoryOlder, mainid::kHistoryNewer, mainid::kHistoryClear})
        host->EnableItem(id, any);
}

void CMainDialog::GiveAwayAHiddenForeground() {
    if (mainWindow == kNoWindow || platform.windows.IsVisible(mainWindow) ||
        platform.windows.ForegroundWindow() != mainWindow)
        return;
    // Keys typed now would go into a window nobody can see: the frontmost shown target takes them.
    std::vector<WindowId> windows;
    platform.windows.ListTopLevelWindows(windows);
    for (const WindowId w : windows) {
        if (std::find(TargetList.begin(), TargetList.end(), w) != TargetList.end() &&
            platform.windows.IsVisible(w) && !platform.windows.IsMinimized(w)) {
            platform.windows.BringToForeground(w);
            return;
        }
    }
    Trace(L"No shown terminal to give the keyboard to: it stays with the hidden main window.");
}

void CMainDialog::OpenMainWindow() {
    ShowAndActivate(platform.windows, mainWindow);
}

bool CMainDialog::ShowTrayIcon(const std::wstring& tip) {
    // Without a notification area there is nothing to show, and the window never hides into it.
    if (platform.tray == nullptr)
        return false;
    if (trayIconShown) {
        platform.tray->ModifyIcon(tip);
        return true;
    }
    // The shell may be too busy to take the icon (at logon it often is); a shell that starts
    // later says "TaskbarCreated" and gets it then.
    for (int attempt = 0; attempt < kTrayIconAttempts && !trayIconShown; ++attempt) {
        if (attempt > 0)
            platform.clock.Sleep(kTrayIconRetryMs);
        trayIconShown = platform.tray->AddIcon(mainWindow, tip);
    }
    return trayIconShown;
}

bool CMainDialog::OnSysCommand(std::uintptr_t command) {
    const std::uintptr_t c = command & ~static_cast<std::uintptr_t>(0xF);
    if (c == static_cast<std::uintptr_t>(mainid::kAboutSysCommand)) {
        RunInTurn([this] { ShowAbout(); });
        return true;
    }
    if (c == static_cast<std::uintptr_t>(mainid::kShowTargetsSysCommand)) {
        RunInTurn([this] { ShowTargets(); });
        return true;
    }
    if (c == static_cast<std::uintptr_t>(mainid::kTargetsSysCommand)) {
        OpenTargetsWindow();
        return true;
    }
    if (c == static_cast<std::uintptr_t>(mainid::kOpenSessionsSysCommand)) {
        RunInTurn([this] { OnOpenSessions(); });
        return true;
    }
    if (c == static_cast<std::uintptr_t>(mainid::kExitSysCommand)) {
        RunInTurn([this] { OnExit(); });
        return true;
    }
    // Minimise and close hide the window into the notification area, but only behind an icon: a
    // window hidden without one could never be brought back. Without it they do what they do
    // outside tray mode.
    if ((c == sc::kMinimize || c == sc::kClose) && settings.minimizeToSysTray != 0 &&
        ShowTrayIcon(TrayTip())) {
        platform.windows.Show(mainWindow, sw::kHide);
        return true;
    }
    return false;
}

void CMainDialog::OnDpiChanged(int newHeight) {
    // Measured again, as at initialisation: the height without the tool-window reduction.
    normalWindowHeight =
        settings.toolWindow != 0 ? newHeight + platform.windows.Metric(sm::kCyCaption) / 2 : newHeight;
}

void CMainDialog::OnUserMessage(std::uint32_t message, std::intptr_t lParam) {
    if (message == wm::kQueryEndSession || message == wm::kEndSession) {
        // The user logs off or the system shuts down: the process may end without its window
        // being destroyed, so what the run changed is saved now.
        if (initialised)
            SaveSettings();
        return;
    }
    if (message == wm::kActivateMessage) {
        OpenMainWindow();
        return;
    }
    if (message == wm::kTrayNotifyMessage) {
        OnTrayNotify(static_cast<std::uint32_t>(lParam));
        return;
    }
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) {
        // The shell restarted and forgot the icon.
        if (platform.tray != nullptr)
            platform.tray->ForgetIcon();
        trayIconShown = false;
        if (settings.minimizeToSysTray != 0)
            ShowTrayIcon(TrayTip());
    }
}

void CMainDialog::OnTrayNotify(std::uint32_t mouseMessage) {
    if (mouseMessage == wm::kRButtonDown || mouseMessage == wm::kContextMenu) {
        if (platform.tray != nullptr)
            platform.tray->ShowMenu(mainWindow, modalDialogOpen == 1, settings.typeInBackground != 0);
        return;
    }
    if (mouseMessage == wm::kLButtonDblClk) {
        if (modalDialogOpen == 1)
            return;
        if (platform.windows.IsVisible(mainWindow)) {
            platform.windows.Show(mainWindow, sw::kHide);
        } else {
            RunInTurn([this] { OpenFromTray(); });  // it may show the report of the last run
        }
    }
    // Every other mouse message over the icon does nothing.
}

void CMainDialog::OnDestroyWindow() {
    // The Targets window goes with the main window, its place kept.
    if (targetsWindow != nullptr)
        targetsWindow->OnCancel();
    UnhideTargetsAtExit();
}

void CMainDialog::ToggleReturn() {
    settings.sendCR = settings.sendCR != 0 ? 0 : 1;
    host->SetCheck(mainid::kReturnToggle, settings.sendCR != 0);
    RestoreCommandFocus();
}

void CMainDialog::ToggleTypeInBackground() {
    settings.typeInBackground = settings.typeInBackground != 0 ? 0 : 1;
    SaveSettings();
    UpdateSendTip();
}

void CMainDialog::PreTranslateKeyDown(int focusedControlId, std::uint32_t& key) {
    if (key == vk::kEscape) {
        key = 0;  // the dialog manager never turns Escape into Cancel
        return;
    }
    if (key == 'T' && (platform.keyboard.KeyState(vk::kControl) & 0x8000) != 0) {
        RunInTurn([this] { ShowTargets(); });
        key = 0;  // and no character for it in the command box
        return;
    }
    if (key == 'L' && (platform.keyboard.KeyState(vk::kControl) & 0x8000) != 0) {
        OpenTargetsWindow();  // a window beside this one: it may open while a command runs
        key = 0;
        return;
    }
    if (key == 'O' && (platform.keyboard.KeyState(vk::kControl) & 0x8000) != 0) {
        RunInTurn([this] { OnOpenSessions(); });
        key = 0;
        return;
    }
    if (focusedControlId != mainid::kCommandBox)
        return;
    switch (key) {
        case vk::kTab:
            // Shift+Tab moves the focus back, as everywhere; only Tab completes.
            if (settings.tabCompletion != 0 && (platform.keyboard.KeyState(vk::kShift) & 0x8000) == 0) {
                SubmitCommand(commandBox.GetCommandText(), true);
                key = 0;  // the focus stays in the box
            }
            break;
        case vk::kUp:
            if (settings.cmdhistoryScrollThrough != 0)
                HistoryOlder();
            break;
        case vk::kDown:
            if (settings.cmdhistoryScrollThrough != 0)
                HistoryNewer();
            break;
        default:
            break;
    }
}

}  // namespace tandrel
