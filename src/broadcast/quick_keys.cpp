#include "broadcast/quick_keys.h"
#include "res/resource.h"

#include <array>

namespace tandrel {

namespace {

// The centre of the arrow pad: thirty Ctrl+M strokes, each of which a terminal takes as Enter.
constexpr std::wstring_view kThirtyEnters =
    L"^m^m^m^m^m^m^m^m^m^m"
    L"^m^m^m^m^m^m^m^m^m^m"
    L"^m^m^m^m^m^m^m^m^m^m";

// The control letters are lower case, so they are typed with Ctrl alone: a terminal may claim
// Ctrl+Shift+letter for itself (PuTTY takes Ctrl+Shift+C for "copy" and sends nothing).
constexpr std::array<QuickKey, 13> kQuickKeys = {{
    {IDC_KEY_UP, L"{UP}"},
    {IDC_KEY_LEFT, L"{LEFT}"},
    {IDC_KEY_RIGHT, L"{RIGHT}"},
    {IDC_KEY_DOWN, L"{DOWN}"},
    {IDC_KEY_CENTRE, kThirtyEnters},
    {IDC_KEY_CTRL_C, L"^c"},
    {IDC_KEY_CTRL_R, L"^r"},
    {IDC_KEY_CTRL_D, L"^d"},
    {IDC_KEY_CTRL_BRACKET, L"^]"},
    {IDC_KEY_ENTER, L"^m"},
    {IDC_KEY_ESC, L"{ESC}"},
    {IDC_KEY_BACKSPACE, L"{BACKSPACE}"},
    {IDC_KEY_DELETE, L"{DELETE}"},
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
