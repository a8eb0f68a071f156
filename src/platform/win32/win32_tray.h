// The notification-area icon and the tray menu through the Windows shell.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "platform/tray.h"

namespace tandrel {

class Win32Tray : public ITray {
  public:
    // `instance` holds icon resource 100 and menu resource 139.
    explicit Win32Tray(HINSTANCE instance);
    ~Win32Tray() override;
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;

    bool AddIcon(WindowId owner, const std::wstring& tip) override;
    void ModifyIcon(const std::wstring& tip) override;
    void DeleteIcon() override;
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override;
    void ForgetIcon() override;
    void ShowMenu(WindowId owner, bool greyed, bool inBackground) override;

  private:
    void CopyTip(const std::wstring& tip);

    HICON icon_ = nullptr;
    HMENU menu_ = nullptr;
    bool present_ = false;  // the record exists
    NOTIFYICONDATAW data_{};
};

}  // namespace tandrel
