// The injection half of the key sender: key strokes, the shift state of a key code, the pacing
// wait, NUM LOCK by system family, and characters the layout has no key for.
#include <algorithm>
#include <cstdint>

#include "keys/key_names.h"
#include "keys/key_sender.h"
#include "platform/platform_constants.h"
#include "platform/text_codec.h"

namespace tandrel {
namespace {

constexpr std::uint8_t kNumLockScanCode = 0x45;
constexpr std::uint32_t kOlderFamilyBit = 0x80000000u;
constexpr std::uint32_t kFirstMinorWithInput = 10;

constexpr std::uint32_t ExtendedFlag(std::uint8_t key) {
    return IsExtendedKey(key) ? keyflag::kExtendedKey : 0;
}

// Shift-state bits of a key code's high byte.
constexpr std::uint8_t kNeedsShift = 1;
constexpr std::uint8_t kNeedsCtrl = 2;
constexpr std::uint8_t kNeedsAlt = 4;

constexpr std::uint16_t kNoKeyCode = 0xFFFF;

constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

}  // namespace

CKeySender::CKeySender(IKeyboard& keyboard, IWindowSystem& windows, IClock& clock)
    : keyboard_(keyboard), windows_(windows), clock_(clock) {}

void CKeySender::WaitBeforeKey() {
    if (pendingDelay == 0)
        pendingDelay = defaultDelay;
    // A negative delay means no wait: handed to the system it would be a wait without end. A
    // longer one than kLongestPacingWaitMs waits that long.
    if (pendingDelay > 0) {
        const std::uint32_t waitMs = std::min(static_cast<std::uint32_t>(pendingDelay), kLongestPacingWaitMs);
        // A translation into messages carries the wait to the next message instead.
        if (messages_ != nullptr) {
            messageDelayMs_ += waitMs;
        } else {
            clock_.Sleep(waitMs);
        }
    }
    pendingDelay = 0;
}

void CKeySender::StrokeNumLock() {
    const std::uint32_t version = keyboard_.SystemVersion();
    if ((version & kOlderFamilyBit) == 0) {
        keyboard_.KeyEvent(vk::kNumLock, kNumLockScanCode, keyflag::kExtendedKey);
        keyboard_.KeyEvent(vk::kNumLock, kNumLockScanCode, keyflag::kExtendedKey | keyflag::kKeyUp);
        return;
    }
    const std::uint32_t minor = (version >> 8) & 0xFF;
    if (minor < kFirstMinorWithInput) {
        // The oldest systems ignore a synthetic NUM LOCK: flip the toggle in the state table.
        std::uint8_t state[256];
        keyboard_.ReadKeyboardState(state);
        const bool toggled = (keyboard_.KeyState(vk::kNumLock) & 1) != 0;
        state[vk::kNumLock] = static_cast<std::uint8_t>((state[vk::kNumLock] & ~1u) | (toggled ? 0u : 1u));
        keyboard_.WriteKeyboardState(state);
        return;
    }
    const KeyInput inputs[2] = {{vk::kNumLock, 0, 0}, {vk::kNumLock, 0, keyflag::kKeyUp}};
    keyboard_.SendKeyInputs(inputs, 2);
}

void CKeySender::StrokeKey(std::uint16_t key, std::uint32_t count, bool release, bool wait) {
    const auto vkey = static_cast<std::uint8_t>(key & 0xFF);
    const auto times = static_cast<std::uint16_t>(count & 0xFFFF);
    if (vkey == vk::kNumLock) {
        for (std::uint32_t i = 0; i < times; ++i) {
            if (!ReadyForKey(wait))
                return;
            StrokeNumLock();
            keysPending_ = true;
        }
        return;
    }
    const auto scan = static_cast<std::uint8_t>(keyboard_.VirtualKeyToScanCode(vkey) & 0xFF);
    const std::uint32_t downFlags = ExtendedFlag(vkey);
    // The key-up names the same key as its key-down: with the extended-key flag the generic Ctrl
    // and Alt codes are the right-hand keys, and the left ones would stay held.
    const std::uint32_t upFlags = downFlags | keyflag::kKeyUp;
    for (std::uint32_t i = 0; i < times; ++i) {
        if (!ReadyForKey(wait))
            return;
        keyboard_.KeyEvent(vkey, scan, downFlags);
        if (release)
            keyboard_.KeyEvent(vkey, scan, upFlags);
        keysPending_ = true;
    }
}

void CKeySender::PressKey(std::uint8_t vk) {
    // A modifier has no message of its own: the held flags say how the next unit is translated.
    if (messages_ != nullptr)
        return;
    StrokeKey(vk, 1, false, false);
}

void CKeySender::TapKey(std::uint8_t vk) {
    if (messages_ != nullptr) {
        AppendKeyMessages(vk, 1, false);
        return;
    }
    StrokeKey(vk, 1, true, false);
}

void CKeySender::ReleaseKey(std::uint8_t vk) {
    if (messages_ != nullptr)
        return;
    const auto scan = static_cast<std::uint8_t>(keyboard_.VirtualKeyToScanCode(vk) & 0xFF);
    keyboard_.KeyEvent(vk, scan, keyflag::kKeyUp | ExtendedFlag(vk));
    keysPending_ = true;
}

void CKeySender::PressKeyCode(std::uint16_t code, std::uint32_t count) {
    if (messages_ != nullptr) {
        AppendKeyMessages(code, count, true);
        return;
    }
    const auto shiftState = static_cast<std::uint8_t>(code >> 8);
    // Ctrl and Alt together in the shift state is how a layout asks for AltGr: right Alt goes
    // down too. Ctrl or Alt alone is that key alone (Alt+A reaches a terminal as Esc, a).
    const bool rightAlt = (shiftState & (kNeedsCtrl | kNeedsAlt)) == (kNeedsCtrl | kNeedsAlt);
    // A modifier that a prefix or group holds stays down until its unit ends: pressed and
    // released here as well, it would come up in the middle of a group.
    const bool shift = (shiftState & kNeedsShift) != 0 && !heldShift;
    const bool ctrl = (shiftState & kNeedsCtrl) != 0 && !heldCtrl;
    const bool alt = (shiftState & kNeedsAlt) != 0 && !heldAlt;
    if (shift)
        PressKey(vk::kShift);
    if (ctrl)
        PressKey(vk::kControl);
    if (alt)
        PressKey(vk::kMenu);
    if (rightAlt)
        PressKey(vk::kRMenu);
    StrokeKey(code, count, true, true);
    if (shift)
        ReleaseKey(vk::kShift);
    if (ctrl)
        ReleaseKey(vk::kControl);
    if (alt)
        ReleaseKey(vk::kMenu);
    if (rightAlt)
        ReleaseKey(vk::kRMenu);
}

bool CKeySender::TypesAlone(std::uint16_t code) {
    const auto shiftState = static_cast<std::uint8_t>(code >> 8);
    if ((shiftState & (kNeedsCtrl | kNeedsAlt)) == (kNeedsCtrl | kNeedsAlt))
        return false;  // AltGr: terminals may take Ctrl+Alt for a chord of their own
    return !keyboard_.IsDeadKey(code);
}

void CKeySender::TypeCodePoint(std::uint32_t codePoint, std::uint32_t count) {
    if (messages_ != nullptr) {
        AppendCharacterMessages(codePoint, count, true);
        return;
    }
    // The layout's translation takes one UTF-16 unit: no key types a character beyond them.
    const std::uint16_t code =
        codePoint <= 0xFFFF ? keyboard_.CharToKeyCode(static_cast<wchar_t>(codePoint)) : kNoKeyCode;
    // A prefix asks for a key chord: with one held, a character the layout has a key for is
    // typed with that key, whatever it is.
    if (code != kNoKeyCode && (HoldsModifiers() || TypesAlone(code))) {
        PressKeyCode(code, count);
    } else {
        TypeStandAlone(codePoint, count);
    }
}

void CKeySender::TypeStandAlone(std::uint32_t codePoint, std::uint32_t count) {
    if (codePoint > kLastCodePoint)
        codePoint = kReplacementCharacter;  // not a character
    // A character beyond 16 bits is two UTF-16 units, sent back to back as one character.
    const std::u16string units = Utf16UnitsOf(codePoint);
    const auto times = static_cast<std::uint16_t>(count & 0xFFFF);
    for (std::uint32_t i = 0; i < times; ++i) {
        if (!ReadyForKey(true))
            return;
        const WindowId focus = windows_.FocusWindow();
        // Nothing has the keyboard: the character is lost, as a key would be.
        if (focus == kNoWindow)
            continue;
        // A character message overtakes the key events still waiting in the window's queue, so
        // those are let in first; the keys typed after it queue behind it.
        // When they are not taken in time, the play stops rather than let it overtake them.
        if (keysPending_) {
            if (!windows_.WaitUntilInputDelivered(focus, kDeliveryBoundMs)) {
                stop_ = PlayStop::kKeysNotTaken;
                return;
            }
            keysPending_ = false;
        }
        for (const char16_t unit : units) windows_.Send(focus, wm::kChar, unit, 1);
    }
}

}  // namespace tandrel
