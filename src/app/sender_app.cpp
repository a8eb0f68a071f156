#include "app/sender_app.h"

#include <commctrl.h>

#include "app/command_line_app.h"
#include "app/instance_lock.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_main_window.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "platform/win32/win32_target_marks.h"
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

    // With /send, /script or /targets the program does that one thing and ends.
    if (const std::optional<int> code = RunCommandLine(instance_)) {
        exitCode_ = *code;
        return false;
    }

    // Without its window class the program cannot show anything: it ends without a word.
    if (!RegisterWindowClass())
        return false;

    // One instance at a time: a second start brings the first forward and ends. The lock tells
    // of an instance that is still making its window (two starts at the same moment) or of a
    // command-line run under way, which this start waits for; the window search also finds one
    // of an earlier version, which holds no lock.
    InstanceLock lock;
    if (HWND running = FindRunningInstance(lock); running != nullptr) {
        ::SendMessageW(running, kActivateMessage, 0, 0);
        return false;
    }
    if (!lock.Owned())
        return false;  // the holder never made its window: one instance is enough all the same

    HICON icon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    win32::Win32Platform system;
    Win32Storage storage;
    win32::Win32Shell shell;
    Win32Tray tray(instance_);
    win32::Win32TargetMarks marks(instance_);
    Platform platform = system.With(storage, shell);
    platform.tray = &tray;
    platform.marks = &marks;
    {
        CMainDialog dialog(platform);
        win32::RunMainWindow(instance_, icon, dialog);
    }  // the dialog's destructor saves the settings and removes the tray icon
    return false;
}

}  // namespace tandrel::app
