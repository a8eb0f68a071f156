// Numbers drawn over windows for a moment (Show Targets) at the operating-system boundary.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_constants.h"

namespace tandrel {

struct TargetMark {
    WindowId window = kNoWindow;
    int number = 0;  // the window's position in the target list
    bool operator==(const TargetMark&) const = default;
};

class ITargetMarks {
  public:
    virtual ~ITargetMarks() = default;
    // Draws each mark's number over the middle of its window, and the note (unless empty) over
    // the top of `noteOver`, or of the screen when that window is not visible, in topmost windows
    // that let clicks through, never take the focus, and go by themselves after `durationMs`.
    // Marks still shown from an earlier call go first.
    virtual void Show(const std::vector<TargetMark>& marks, const std::wstring& note, WindowId noteOver,
                      std::uint32_t durationMs) = 0;
};

}  // namespace tandrel
