// After a command the main window takes the keyboard back: Send is the default button, the focus
// is in the command box, and the window is in the foreground.
#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {
constexpr int kSendButton = 1024;
constexpr int kCommandBox = 1011;
constexpr int kHistoryButtons[] = {1008, 1009, 1010};
}  // namespace

void CMainDialog::RestoreCommandFocus() {
    if (host != nullptr) {
        host->MakeDefaultButton(kSendButton);
        // Straight to the control, not through the dialog manager, so Send stays the default.
        host->FocusItem(kCommandBox);
        for (int id : kHistoryButtons) host->EnableItem(id, !commandHistory.empty());
    }
    if (mainWindow != kNoWindow)
        platform.windows.BringToForeground(mainWindow);
}

}  // namespace tandrel
