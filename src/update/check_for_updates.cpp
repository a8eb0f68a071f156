#include "update/update_check.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {

void CMainDialog::CheckForUpdates(bool interactive) {
    RunUpdateCheck(platform.shell, *host, interactive, modalDialogOpen,
                   [this] { OpenHomePage(platform.shell); });
}

}  // namespace tandrel
