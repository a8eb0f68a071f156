#include "broadcast/quick_keys.h"

#include <array>

namespace tandrel {

namespace {

// The centre of the arrow pad: thirty Ctrl+M strokes, each of which a terminal takes as Enter.
constexpr std::wstring_view kThirtyEnters =
    L"^m^m^m^m^m^m^m^m^m^m"
    L"^m^m^m^m^m^m^m^m^m^m"
    L"^m^m^m^m^m^m^m^m^m^m";

// C, R and D are capitals, so they are typed with Shift as well as Ctrl.
constexpr std::array<QuickKey, 13> kQuickKeys = {{
    {1012, L"{UP}"},
    {1013, L"{LEFT}"},
    {1014, L"{RIGHT}"},
    {1015, L"{DOWN}"},
    {1016, kThirtyEnters},
    {1017, L"^C"},
    {1028, L"^R"},
    {1027, L"^D"},
    {1018, L"^]"},
    {1020, L"^m"},
    {1019, L"{ESC}"},
    {1030, L"{BACKSPACE}"},
    {1035, L"{DELETE}"},
}};

}  // namespace

std::span<const QuickKey> QuickKeys() {
    return kQuickKeys;
}

std::wstring_view QuickKeySequence(int controlId) {
    for (const QuickKey& k : kQuickKeys) {
        if (k.controlId == controlId)
            return k.sequence;
    }
    return {};
}

}  // namespace tandrel
