#include "app/sender_app.h"

#include <commctrl.h>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_main_window.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "platform/win32/win32_tray.h"
#include "ui/main_dialog.h"

namespace tandrel::app {

bool CSenderApp::RegisterWindowClass() {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = ::DefDlgProcW;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance_;
    wc.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassW(&wc) != 0;
}

bool CSenderApp::InitInstance() {
    // The common controls of the dialogs, the preferences' trackbar among them, with the
    // visual styles the manifest asks for.
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    win32::LookUpLayeredAttributes();

    // Without its window class the program cannot show anything: it ends without a word.
    if (!RegisterWindowClass())
        return false;

    // One instance at a time: a second start brings the first forward and ends.
    if (HWND running = ::FindWindowW(kWindowClass, nullptr); running != nullptr) {
        ::SendMessageW(running, kActivateMessage, 0, 0);
        return false;
    }

    HICON icon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    win32::Win32Platform system;
    Win32Storage storage;
    win32::Win32Shell shell;
    Win32Tray tray(instance_);
    Platform platform = system.With(storage, shell);
    platform.tray = &tray;
    {
        CMainDialog dialog(platform);
        win32::RunMainWindow(instance_, icon, dialog);
    }  // the dialog's destructor saves the settings and removes the tray icon
    return false;
}

}  // namespace tandrel::app
