#include "platform/win32/win32_keyboard.h"

#include <windows.h>

#include <algorithm>

namespace tandrel::win32 {

void Win32Keyboard::KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
    keybd_event(vk, scan, flags, 0);
}

void Win32Keyboard::SendKeyInputs(const KeyInput* inputs, std::size_t count) {
    // In batches on the stack: nothing is allocated per key.
    constexpr std::size_t kBatch = 16;
    INPUT batch[kBatch];
    while (count > 0) {
        const std::size_t n = std::min(count, kBatch);
        for (std::size_t i = 0; i < n; ++i) {
            batch[i] = INPUT{};
            batch[i].type = INPUT_KEYBOARD;
            batch[i].ki.wVk = inputs[i].vk;
            batch[i].ki.wScan = inputs[i].scan;
            batch[i].ki.dwFlags = inputs[i].flags;
        }
        SendInput(static_cast<UINT>(n), batch, sizeof(INPUT));
        inputs += n;
        count -= n;
    }
}

std::uint16_t Win32Keyboard::CharToKeyCode(wchar_t ch) {
    return static_cast<std::uint16_t>(VkKeyScanW(ch));
}

std::uint32_t Win32Keyboard::VirtualKeyToScanCode(std::uint32_t vk) {
    return MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
}

bool Win32Keyboard::IsDeadKey(std::uint16_t code) {
    const UINT vk = code & 0xFF;
    const UINT shiftState = code >> 8;
    if (shiftState == 0)
        return (MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x80000000u) != 0;
    BYTE state[256] = {};
    if ((shiftState & 1) != 0)
        state[VK_SHIFT] = 0x80;
    if ((shiftState & 2) != 0)
        state[VK_CONTROL] = 0x80;
    if ((shiftState & 4) != 0)
        state[VK_MENU] = 0x80;
    const HKL layout = GetKeyboardLayout(0);
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    wchar_t chars[8];
    // Flag 4 leaves the keyboard state alone; where the system does not know it, the dead key
    // stays pending in this thread and a blank takes it out again.
    constexpr UINT kKeepKeyboardState = 4;
    const int n = ToUnicodeEx(vk, scan, state, chars, 8, kKeepKeyboardState, layout);
    if (n >= 0)
        return false;
    const BYTE none[256] = {};
    ToUnicodeEx(VK_SPACE, MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC), none, chars, 8, kKeepKeyboardState,
                layout);
    return true;
}

std::int16_t Win32Keyboard::KeyState(int vk) {
    return GetKeyState(vk);
}

std::int16_t Win32Keyboard::AsyncKeyState(int vk) {
    return GetAsyncKeyState(vk);
}

void Win32Keyboard::ReadKeyboardState(std::uint8_t state[256]) {
    GetKeyboardState(state);
}

void Win32Keyboard::WriteKeyboardState(const std::uint8_t state[256]) {
    BYTE copy[256];
    std::copy(state, state + 256, copy);
    SetKeyboardState(copy);
}

std::uint32_t Win32Keyboard::SystemVersion() {
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // GetVersion is what tells the NT family from the older one
#endif
    return GetVersion();
}

}  // namespace tandrel::win32
