#include "desktop_steps.h"

#include "keys/key_sender.h"

namespace e2e {

bool BringForward(tandrel::IWindowSystem& windows, tandrel::WindowId w, std::uint32_t boundMs) {
    tandrel::BringWindowForward(windows, w);
    return windows.WaitUntilFocused(w, boundMs);
}

}  // namespace e2e
