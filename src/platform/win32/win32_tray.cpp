#include "platform/win32/win32_tray.h"

#include <commctrl.h>

#include <cwchar>

#include "res/resource.h"

namespace tandrel {
namespace {
constexpr UINT kTrayNotifyMessage = TANDREL_MSG_TRAY_NOTIFY;
constexpr UINT kIconId = TANDREL_TRAY_ICON_ID;
constexpr UINT kOpenCommand = IDM_TRAY_OPEN;
// Open, Open Sessions, Preferences, Check for Updates, About and Exit, greyed while a dialog is
// open; the arrangement submenu goes by position.
constexpr UINT kDialogCommands[] = {IDM_TRAY_OPEN,        IDM_TRAY_OPEN_SESSIONS,
                                    IDM_TRAY_PREFERENCES, IDM_TRAY_CHECK_FOR_UPDATES,
                                    IDM_TRAY_ABOUT,       IDM_TRAY_EXIT};
constexpr UINT kArrangePosition = 2;
}  // namespace

Win32Tray::Win32Tray(HINSTANCE instance) {
    // At the size the shell asks for (scaled, from the larger images of the icon), else the
    // small icon's size.
    if (FAILED(LoadIconMetric(instance, MAKEINTRESOURCEW(IDI_TANDREL), LIM_SMALL, &icon_)))
        icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TANDREL), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                              LR_DEFAULTCOLOR));
    menu_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU));
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

bool Win32Tray::AddIcon(WindowId owner, const std::wstring& tip) {
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(NOTIFYICONDATAW);
    data_.hWnd = reinterpret_cast<HWND>(owner);
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayNotifyMessage;
    data_.hIcon = icon_;
    data_.uTimeout = 1000;
    CopyTip(tip);
    // A busy shell (at logon it often is) may time the add out and still show the icon; a
    // modify tells whether it is there.
    present_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
    return present_;
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

void Win32Tray::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    if (!present_)
        return;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    wcsncpy_s(balloon.szInfoTitle, title.c_str(), _TRUNCATE);
    // A text longer than the balloon holds ends in "..." where it was cut.
    if (wcsncpy_s(balloon.szInfo, text.c_str(), _TRUNCATE) == STRUNCATE)
        wcscpy_s(balloon.szInfo + ARRAYSIZE(balloon.szInfo) - 4, 4, L"...");
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void Win32Tray::ForgetIcon() {
    present_ = false;
}

void Win32Tray::ShowMenu(WindowId owner, bool greyed, bool inBackground) {
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
    CheckMenuItem(popup, IDM_TRAY_TYPE_IN_BACKGROUND,
                  MF_BYCOMMAND | (inBackground ? MF_CHECKED : MF_UNCHECKED));
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

}  // namespace tandrel
