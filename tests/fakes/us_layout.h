// The United States keyboard layout as the fakes know it: character to key code, key code to
// character, virtual key to scan code.
#pragma once
#include <cstdint>

namespace tandrel::fakes {

// VkKeyScanW for the US layout: 0xFFFF for characters it cannot type.
std::uint16_t UsKeyCodeFor(wchar_t ch);
// The character a key types on the US layout with or without Shift; 0 for none.
wchar_t UsCharFor(std::uint8_t vk, bool shift);
// MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) for the US layout; 0 for keys without a scan code.
std::uint32_t UsScanCodeFor(std::uint32_t vk);

}  // namespace tandrel::fakes
