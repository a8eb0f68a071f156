#include "app/sender_app.h"

#include <commctrl.h>

#include "platform/win32/win32_command_edit.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "ui/main_dialog.h"

namespace tandrel::app {

namespace {

// A menu loaded from the resources, destroyed with its owner.
class LoadedMenu {
  public:
    LoadedMenu(HINSTANCE instance, int id) : menu_(LoadMenuW(instance, MAKEINTRESOURCEW(id))) {}
    ~LoadedMenu() {
        if (menu_ != nullptr)
            DestroyMenu(menu_);
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU Get() const { return menu_; }

  private:
    HMENU menu_;
};

win32::LayeredAttributesFn LookUpLayeredAttributes() {
    const HMODULE user32 = GetModuleHandleW(L"USER32.DLL");
    if (user32 == nullptr)
        return nullptr;
    const FARPROC proc = GetProcAddress(user32, "SetLayeredWindowAttributes");
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<win32::LayeredAttributesFn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

bool CSenderApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    win32::SetLayeredAttributesFunction(LookUpLayeredAttributes());

    const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    if (!RegisterMainWindowClass(icon))
        return false;  // nothing can run; the program ends without a word
    if (HandOverToRunningInstance())
        return false;
    RunMainWindow(icon);
    return false;
}

bool CSenderApp::RegisterMainWindowClass(HICON icon) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance_;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0;
}

bool CSenderApp::HandOverToRunningInstance() {
    const HWND running = FindWindowW(kWindowClass, nullptr);
    if (running == nullptr)
        return false;
    // The running instance brings itself forward; the foreground is ours to give while we start.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    if (process != 0)
        AllowSetForegroundWindow(process);
    // Synchronous, as the hand-over is, but a running instance that hangs does not hang this one.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(running, wm::kActivateMessage, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 10000, &answer);
    return true;
}

void CSenderApp::RunMainWindow(HICON icon) {
    win32::Win32Platform system;
    Win32Storage storage;
    win32::Win32Shell shell;
    // Menu 139, the tray menu, lives as long as the main window.
    const LoadedMenu trayMenu(instance_, kTrayMenuId);

    // The destructor of the main window's state saves the settings: the last step of the exit.
    CMainDialog dialog(system.With(storage, shell));
    win32::MainWindowHooks hooks;
    hooks.created = [&dialog](HWND window) {
        win32::SubclassCommandEdit(GetDlgItem(window, CCommandEdit::kId), dialog.commandBox);
        dialog.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    };
    hooks.preTranslateKey = [&dialog](int focused, std::uint32_t& key) {
        dialog.PreTranslateKeyDown(focused, key);
    };
    hooks.beforeDestroy = [&dialog] { dialog.OnDestroyWindow(); };
    win32::RunMainWindow(dialog, instance_, icon, hooks);
}

}  // namespace tandrel::app
