#include "desktop_steps.h"

#include "app_steps.h"
#include "keys/key_sender.h"

namespace e2e {

bool BringForward(tandrel::IWindowSystem& windows, tandrel::WindowId w, std::uint32_t boundMs) {
    tandrel::BringWindowForward(windows, w);
    return windows.WaitUntilFocused(w, boundMs);
}

void CapsLockPresses::Press() {
    PressKey(VK_CAPITAL);
    ++count_;
}

void CapsLockPresses::Undo() {
    if (count_ % 2 != 0)
        PressKey(VK_CAPITAL);
    count_ = 0;
}

}  // namespace e2e
