#include "app/sender_app.h"

#include <commctrl.h>

#include "app/command_line_app.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_main_window.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "platform/win32/win32_target_marks.h"
#include "platform/win32/win32_tray.h"
#include "ui/main_dialog.h"

namespace tandrel::app {

namespace {

// Per logon session, as the window search is per desktop.
constexpr wchar_t kInstanceMutex[] = L"Local\\Tandrel.SingleInstance";
constexpr DWORD kHandOverBoundMs = 15000;
constexpr DWORD kHandOverPollMs = 50;

// Held by the running instance for its whole life.
class InstanceMutex {
  public:
    InstanceMutex() : handle_(::CreateMutexW(nullptr, TRUE, kInstanceMutex)) {
        // Opened rather than made (or, run by a less privileged user, not even opened): another
        // instance holds it.
        owned_ = handle_.Valid() && ::GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~InstanceMutex() {
        if (owned_)
            ::ReleaseMutex(handle_.Get());
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    bool Owned() const { return owned_; }
    // Waits up to `ms` for the holder to end; true when it did and this start holds it now.
    bool Take(DWORD ms) {
        if (!handle_.Valid()) {
            ::Sleep(ms);
            return false;
        }
        const DWORD result = ::WaitForSingleObject(handle_.Get(), ms);
        owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        return owned_;
    }

  private:
    win32::UniqueKernelHandle handle_;
    bool owned_ = false;
};

// Hands the start over to the instance that runs (or is just starting): it is activated as soon
// as its window exists. False when no instance is left to take it, and this start runs instead.
bool HandOverToRunningInstance(InstanceMutex& mutex) {
    for (DWORD waited = 0; waited < kHandOverBoundMs; waited += kHandOverPollMs) {
        if (HWND running = ::FindWindowW(kWindowClass, nullptr); running != nullptr) {
            ::SendMessageW(running, kActivateMessage, 0, 0);
            return true;
        }
        if (mutex.Owned() || mutex.Take(kHandOverPollMs))
            return false;  // the other one ended without a window
    }
    return true;  // the other one never made its window: one instance is enough all the same
}

}  // namespace

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

    // One instance at a time: a second start brings the first forward and ends. The mutex
    // tells of an instance that is still making its window (two starts at the same moment);
    // the window search also finds one of an earlier version, which holds no mutex.
    InstanceMutex mutex;
    if (HWND running = ::FindWindowW(kWindowClass, nullptr); running != nullptr) {
        ::SendMessageW(running, kActivateMessage, 0, 0);
        return false;
    }
    if (!mutex.Owned() && HandOverToRunningInstance(mutex))
        return false;

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
