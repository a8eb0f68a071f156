// Minimize, Hide and the unhiding at exit: show-state changes of every target.
#include "arrange/arrange.h"

namespace tandrel {

void MinimizeWindows(IWindowSystem& windows, const std::vector<WindowId>& targets) {
    for (WindowId target : targets) {
        // A hidden window is shown first, so that it ends up minimised on the taskbar.
        if (!windows.IsVisible(target))
            windows.Show(target, sw::kShow);
        windows.Send(target, wm::kSysCommand, sc::kMinimize, 0);
    }
}

void HideWindows(IWindowSystem& windows, const std::vector<WindowId>& targets) {
    // A minimised window counts as visible: it leaves the taskbar too.
    for (WindowId target : targets) {
        if (windows.IsVisible(target))
            windows.Show(target, sw::kHide);
    }
}

void UnhideWindows(IWindowSystem& windows, const std::vector<WindowId>& targets) {
    // Only hidden windows are shown; minimised ones stay minimised. A hide given a moment ago
    // may still wait in a busy terminal's queue, where it would outlast a look at the window
    // now: the answer to a message sent behind it says it has been handled. A window that does
    // not answer is shown all the same, the show queued behind whatever it still has to do.
    for (WindowId target : targets) {
        const bool settled = windows.Send(target, wm::kNull, 0, 0);
        if (!settled || !windows.IsVisible(target))
            windows.Show(target, sw::kShow);
    }
}

}  // namespace tandrel
