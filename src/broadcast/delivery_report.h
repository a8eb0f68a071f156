// The targets a broadcast or an arrangement could not serve, and the report that names them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_constants.h"
#include "platform/window_system.h"

namespace tandrel {

enum class MissReason {
    kNoAnswer,      // the window did not answer in time: nothing was typed or moved
    kNoFocus,       // it never took the keyboard focus: nothing was typed
    kKeysNotTaken,  // its keys were typed, but it had not taken them in time
    kKeyboardLost,  // another program took the keyboard while its keys were typed
    // Its sequence stopped early: nothing after that point was typed.
    kClosedWhileTyped,  // it closed with keys still to be typed
    kActivationFailed,  // a window its keys activated did not take the keyboard focus
    kBraceTooLong,      // a brace text too long to be played
    // Not a miss: in the background way, its keys had no message form and were typed the
    // foreground way (it was brought forward for them).
    kTypedInForeground,
};

struct MissedTarget {
    WindowId window = kNoWindow;
    std::wstring title;
    MissReason reason = MissReason::kNoAnswer;
    bool operator==(const MissedTarget&) const = default;
};

// Why a window missed its keys or its move ("did not answer").
std::wstring_view MissReasonText(MissReason reason);

// The text of the report: what the windows missed ("the command", "the tiling"), then one line
// per window, its title and why. Long lists are cut, saying how many more there were.
std::wstring DeliveryReportText(std::wstring_view missedWhat, const std::vector<MissedTarget>& missed);

// The target with its title as it is now.
MissedTarget MissedTargetOf(IWindowSystem& windows, WindowId target, MissReason reason);

}  // namespace tandrel
