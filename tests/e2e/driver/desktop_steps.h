// Steps on the real desktop that several scenarios share.
#pragma once
#include <cstdint>

#include "platform/window_system.h"

namespace e2e {

// The five bring-forward steps of a broadcast (SC_HOTKEY and SC_RESTORE with the window's own
// handle, SW_SHOW, foreground, focus), then the wait until the window really has the keyboard.
bool BringForward(tandrel::IWindowSystem& windows, tandrel::WindowId w, std::uint32_t boundMs = 1000);

}  // namespace e2e
