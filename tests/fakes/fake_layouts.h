// Keyboard layouts beside the United States one, as excerpts: the keys where they differ from
// it that the tests type, dead keys and AltGr characters among them. What a layout leaves out
// is typed as on the US layout.
#pragma once
#include <cstdint>
#include <span>

namespace tandrel::fakes {

struct LayoutKey {
    wchar_t ch;
    std::uint8_t vk;
    std::uint8_t shiftState;  // 1 Shift, 6 AltGr (Ctrl+Alt)
    bool dead;                // types nothing itself but marks the next character
};

struct FakeLayout {
    const char* name;
    std::span<const LayoutKey> keys;
};

const FakeLayout& GermanLayout();
const FakeLayout& FrenchLayout();
const FakeLayout& UsInternationalLayout();

// What a dead key followed by a character types: the composed character, or 0 when the two
// do not compose (both are then typed). A blank after a dead key types the dead key's own.
wchar_t Compose(wchar_t dead, wchar_t next);

}  // namespace tandrel::fakes
