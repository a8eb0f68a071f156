// The notification-area icon and its menu at the operating-system boundary.
#pragma once
#include <string>

#include "platform/platform_constants.h"

namespace tandrel {

class ITray {
  public:
    virtual ~ITray() = default;
    // Shell_NotifyIconW: NIM_ADD of the program's icon owned by `owner`, reporting mouse events
    // to it as TANDREL_MSG_TRAY_NOTIFY, true when the icon is there; NIM_MODIFY of its tip; NIM_DELETE.
    virtual bool AddIcon(WindowId owner, const std::wstring& tip) = 0;
    virtual void ModifyIcon(const std::wstring& tip) = 0;
    virtual void DeleteIcon() = 0;
    // NIM_MODIFY with NIF_INFO: a balloon from the icon with a warning sign, `text` cut to what
    // the balloon holds, ending in "..." where it was cut.
    virtual void ShowBalloon(const std::wstring& title, const std::wstring& text) = 0;
    // Forgets the icon without telling the shell (the shell restarted and lost it).
    virtual void ForgetIcon() = 0;
    // The tray menu (menu 139's first popup) at the cursor, its default item Open, the items
    // of the program's dialogs greyed when `greyed` is set, "Type in the background" checked when
    // `inBackground` is; the chosen command reaches `owner`.
    virtual void ShowMenu(WindowId owner, bool greyed, bool inBackground) = 0;
};

}  // namespace tandrel
