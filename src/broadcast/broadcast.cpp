// The broadcast: one text typed into every target window in turn.
#include <algorithm>
#include <string>
#include <utility>

#include "broadcast/broadcast.h"
#include "broadcast/broadcast_sequence.h"
#include "platform/diagnostics.h"
#include "platform/secret_text.h"

namespace tandrel {

namespace {

// A target gets this long to be brought forward, take the keyboard and take its keys: the
// system's own threshold for a hung window, so that a terminal that is only slow is served.
constexpr std::uint32_t kTargetBoundMs = kHungThresholdMs;
// The keys typed into a target are waited for this long at least, however long bringing it
// forward took: they are in its queue, and moving on early could let the next window take them.
constexpr std::uint32_t kLeastDeliveryBoundMs = 1000;
// While a target has not taken the keyboard, whether another window took the foreground from it
// is looked at this often.
constexpr std::uint32_t kRefocusMs = 250;
// How long the modifiers the operator still holds are waited for before the first key.
constexpr std::uint32_t kOperatorKeysBoundMs = 1000;

// What is left of a target's bound, which never exceeds kTargetBoundMs.
std::uint32_t Until(std::uint64_t untilMs, std::uint64_t nowMs) {
    return untilMs > nowMs ? static_cast<std::uint32_t>(untilMs - nowMs) : 0;
}

// Each key goes to whichever window has the keyboard when it arrives. Once the target has taken
// its keys, the keyboard should still be with its program (a dialog or message box of its own
// counts, and so does a target that closed on what was typed): if another program holds it, that
// program may have taken some of the keys, and the operator is told.
bool KeyboardLost(IWindowSystem& windows, WindowId typedInto) {
    const std::uint32_t process = windows.ProcessOf(typedInto);
    return process != 0 && windows.ProcessOf(windows.ForegroundWindow()) != process;
}

// Why a target missed keys when its play stopped early; none when it was played to its end.
std::optional<MissReason> MissOf(PlayStop stop) {
    switch (stop) {
        case PlayStop::kNone:
            return std::nullopt;
        case PlayStop::kBraceTooLong:
            return MissReason::kBraceTooLong;
        case PlayStop::kActivationFailed:
            return MissReason::kActivationFailed;
        case PlayStop::kWindowClosed:
            return MissReason::kClosedWhileTyped;
        case PlayStop::kKeysNotTaken:
            return MissReason::kKeysNotTaken;
        case PlayStop::kNoMessageForm:  // only a translation into messages stops so
            return MissReason::kTypedInForeground;
    }
    return std::nullopt;
}

}  // namespace

std::optional<MissReason> BringTargetForward(IWindowSystem& windows, IClock& clock, WindowId target,
                                             std::uint64_t untilMs) {
    const auto self = static_cast<std::intptr_t>(target);
    // A terminal that does not answer a system command is hung or gone; nothing more is asked
    // of it, since every further call could wait on it as well.
    if (!windows.Send(target, wm::kSysCommand, sc::kHotKey, self))
        return MissReason::kNoAnswer;
    if (!windows.Send(target, wm::kSysCommand, sc::kRestore, self))
        return MissReason::kNoAnswer;
    windows.Show(target, sw::kShow);
    windows.BringToForeground(target);
    // A window activated from another thread may take the focus by itself, but under Wine
    // the first keys that then reach it can lose their modifiers (the first Ctrl+M of a run
    // arrives as "m"): the focus is given to it in any case.
    windows.GiveFocus(target);
    // Keys typed before the target holds the keyboard would land in whichever window had it.
    // Another window may take the foreground back meanwhile (under Wine the desktop does, late,
    // when the main window was hidden just before): the target is then asked again.
    for (;;) {
        const std::uint32_t leftMs = Until(untilMs, clock.NowMs());
        if (windows.WaitUntilFocused(target, std::min(leftMs, kRefocusMs)))
            return std::nullopt;
        if (clock.NowMs() >= untilMs)
            return MissReason::kNoFocus;
        if (windows.ForegroundWindow() != target) {
            windows.BringToForeground(target);
            windows.GiveFocus(target);
        }
    }
}

std::vector<MissedTarget> TypeIntoTargets(const BroadcastPorts& ports, const std::vector<WindowId>& targets,
                                          const std::wstring& base, const BroadcastOptions& broadcast,
                                          const std::vector<std::size_t>* positions) {
    CKeySender& keySender = ports.keySender;
    IWindowSystem& windows = ports.windows;
    IClock& clock = ports.clock;
    const CapsLockWrapping capsLock = broadcast.capsLock;

    std::vector<MissedTarget> missed;
    // A negative transition from a hand-edited profile would turn into a wait of weeks.
    const std::uint32_t transitionMs =
        broadcast.transitionMs > 0 ? static_cast<std::uint32_t>(broadcast.transitionMs) : 0;
    // The Alt of an Alt+S that pressed Send may still be down: the keys would reach the terminals
    // as Alt chords. It is the operator's to release.
    if (!targets.empty() && !keySender.WaitUntilModifiersUp(kOperatorKeysBoundMs))
        Trace(L"Broadcast: a modifier key was still held down when the first keys were typed");
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const WindowId target = targets[i];
        // A target that cannot be brought forward is passed over: nothing is typed for it, so
        // its keys can never land in another window.
        const std::uint64_t untilMs = clock.NowMs() + kTargetBoundMs;
        std::optional<MissReason> miss = BringTargetForward(windows, clock, target, untilMs);
        std::wstring title;
        std::uint32_t waitMs = transitionMs;
        if (!miss) {
            // Caps Lock as the target's thread will interpret the keys, read anew for each target.
            const bool capsLockOn = capsLock != CapsLockWrapping::kNone &&
                                    (windows.KeyStateOfThread(target, vk::kCapital) & 1) != 0;
            TargetSequenceOptions options;
            options.isCommandText = capsLock == CapsLockWrapping::kCommand;
            options.capsLockOn = options.isCommandText && capsLockOn;
            options.endWithTab = broadcast.endWithTab;
            options.sendCR = broadcast.sendCR;
            std::wstring sequence =
                BuildTargetSequence(base, positions != nullptr ? (*positions)[i] : i + 1, options);
            ScopedWipe wipeSequence(sequence);

            // A script's Caps Lock strokes are plays of their own, so that no brace its text
            // leaves open can swallow the one that switches Caps Lock on again.
            const bool aroundScript = capsLock == CapsLockWrapping::kScript && capsLockOn;
            // The transition wait is there for the terminal to take its keys, which it does from
            // the first one played: once the barrier has seen them all taken, the time since
            // counts toward it.
            const std::uint64_t playedAt = clock.NowMs();
            // Read now: a target that closes while its keys are typed has no title afterwards.
            title = MissedTargetOf(windows, target, MissReason::kNoAnswer).title;
            if (aroundScript)
                keySender.PlayKeys(L"{DELAY=0}{CAPSLOCK}", target);
            keySender.PlayKeys(sequence, target);
            const PlayStop stop = keySender.Stopped();
            // The keys went where the sequence last moved the keyboard.
            const WindowId typedInto =
                keySender.ActivatedWindow() != kNoWindow ? keySender.ActivatedWindow() : target;
            if (aroundScript)
                keySender.PlayKeys(L"{CAPSLOCK}", typedInto);
            const std::uint32_t boundMs = std::max(Until(untilMs, clock.NowMs()), kLeastDeliveryBoundMs);
            if (stop == PlayStop::kWindowClosed) {
                miss = MissOf(stop);  // nothing of it is left to wait for
            } else if (windows.WaitUntilInputDelivered(typedInto, boundMs)) {
                const std::uint64_t tookMs = clock.NowMs() - playedAt;
                waitMs = tookMs >= transitionMs ? 0 : transitionMs - static_cast<std::uint32_t>(tookMs);
                miss = MissOf(stop);
                if (!miss && KeyboardLost(windows, typedInto))
                    miss = MissReason::kKeyboardLost;
            } else {
                miss = MissReason::kKeysNotTaken;
            }
        }
        if (miss) {
            MissedTarget m = MissedTargetOf(windows, target, *miss);
            if (m.title.empty())
                m.title = title;
            missed.push_back(std::move(m));
        }
        if (waitMs != 0)
            clock.Sleep(waitMs);
    }

    return missed;
}

}  // namespace tandrel
