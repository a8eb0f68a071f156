// Minimize and Hide: show-state changes of every target.
#include "ui/main_dialog.h"

namespace tandrel {

void CMainDialog::MinimizeTargets() {
    CollectTargets();
    IWindowSystem& windows = platform.windows;
    for (WindowId target : TargetList) {
        // A hidden window is shown first, so that it ends up minimised on the taskbar.
        if (!windows.IsVisible(target))
            windows.Show(target, sw::kShow);
        windows.Send(target, wm::kSysCommand, sc::kMinimize, 0);
    }
    RestoreCommandFocus();
}

void CMainDialog::HideTargets() {
    CollectTargets();
    IWindowSystem& windows = platform.windows;
    // A minimised window counts as visible: it leaves the taskbar too.
    for (WindowId target : TargetList) {
        if (windows.IsVisible(target))
            windows.Show(target, sw::kHide);
    }
    RestoreCommandFocus();
}

}  // namespace tandrel
