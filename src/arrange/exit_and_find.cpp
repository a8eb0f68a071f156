// Collections over every terminal window, whatever filter is selected: the unhiding at exit
// and the measuring of Find.
#include "ui/main_dialog.h"

namespace tandrel {

void CMainDialog::UnhideTargetsAtExit() {
    isExiting = true;  // never cleared again: from here on every collection takes every terminal
    if (unhideOnExit == 0)
        return;
    CollectTargets();
    IWindowSystem& windows = platform.windows;
    // Only hidden windows are shown; minimised ones stay minimised.
    for (WindowId target : TargetList) {
        if (!windows.IsVisible(target))
            windows.Show(target, sw::kShow);
    }
}

const std::vector<WindowId>& CMainDialog::CollectEveryTerminalWindow() {
    isFinding = true;
    CollectTargets();
    isFinding = false;
    return TargetList;
}

}  // namespace tandrel
