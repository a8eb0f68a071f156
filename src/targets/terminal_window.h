// What makes a top-level window a terminal window: its class name is exactly one of the four
// classes of the PuTTY family, compared unit by unit (letter case counts).
#pragma once
#include <array>
#include <string_view>

namespace tandrel {

inline constexpr std::array<std::wstring_view, 4> kTerminalClasses = {L"PuTTY", L"PuTTYtel", L"TuTTY",
                                                                      L"PieTTY"};

constexpr bool IsTerminalClass(std::wstring_view className) {
    for (std::wstring_view c : kTerminalClasses) {
        if (c == className)
            return true;
    }
    return false;
}

// Class names and titles are read into buffers of this many UTF-16 units, terminator included,
// so a title takes part in filtering with at most its first 299 units.
inline constexpr std::size_t kNameBufferUnits = 300;

}  // namespace tandrel
