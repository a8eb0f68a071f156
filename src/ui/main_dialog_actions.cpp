// The main window's actions that run a dialog or send fixed keys: quick keys, password, script,
// preferences and about.
#include "broadcast/quick_keys.h"
#include "broadcast/script_reader.h"
#include "platform/secret_text.h"
#include "platform/modal_scope.h"
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
    ReportMissed(L"the quick key", BroadcastKeys(std::wstring(sequence), false, false));
    RestoreCommandFocus();
    return true;
}

void CMainDialog::OnPassword() {
    const ModalScope modal(modalDialogOpen);
    CPasswordDialog dialog(platform.shell);
    dialog.SetEncodedPassword(encodedPassword);
    if (host->RunModal(dialog) == mb::kIdOk) {
        encodedPassword = dialog.GetEncodedPassword();
        std::wstring plain = DecodePassword(encodedPassword);
        ScopedWipe wipe(plain);  // the plain password lives only while it is sent
        const std::vector<MissedTarget> missed = BroadcastKeys(plain, false, true);
        SaveSettings();
        ReportMissed(L"the password", missed);
    }
    RestoreCommandFocus();
}

void CMainDialog::OnScript() {
    const ModalScope modal(modalDialogOpen);
    std::wstring path;
    if (host->ChooseFileToOpen(L"Tandrel Scripts (*.tdl)|*.tdl||", L"Open Tandrel script", path)) {
        std::string bytes;
        if (platform.storage.ReadFile(path, bytes) == FileRead::kRead) {
            ReportMissed(L"the script", PlayScript(bytes));
        } else {
            host->ShowMessageBox(L"The script\n" + path +
                                     L"\ncould not be read: nothing was sent.\n\nCheck that the file is "
                                     L"there and that you may read it, then try again.",
                                 L"Tandrel", mb::kOk | mb::kIconExclamation);
        }
    }
    RestoreCommandFocus();
}

std::vector<MissedTarget> CMainDialog::PlayScript(std::string_view bytes) {
    // Caps Lock is switched off around it per target, as each target's thread has it.
    const std::wstring sequence = BuildScriptSequence(bytes, false, settings.sendCR != 0);
    // The main window, when it is shown, keeps out of the way while the script is typed; in the
    // background nothing moves, and it need not.
    const bool shown =
        !TypesInBackground() && mainWindow != kNoWindow && platform.windows.IsVisible(mainWindow);
    if (shown)
        platform.windows.Show(mainWindow, sw::kHide);
    std::vector<MissedTarget> missed = BroadcastScript(sequence);
    // Shown again without taking the foreground: the caller says where the keyboard goes next.
    if (shown)
        platform.windows.Show(mainWindow, sw::kShowNA);
    return missed;
}

void CMainDialog::ShowAbout() {
    const ModalScope modal(modalDialogOpen);
    CAboutDialog dialog(platform.shell);
    host->RunModal(dialog);
}

void CMainDialog::OnPreferences() {
    const ModalScope modal(modalDialogOpen);
    CPreferencesDialog d(platform.shell, platform.windows, [this] { return CollectEveryTerminalWindow(); });
    d.SetValues(settings);
    if (host->RunModal(d) == mb::kIdOk) {
        const Settings old = settings;
        settings = d.Values();
        if (settings.minimizeToSysTray != 0) {
            ShowTrayIcon(TrayTip());
        } else {
            if (trayIconShown && platform.tray != nullptr)
                platform.tray->DeleteIcon();
            trayIconShown = false;
            if (!platform.windows.IsVisible(mainWindow))
                OpenMainWindow();
        }
        commandBox.SetScrollThrough(settings.cmdhistoryScrollThrough);
        commandBox.SetEmulateCopyPaste(settings.emulateCopyPaste);
        if (settings.windowOpacity == old.windowOpacity && settings.toolWindow == old.toolWindow &&
            settings.alwaysOnTop == old.alwaysOnTop) {
            RestoreCommandFocus();
        } else {
            platform.windows.Show(mainWindow, sw::kHide);
            ApplyWindowPreferences();
            platform.windows.Show(mainWindow, sw::kShow);
        }
        SaveSettings();
        UpdateSendTip();
    } else {
        RestoreCommandFocus();
    }
}

}  // namespace tandrel
