// Steps on the real desktop that several scenarios share.
#pragma once
#include <cstdint>

#include "platform/window_system.h"

namespace e2e {

// The five bring-forward steps of a broadcast (SC_HOTKEY and SC_RESTORE with the window's own
// handle, SW_SHOW, foreground, focus), then the wait until the window really has the keyboard.
bool BringForward(tandrel::IWindowSystem& windows, tandrel::WindowId w, std::uint32_t boundMs = 1000);

// The Caps Lock presses of a scenario, undone by one more press when it ends (or on Undo): the
// Wine server keeps one Caps Lock toggle for the desktop across the scenarios of a run, which the
// threads of later scenarios take over when it next changes.
class CapsLockPresses {
  public:
    CapsLockPresses() = default;
    CapsLockPresses(const CapsLockPresses&) = delete;
    CapsLockPresses& operator=(const CapsLockPresses&) = delete;
    ~CapsLockPresses() { Undo(); }
    void Press();                 // into the window that has the keyboard
    void Pressed() { ++count_; }  // a press made another way
    void Undo();

  private:
    int count_ = 0;
};

}  // namespace e2e
