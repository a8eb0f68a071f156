#include "desktop_steps.h"

namespace e2e {

bool BringForward(tandrel::IWindowSystem& windows, tandrel::WindowId w, std::uint32_t boundMs) {
    using namespace tandrel;
    windows.Send(w, wm::kSysCommand, sc::kHotKey, static_cast<std::intptr_t>(w));
    windows.Send(w, wm::kSysCommand, sc::kRestore, static_cast<std::intptr_t>(w));
    windows.Show(w, sw::kShow);
    windows.BringToForeground(w);
    windows.GiveFocus(w);
    return windows.WaitUntilFocused(w, boundMs);
}

}  // namespace e2e
