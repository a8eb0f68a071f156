// IKeyboard on the Win32 API: keybd_event, SendInput, the layout's translation and key state.
#pragma once
#include "platform/keyboard.h"

namespace tandrel::win32 {

class Win32Keyboard final : public IKeyboard {
  public:
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
    void SendKeyInputs(const KeyInput* inputs, std::size_t count) override;
    std::uint16_t CharToKeyCode(wchar_t ch) override;
    std::uint32_t VirtualKeyToScanCode(std::uint32_t vk) override;
    bool IsDeadKey(std::uint16_t code) override;
    std::int16_t KeyState(int vk) override;
    std::int16_t AsyncKeyState(int vk) override;
    void ReadKeyboardState(std::uint8_t state[256]) override;
    void WriteKeyboardState(const std::uint8_t state[256]) override;
    std::uint32_t SystemVersion() override;
};

}  // namespace tandrel::win32
