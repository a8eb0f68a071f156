// The notification-area icon and the tray menu (menu 139) over Shell_NotifyIconW.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include "platform/tray.h"

namespace tandrel::win32 {

class Win32Tray : public ITray {
  public:
    // `icon`: the program's icon (resource 100); the menu is loaded from resource 139.
    Win32Tray(HINSTANCE instance, HICON icon);
    ~Win32Tray() override;
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    void AddIcon(WindowId owner, const std::wstring& tip) override;
    void ModifyIcon(const std::wstring& tip) override;
    void DeleteIcon() override;
    void ForgetIcon() override;
    void ShowMenu(WindowId owner, bool greyed) override;

  private:
    void CopyTip(const std::wstring& tip);

    HICON icon_;
    HMENU menu_;
    NOTIFYICONDATAW record_{};
    bool present_ = false;
};

}  // namespace tandrel::win32
