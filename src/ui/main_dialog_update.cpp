// The main window's update check, at start and from the tray menu.
#include "update/update_check.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {

void CMainDialog::CheckForUpdates(bool interactive) {
    // A build without a real web host has nowhere to ask: it never contacts the placeholder.
    if (!IsRealWebHost(platform.shell.WebHost())) {
        if (interactive)
            host->ShowMessageBox(L"This build of Tandrel has no update address.", L"Tandrel",
                                 mb::kOk | mb::kIconInformation);
        return;
    }
    RunUpdateCheck(
        platform.shell,
        [this](const std::wstring& text, const std::wstring& caption, std::uint32_t style) {
            return host->ShowMessageBox(text, caption, style);
        },
        interactive, modalDialogOpen, [this] { OpenHomePage(platform.shell); });
}

}  // namespace tandrel
