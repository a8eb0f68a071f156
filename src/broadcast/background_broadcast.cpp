// The background broadcast: every target typed into at once by window messages, and the screen,
// the foreground and the focus left to the operator.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "broadcast/broadcast.h"
#include "broadcast/broadcast_sequence.h"
#include "platform/diagnostics.h"
#include "platform/secret_text.h"

namespace tandrel {
namespace {

// One target's messages and how far they have been sent.
struct TargetPlan {
    WindowId window = kNoWindow;
    std::size_t index = 0;  // its place in the target list
    std::vector<KeyMessage> messages;
    std::size_t next = 0;
    std::uint64_t dueMs = 0;  // when messages[next] is due
    bool closed = false;
    std::wstring title;  // read before anything is sent: a target may close on its keys
};

bool Done(const TargetPlan& p) {
    return p.closed || p.next >= p.messages.size();
}

// Sends each target every message that is due, in order; a target whose window is gone is
// left. Returns when the next message (of any target) is due, or 0 when all are sent.
std::uint64_t SendDue(IWindowSystem& windows, std::vector<TargetPlan>& plans, std::uint64_t nowMs) {
    std::uint64_t nextDueMs = 0;
    for (TargetPlan& p : plans) {
        while (!Done(p) && p.dueMs <= nowMs) {
            const KeyMessage& m = p.messages[p.next];
            if (!windows.SendNotify(p.window, m.message, m.wParam, m.lParam)) {
                p.closed = true;
                break;
            }
            if (++p.next < p.messages.size())
                p.dueMs += p.messages[p.next].delayMs;
        }
        if (!Done(p) && (nextDueMs == 0 || p.dueMs < nextDueMs))
            nextDueMs = p.dueMs;
    }
    return nextDueMs;
}

void WipeMessages(std::vector<KeyMessage>& messages) {
    // A password's characters are in the messages' parameters.
    std::fill(messages.begin(), messages.end(), KeyMessage{});
}

}  // namespace

std::vector<MissedTarget> TypeIntoTargetsInBackground(const BroadcastPorts& ports,
                                                      const std::vector<WindowId>& targets,
                                                      const std::wstring& base,
                                                      const BroadcastOptions& broadcast) {
    IWindowSystem& windows = ports.windows;
    IClock& clock = ports.clock;
    std::vector<TargetPlan> plans;
    std::vector<WindowId> foregroundTargets;
    std::vector<std::size_t> foregroundPositions;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        // A character message carries its own case: Caps Lock, whatever the target's thread
        // has, does not change it, so no wrapping is added.
        TargetSequenceOptions options;
        options.isCommandText = broadcast.capsLock == CapsLockWrapping::kCommand;
        options.endWithTab = broadcast.endWithTab;
        options.sendCR = broadcast.sendCR;
        std::wstring sequence = BuildTargetSequence(base, i + 1, options);
        ScopedWipe wipeSequence(sequence);
        TargetPlan plan;
        if (!ports.keySender.TranslateToMessages(sequence, plan.messages)) {
            foregroundTargets.push_back(targets[i]);
            foregroundPositions.push_back(i + 1);
            continue;
        }
        plan.window = targets[i];
        plan.index = i;
        plan.title = MissedTargetOf(windows, targets[i], MissReason::kNoAnswer).title;
        plans.push_back(std::move(plan));
    }

    // Every target's messages go out without waiting for any target to handle them; the
    // sequence's own delays pace every target alike, each from the same start.
    const std::uint64_t startMs = clock.NowMs();
    for (TargetPlan& p : plans) p.dueMs = startMs + (p.messages.empty() ? 0 : p.messages.front().delayMs);
    for (std::uint64_t dueMs = SendDue(windows, plans, startMs); dueMs != 0;) {
        const std::uint64_t nowMs = clock.NowMs();
        if (dueMs > nowMs)
            windows.Pause(static_cast<std::uint32_t>(dueMs - nowMs));
        dueMs = SendDue(windows, plans, clock.NowMs());
    }

    // The barrier. SendNotify queues each message as a sent message in the target thread's
    // queue, and that thread handles sent messages in the order they were queued, before it
    // returns to its posted ones; the barrier's own sent message is queued after them from this
    // same thread, so its answer means every message before it has been handled. (Posted
    // messages would prove nothing: a thread handles a later sent message before them.)
    std::vector<WindowId> sentTo;
    for (const TargetPlan& p : plans) sentTo.push_back(p.window);
    std::vector<bool> taken;
    if (!sentTo.empty())
        windows.WaitUntilTaken(sentTo, kHungThresholdMs, taken);

    std::vector<std::pair<std::size_t, MissedTarget>> named;
    for (std::size_t k = 0; k < plans.size(); ++k) {
        TargetPlan& p = plans[k];
        WipeMessages(p.messages);
        if (!p.closed && k < taken.size() && taken[k])
            continue;
        const bool gone = p.closed || windows.ProcessOf(p.window) == 0;
        MissedTarget m = MissedTargetOf(windows, p.window,
                                        gone ? MissReason::kClosedWhileTyped : MissReason::kKeysNotTaken);
        if (m.title.empty())
            m.title = p.title;
        named.emplace_back(p.index, std::move(m));
    }

    // What has no message form is typed the foreground way, after the rest has been taken.
    if (!foregroundTargets.empty()) {
        Trace(L"Broadcast: " + std::to_wstring(foregroundTargets.size()) +
              L" target(s) typed the foreground way: their keys have no message form");
        const std::vector<MissedTarget> missed =
            TypeIntoTargets(ports, foregroundTargets, base, broadcast, &foregroundPositions);
        for (std::size_t k = 0; k < foregroundTargets.size(); ++k) {
            const auto it = std::find_if(missed.begin(), missed.end(), [&](const MissedTarget& m) {
                return m.window == foregroundTargets[k];
            });
            named.emplace_back(foregroundPositions[k] - 1,
                               it != missed.end() ? *it
                                                  : MissedTargetOf(windows, foregroundTargets[k],
                                                                   MissReason::kTypedInForeground));
        }
    }
    // Each target is named once: its place in the list orders them.
    std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<MissedTarget> result;
    for (auto& [index, m] : named) result.push_back(std::move(m));
    return result;
}

}  // namespace tandrel
