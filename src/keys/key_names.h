// The key names accepted in braces: 71 rows sorted without regard to case, so that a name is
// found by repeated halving.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/platform_constants.h"

namespace tandrel {

enum class KeyNameKind : std::uint8_t {
    kVirtualKey,  // the value is a virtual-key code, typed with no shift state
    kCharacter,   // the value is a character, typed with the key the layout gives for it
};

struct KeyNameRow {
    std::wstring_view name;
    std::uint8_t value;
    KeyNameKind kind;
};

// Keys that the system marks as extended: the key events and key messages of them carry the flag.
constexpr bool IsExtendedKey(std::uint8_t key) {
    switch (key) {
        case vk::kUp:
        case vk::kDown:
        case vk::kLeft:
        case vk::kRight:
        case vk::kHome:
        case vk::kEnd:
        case vk::kPrior:
        case vk::kNext:
        case vk::kInsert:
        case vk::kDelete:
        case vk::kRMenu:
            return true;
        default:
            return false;
    }
}

// The whole table, in its sorted order.
std::span<const KeyNameRow> KeyNameTable();

// The row whose name equals `name` apart from the case of ASCII letters, or nullptr.
const KeyNameRow* FindKeyName(std::wstring_view name);

// Three-way comparison with ASCII letters folded to lower case, as the C library's
// case-insensitive wide comparison does in the "C" locale.
constexpr int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) {
    const auto fold = [](wchar_t c) -> wchar_t {
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t x = fold(a[i]);
        const wchar_t y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace tandrel
