// The keyboard half of the operating-system boundary: synthetic key events, the layout's
// character-to-key translation, scan codes and key state.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tandrel {

// One keyboard input of the system's input call (SendInput).
struct KeyInput {
    std::uint16_t vk = 0;
    std::uint16_t scan = 0;
    std::uint32_t flags = 0;
};

class IKeyboard {
  public:
    virtual ~IKeyboard() = default;
    // keybd_event(vk, scan, flags, 0).
    virtual void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
    // SendInput with keyboard inputs, in order.
    virtual void SendKeyInputs(const KeyInput* inputs, std::size_t count) = 0;
    // VkKeyScanW: low byte the virtual key, high byte the shift state; 0xFFFF when the layout
    // has no key for the character.
    virtual std::uint16_t CharToKeyCode(wchar_t ch) = 0;
    // MapVirtualKeyW(vk, MAPVK_VK_TO_VSC).
    virtual std::uint32_t VirtualKeyToScanCode(std::uint32_t vk) = 0;
    // Whether a key code (as VkKeyScanW gives it) is a dead key on the layout: it types nothing
    // itself but marks the next character. MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) sets its top bit
    // for a key that is dead unshifted; with a shift state ToUnicodeEx tells, asked so that the
    // caller's keyboard state is left as it was.
    virtual bool IsDeadKey(std::uint16_t code) = 0;
    // GetKeyState: bit 0 toggled, bit 15 down.
    virtual std::int16_t KeyState(int vk) = 0;
    // GetAsyncKeyState: bit 15 set while the key is down on the keyboard now.
    virtual std::int16_t AsyncKeyState(int vk) = 0;
    // GetKeyboardState / SetKeyboardState of the calling thread.
    virtual void ReadKeyboardState(std::uint8_t state[256]) = 0;
    virtual void WriteKeyboardState(const std::uint8_t state[256]) = 0;
    // GetVersion: the NT family has the top bit clear.
    virtual std::uint32_t SystemVersion() = 0;
};

}  // namespace tandrel
