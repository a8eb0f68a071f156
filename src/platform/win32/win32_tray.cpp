#include "platform/win32/win32_tray.h"

#include <cwchar>

namespace tandrel {
namespace {
constexpr UINT kTrayNotifyMessage = 1026;
constexpr UINT kIconId = 1;
constexpr UINT kOpenCommand = 32771;
// Open, Preferences, Check for Updates, About and Exit, greyed while a dialog is open; the
// arrangement submenu goes by position.
constexpr UINT kDialogCommands[] = {32771, 32780, 32781, 32773, 32774};
constexpr UINT kArrangePosition = 2;
}  // namespace

Win32Tray::Win32Tray(HINSTANCE instance) {
    icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(100), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                          LR_DEFAULTCOLOR));
    menu_ = LoadMenuW(instance, MAKEINTRESOURCEW(139));
}

Win32Tray::~Win32Tray() {
    if (present_)
        DeleteIcon();
    if (menu_ != nullptr)
        DestroyMenu(menu_);
    if (icon_ != nullptr)
        DestroyIcon(icon_);
}

void Win32Tray::CopyTip(const std::wstring& tip) {
    wcsncpy_s(data_.szTip, tip.c_str(), _TRUNCATE);
}

void Win32Tray::AddIcon(WindowId owner, const std::wstring& tip) {
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(NOTIFYICONDATAW);
    data_.hWnd = reinterpret_cast<HWND>(owner);
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayNotifyMessage;
    data_.hIcon = icon_;
    data_.uTimeout = 1000;
    CopyTip(tip);
    present_ = true;
    Shell_NotifyIconW(NIM_ADD, &data_);
}

void Win32Tray::ModifyIcon(const std::wstring& tip) {
    if (!present_)
        return;
    CopyTip(tip);
    Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void Win32Tray::DeleteIcon() {
    if (!present_)
        return;
    Shell_NotifyIconW(NIM_DELETE, &data_);
    present_ = false;
}

void Win32Tray::ForgetIcon() {
    present_ = false;
}

void Win32Tray::ShowMenu(WindowId owner, bool greyed) {
    HMENU popup = menu_ != nullptr ? GetSubMenu(menu_, 0) : nullptr;
    if (popup == nullptr)
        return;
    const HWND window = reinterpret_cast<HWND>(owner);
    POINT at{};
    GetCursorPos(&at);
    SetMenuDefaultItem(popup, kOpenCommand, FALSE);
    const UINT state = greyed ? MF_GRAYED : MF_ENABLED;
    for (UINT command : kDialogCommands) {
        EnableMenuItem(popup, command, MF_BYCOMMAND | state);
    }
    EnableMenuItem(popup, kArrangePosition, MF_BYPOSITION | state);
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace tandrel
