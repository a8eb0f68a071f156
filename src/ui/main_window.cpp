// The main window's life: initialisation, appearance, focus, system commands and the messages
// of other instances and of the notification area.
#include <string>

#include "targets/filter.h"
#include "ui/main_dialog.h"
#include "ui/version.h"

namespace tandrel {
namespace {

constexpr std::uint32_t kExToolWindow = 0x00000080;  // WS_EX_TOOLWINDOW
constexpr std::uint32_t kExLayered = 0x00080000;     // WS_EX_LAYERED
const std::wstring kShortTitle = std::wstring(version::kProductName) + L" " + version::kDisplayVersion;
const std::wstring kLongTitle = kShortTitle + L" - " + version::kLongName;

const FontSpec kArrowFont{L"Marlett", 100};
const FontSpec kSmallGlyphFont{L"Marlett", 80};
const FontSpec kReturnGlyphFont{L"Symbol", 70};

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
    isFinding = false;
    LoadSettings();
    initialised = true;
    if (checkForUpdates != 0)
        CheckForUpdates(false);

    host->ClearList(mainid::kFilterCombo);
    for (const std::wstring& definition : filterList) {
        host->AddListItem(mainid::kFilterCombo, std::wstring(GetFilterName(definition)));
    }
    host->SelectListItem(mainid::kFilterCombo, selectedFilter);

    for (int id : {1008, 1009, 1012, 1015, 1013, 1014}) host->SetItemFont(id, kArrowFont);
    for (int id : {1010, 1016}) host->SetItemFont(id, kSmallGlyphFont);
    commandBox.SetEmulateCopyPaste(emulateCopyPaste);
    commandBox.SetScrollThrough(cmdhistoryScrollThrough);
    host->SetItemFont(mainid::kReturnToggle, kReturnGlyphFont);
    host->SetCheck(mainid::kReturnToggle, sendCR != 0);

    host->RemoveSystemMenuItem(sc::kMaximize);
    host->AppendSystemMenuSeparator();
    host->AppendSystemMenuItem(mainid::kAboutSysCommand, L"About Tandrel...");

    normalWindowHeight = host->WindowRect().Height();
    if (arrangeOnStartup != 0)
        FilterSelectionChanged();
    if (minimizeToSysTray != 0)
        ShowTrayIcon(TrayTip());
    ApplyWindowPreferences();
    return false;  // the focus is already in the command box
}

void CMainDialog::ApplyWindowPreferences() {
    std::uint32_t style = host->ExtendedStyle();
    const Rect rect = host->WindowRect();
    int height = normalWindowHeight;
    if (toolWindow != 0) {
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
        host->SetLayeredAlpha(static_cast<std::uint8_t>(windowOpacity & 0xFF));
    }
    platform.windows.Place(mainWindow, alwaysOnTop != 0 ? zorder::kTopMost : zorder::kNoTopMost, 0, 0,
                           rect.Width(), height, swp::kNoMove);
    RestoreCommandFocus();
}

void CMainDialog::RestoreCommandFocus() {
    if (host == nullptr)
        return;
    host->MakeDefaultButton(mainid::kSend);
    host->FocusItem(mainid::kCommandBox);
    const bool any = !commandHistory.empty();
    for (int id : {mainid::kHistoryOlder, mainid::kHistoryNewer, mainid::kHistoryClear})
        host->EnableItem(id, any);
    platform.windows.BringToForeground(mainWindow);
}

void CMainDialog::OpenMainWindow() {
    ShowAndActivate(platform.windows, mainWindow);
}

void CMainDialog::ShowTrayIcon(const std::wstring& tip) {
    // Without a notification area there is nothing to show, and the window never hides into it.
    if (platform.tray == nullptr)
        return;
    if (!trayIconShown) {
        platform.tray->AddIcon(mainWindow, tip);
        trayIconShown = true;
    } else {
        platform.tray->ModifyIcon(tip);
    }
}

bool CMainDialog::OnSysCommand(std::uintptr_t command) {
    const std::uintptr_t c = command & ~static_cast<std::uintptr_t>(0xF);
    if (c == static_cast<std::uintptr_t>(mainid::kAboutSysCommand)) {
        ShowAbout();
        return true;
    }
    // Minimise and close hide the window into the notification area, but only where there is
    // one: a window hidden without an icon could never be brought back.
    if ((c == sc::kMinimize || c == sc::kClose) && minimizeToSysTray != 0 && platform.tray != nullptr) {
        platform.windows.Show(mainWindow, sw::kHide);
        ShowTrayIcon(TrayTip());
        return true;
    }
    return false;
}

void CMainDialog::OnUserMessage(std::uint32_t message, std::intptr_t lParam) {
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
        if (minimizeToSysTray != 0)
            ShowTrayIcon(TrayTip());
    }
}

void CMainDialog::OnTrayNotify(std::uint32_t mouseMessage) {
    if (mouseMessage == wm::kRButtonDown || mouseMessage == wm::kContextMenu) {
        if (platform.tray != nullptr)
            platform.tray->ShowMenu(mainWindow, modalDialogOpen == 1);
        return;
    }
    if (mouseMessage == wm::kLButtonDblClk) {
        if (modalDialogOpen == 1)
            return;
        if (platform.windows.IsVisible(mainWindow)) {
            platform.windows.Show(mainWindow, sw::kHide);
        } else {
            OpenMainWindow();
        }
    }
    // Every other mouse message over the icon does nothing.
}

void CMainDialog::OnDestroyWindow() {
    UnhideTargetsAtExit();
}

void CMainDialog::ToggleReturn() {
    sendCR = sendCR != 0 ? 0 : 1;
    host->SetCheck(mainid::kReturnToggle, sendCR != 0);
    RestoreCommandFocus();
}

void CMainDialog::PreTranslateKeyDown(int focusedControlId, std::uint32_t& key) {
    if (key == vk::kEscape) {
        key = 0;  // the dialog manager never turns Escape into Cancel
        return;
    }
    if (focusedControlId != mainid::kCommandBox)
        return;
    switch (key) {
        case vk::kTab:
            if (tabCompletion != 0) {
                SubmitCommand(commandBox.GetCommandText(), true);
                key = 0;  // the focus stays in the box
            }
            break;
        case vk::kUp:
            if (cmdhistoryScrollThrough != 0)
                HistoryOlder();
            break;
        case vk::kDown:
            if (cmdhistoryScrollThrough != 0)
                HistoryNewer();
            break;
        default:
            break;
    }
}

}  // namespace tandrel
