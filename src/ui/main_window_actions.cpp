// The main window's actions that run a dialog or send fixed keys: quick keys, password, script,
// preferences and about.
#include "broadcast/quick_keys.h"
#include "broadcast/script_reader.h"
#include "broadcast/secret_text.h"
#include "settings/base64.h"
#include "ui/about_dialog.h"
#include "ui/main_dialog.h"
#include "ui/password_dialog.h"
#include "ui/preferences_dialog.h"

namespace tandrel {

bool CMainDialog::OnQuickKey(int controlId) {
    const std::wstring_view sequence = QuickKeySequence(controlId);
    if (sequence.empty())
        return false;  // not a quick-key button
    BroadcastKeys(std::wstring(sequence), false, false);
    RestoreCommandFocus();
    return true;
}

void CMainDialog::OnPassword() {
    modalDialogOpen = 1;
    {
        CPasswordDialog dialog(platform.shell);
        dialog.SetEncodedPassword(encodedPassword);
        if (host->RunModal(dialog) == mb::kIdOk) {
            encodedPassword = dialog.GetEncodedPassword();
            std::wstring plain = DecodeBase64(encodedPassword);
            ScopedWipe wipe(plain);  // the plain password lives only while it is sent
            BroadcastKeys(plain, false, true);
            SaveSettings();
        }
        RestoreCommandFocus();
    }
    modalDialogOpen = 0;
}

void CMainDialog::OnScript() {
    modalDialogOpen = 1;
    std::wstring path;
    if (host->ChooseFileToOpen(L"Tandrel Scripts (*.tdl)|*.tdl||", L"Open Tandrel script", path)) {
        std::string bytes;
        if (platform.storage.ReadFile(path, bytes)) {
            const bool capsLockOn = platform.keyboard.KeyState(vk::kCapital) != 0;
            const std::wstring sequence = BuildScriptSequence(bytes, capsLockOn, sendCR != 0);
            platform.windows.Show(mainWindow, sw::kHide);
            BroadcastKeys(sequence, false, false);
            platform.windows.Show(mainWindow, sw::kShow);
        }
        // A file that cannot be read sends nothing; the focus comes back all the same.
    }
    RestoreCommandFocus();
    modalDialogOpen = 0;
}

void CMainDialog::ShowAbout() {
    modalDialogOpen = 1;
    CAboutDialog dialog(platform.shell);
    host->RunModal(dialog);
    modalDialogOpen = 0;
}

void CMainDialog::OnPreferences() {
    modalDialogOpen = 1;
    CPreferencesDialog d(platform.shell, platform.windows, [this] { return CollectEveryTerminalWindow(); });
    d.SetSavePassword(savePassword);
    d.SetAutoArrange(autoArrange);
    d.SetAutoMinimize(autoMinimize);
    d.SetArrangeOnStartup(arrangeOnStartup);
    d.SetCascadeWidth(cascadeWidth);
    d.SetCascadeHeight(cascadeHeight);
    d.SetUnhideOnExit(unhideOnExit);
    d.SetToolWindow(toolWindow);
    d.SetAlwaysOnTop(alwaysOnTop);
    d.SetMinimizeToSysTray(minimizeToSysTray);
    d.SetWindowOpacity(windowOpacity);
    d.SetTransition(transition);
    d.SetEmulateCopyPaste(emulateCopyPaste);
    d.SetCmdhistoryScrollThrough(cmdhistoryScrollThrough);
    d.SetTabCompletion(tabCompletion);
    d.SetRunOnSystemStartup(runOnSystemStartup);
    d.SetCheckForUpdates(checkForUpdates);
    if (host->RunModal(d) == mb::kIdOk) {
        savePassword = d.GetSavePassword();
        autoArrange = d.GetAutoArrange();
        autoMinimize = d.GetAutoMinimize();
        arrangeOnStartup = d.GetArrangeOnStartup();
        unhideOnExit = d.GetUnhideOnExit();
        cascadeWidth = d.GetCascadeWidth();
        cascadeHeight = d.GetCascadeHeight();
        const std::int32_t oldToolWindow = toolWindow;
        const std::int32_t oldAlwaysOnTop = alwaysOnTop;
        toolWindow = d.GetToolWindow();
        alwaysOnTop = d.GetAlwaysOnTop();
        minimizeToSysTray = d.GetMinimizeToSysTray();
        if (minimizeToSysTray != 0) {
            ShowTrayIcon(TrayTip());
        } else {
            if (trayIconShown && platform.tray != nullptr)
                platform.tray->DeleteIcon();
            trayIconShown = false;
            if (!platform.windows.IsVisible(mainWindow))
                OpenMainWindow();
        }
        const std::int32_t oldOpacity = windowOpacity;
        windowOpacity = d.GetWindowOpacity();
        transition = d.GetTransition();
        tabCompletion = d.GetTabCompletion();
        cmdhistoryScrollThrough = d.GetCmdhistoryScrollThrough();
        commandBox.SetScrollThrough(cmdhistoryScrollThrough);
        emulateCopyPaste = d.GetEmulateCopyPaste();
        commandBox.SetEmulateCopyPaste(emulateCopyPaste);
        runOnSystemStartup = d.GetRunOnSystemStartup();
        checkForUpdates = d.GetCheckForUpdates();
        if (windowOpacity == oldOpacity && toolWindow == oldToolWindow && alwaysOnTop == oldAlwaysOnTop) {
            RestoreCommandFocus();
        } else {
            platform.windows.Show(mainWindow, sw::kHide);
            ApplyWindowPreferences();
            platform.windows.Show(mainWindow, sw::kShow);
        }
        SaveSettings();
    } else {
        RestoreCommandFocus();
    }
    modalDialogOpen = 0;
}

}  // namespace tandrel
