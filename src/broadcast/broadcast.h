// The broadcast: one key sequence typed into every target window in turn, each brought forward
// first and its keys seen taken before the next.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "broadcast/delivery_report.h"
#include "keys/key_sender.h"
#include "platform/clock.h"
#include "platform/window_system.h"

namespace tandrel {

// What a broadcast reaches the targets through.
struct BroadcastPorts {
    CKeySender& keySender;
    IWindowSystem& windows;
    IClock& clock;
};

// How Caps Lock is dealt with in a target whose thread has it on: not at all (a ready
// sequence), switched off around command text, or around a script in plays of their own.
enum class CapsLockWrapping { kNone, kCommand, kScript };

struct BroadcastOptions {
    bool endWithTab = false;
    bool sendCR = true;
    CapsLockWrapping capsLock = CapsLockWrapping::kNone;
    std::int32_t transitionMs = 0;  // the wait after each target; none when not positive
};

// Activates, restores, shows and focuses one target and waits, until `untilMs` on the clock,
// for it to hold the keyboard. Why it could not, when it could not: the target is then passed
// over.
std::optional<MissReason> BringTargetForward(IWindowSystem& windows, IClock& clock, WindowId target,
                                             std::uint64_t untilMs);

// Types the base sequence (BuildBaseSequence) into each target in list order. Returns the
// targets it passed over or could not see take their keys, in list order: empty when all were
// served.
std::vector<MissedTarget> TypeIntoTargets(const BroadcastPorts& ports, const std::vector<WindowId>& targets,
                                          const std::wstring& base, const BroadcastOptions& options);

}  // namespace tandrel
