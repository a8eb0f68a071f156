// The key sender: the key-sequence language and its player, the key-name table, and the
// primitives that turn keys into synthetic keyboard events for the focused window.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/window_system.h"

namespace tandrel {

class CKeySender {
  public:
    CKeySender(IKeyboard& keyboard, IWindowSystem& windows, IClock& clock);

    // Plays the whole sequence into the window that has the focus. False when it stopped at a
    // brace text that was too long.
    bool PlayKeys(std::wstring_view sequence);

    // Key code for a key name (case-insensitive, whole name), or none.
    std::optional<std::uint16_t> LookUpKeyName(std::wstring_view name);

    void PressKey(std::uint8_t vk);
    void ReleaseKey(std::uint8_t vk);
    void TapKey(std::uint8_t vk);
    void PressKeyCode(std::uint16_t code, std::uint32_t count);
    void ReleaseHeldModifiers();
    bool ActivateWindowByTitle(std::wstring_view title);

    std::int32_t defaultDelay = 0;
    std::int32_t pendingDelay = 0;

  private:
    // (implementation members are the keystroke engine's own)
    IKeyboard& keyboard_;
    IWindowSystem& windows_;
    IClock& clock_;
};

}  // namespace tandrel
