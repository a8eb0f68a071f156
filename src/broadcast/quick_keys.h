// The quick-key buttons of the main window: each sends one fixed key sequence to every target,
// played as it stands (no escaping, no Enter, no Caps Lock handling).
#pragma once
#include <span>
#include <string_view>

namespace tandrel {

struct QuickKey {
    int controlId;
    std::wstring_view sequence;
};

// The thirteen buttons, in the order of the main window's template.
std::span<const QuickKey> QuickKeys();

// The sequence of a quick-key button; empty for any other control.
std::wstring_view QuickKeySequence(int controlId);

}  // namespace tandrel
