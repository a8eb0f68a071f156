// Show Targets and the Send button's tooltip: what the operator is told about the targets before
// anything is typed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tandrel {

// How long the numbers stay over the targets.
inline constexpr std::uint32_t kTargetMarksMs = 2000;

// "Send to 3 terminals" ("Send to 1 terminal"), and "... in the background" when typed so.
std::wstring SendButtonTip(std::size_t targets, bool inBackground = false);

// The note over the main window for the targets that cannot be marked where they are:
// "2 hidden, 1 minimised"; "No terminal passes the filter" when there is no target at all;
// empty when every target is marked.
std::wstring TargetsNote(std::size_t marked, std::size_t hidden, std::size_t minimised);

}  // namespace tandrel
