#include "platform/win32/win32_tray.h"

namespace tandrel::win32 {
namespace {

constexpr UINT kTrayNotifyMessage = 1026;
constexpr UINT kIconId = 1;
constexpr UINT kMenuId = 139;
constexpr UINT kOpen = 32771;
// The items of the program's own dialogs and of Exit, greyed while one of its dialogs is open.
constexpr UINT kGreyedCommands[] = {32771, 32780, 32781, 32773, 32774};
constexpr UINT kArrangeSubmenuPosition = 2;

}  // namespace

Win32Tray::Win32Tray(HINSTANCE instance, HICON icon)
    : icon_(icon), menu_(::LoadMenuW(instance, MAKEINTRESOURCEW(kMenuId))) {}

Win32Tray::~Win32Tray() {
    if (present_)
        DeleteIcon();
    if (menu_ != nullptr)
        ::DestroyMenu(menu_);
}

void Win32Tray::CopyTip(const std::wstring& tip) {
    lstrcpynW(record_.szTip, tip.c_str(), static_cast<int>(sizeof record_.szTip / sizeof record_.szTip[0]));
}

void Win32Tray::AddIcon(WindowId owner, const std::wstring& tip) {
    record_ = NOTIFYICONDATAW{};
    // The shell version 5 layout, with the balloon fields.
    record_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record_.hWnd = reinterpret_cast<HWND>(owner);
    record_.uID = kIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayNotifyMessage;
    record_.hIcon = icon_;
    record_.uTimeout = 1000;
    CopyTip(tip);
    present_ = true;
    ::Shell_NotifyIconW(NIM_ADD, &record_);  // a shell that is not there adds it on "TaskbarCreated"
}

void Win32Tray::ModifyIcon(const std::wstring& tip) {
    if (!present_)
        return;
    CopyTip(tip);
    ::Shell_NotifyIconW(NIM_MODIFY, &record_);
}

void Win32Tray::DeleteIcon() {
    if (!present_)
        return;
    ::Shell_NotifyIconW(NIM_DELETE, &record_);
    present_ = false;
}

void Win32Tray::ForgetIcon() {
    present_ = false;
}

void Win32Tray::ShowMenu(WindowId owner, bool greyed) {
    HMENU popup = menu_ != nullptr ? ::GetSubMenu(menu_, 0) : nullptr;
    if (popup == nullptr)
        return;
    HWND window = reinterpret_cast<HWND>(owner);
    POINT at{};
    ::GetCursorPos(&at);
    ::SetMenuDefaultItem(popup, kOpen, FALSE);
    const UINT state = greyed ? MF_GRAYED : MF_ENABLED;
    for (UINT command : kGreyedCommands) ::EnableMenuItem(popup, command, MF_BYCOMMAND | state);
    ::EnableMenuItem(popup, kArrangeSubmenuPosition, MF_BYPOSITION | state);
    // In the foreground, so that the menu closes when the operator clicks elsewhere.
    ::SetForegroundWindow(window);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window, nullptr);
    ::PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace tandrel::win32
