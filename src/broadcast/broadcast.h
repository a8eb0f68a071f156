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
    // Typed in the background: window messages to every target at once, nothing brought
    // forward (TypeIntoTargetsInBackground).
    bool inBackground = false;
};

// Activates, restores, shows and focuses one target and waits, until `untilMs` on the clock,
// for it to hold the keyboard. Why it could not, when it could not: the target is then passed
// over.
std::optional<MissReason> BringTargetForward(IWindowSystem& windows, IClock& clock, WindowId target,
                                             std::uint64_t untilMs);

// Types the base sequence (BuildBaseSequence) into each target in list order. Returns the
// targets it passed over or could not see take their keys, in list order: empty when all were
// served.
// `positions`, when given, holds each target's 1-based position for the increment marker
// (otherwise its place in the list).
std::vector<MissedTarget> TypeIntoTargets(const BroadcastPorts& ports, const std::vector<WindowId>& targets,
                                          const std::wstring& base, const BroadcastOptions& options,
                                          const std::vector<std::size_t>* positions = nullptr);

// Types the base sequence into every target at once without moving any window, the focus or the
// foreground: each target's sequence becomes window messages (CKeySender::TranslateToMessages),
// sent to every target in turn without waiting for any, paced alike by the sequence's delays;
// then each target's taking of them is confirmed, bounded by the hung threshold. A target whose
// sequence has no message form is typed the foreground way afterwards and named as such.
// Returns the targets named, in list order.
std::vector<MissedTarget> TypeIntoTargetsInBackground(const BroadcastPorts& ports,
                                                      const std::vector<WindowId>& targets,
                                                      const std::wstring& base,
                                                      const BroadcastOptions& options);

}  // namespace tandrel
