// The message half of the key sender: a key sequence translated into the window messages a
// terminal takes as typed input when it is typed in the background, without the keyboard.
#include <cstdint>
#include <vector>

#include "keys/key_names.h"
#include "keys/key_sender.h"
#include "platform/platform_constants.h"
#include "platform/text_codec.h"

namespace tandrel {
namespace {

constexpr std::uint16_t kNoKeyCode = 0xFFFF;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint32_t kReplacementCharacter = 0xFFFD;
constexpr std::uint32_t kRepeatOnce = 1;

// The character a key types by itself, which reaches a window as a character message; 0 for a
// key without one, which the window translates itself (PuTTY with its own Backspace, cursor and
// function-key settings).
constexpr std::uint32_t CharacterOfKey(std::uint8_t key) {
    switch (key) {
        case vk::kReturn:
            return L'\r';
        case vk::kTab:
            return L'\t';
        case vk::kEscape:
            return 0x1B;
        default:
            return 0;
    }
}

}  // namespace

bool CKeySender::TranslateToMessages(std::wstring_view sequence, std::vector<KeyMessage>& out) {
    out.clear();
    // Every translation starts from the pacing the player has now, and leaves it so.
    const std::int32_t savedDefault = defaultDelay;
    const std::int32_t savedPending = pendingDelay;
    messages_ = &out;
    messageDelayMs_ = 0;
    const bool whole = PlayKeys(sequence);
    messages_ = nullptr;
    defaultDelay = savedDefault;
    pendingDelay = savedPending;
    if (!whole)
        out.clear();
    return whole;
}

void CKeySender::AppendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    messages_->push_back(KeyMessage{message, wParam, lParam, messageDelayMs_});
    messageDelayMs_ = 0;
}

void CKeySender::AppendKeyMessages(std::uint16_t code, std::uint32_t count, bool wait) {
    const auto key = static_cast<std::uint8_t>(code & 0xFF);
    // The lock keys change the receiving thread's toggle state, which no message does; the
    // Windows key and a shift state are read from that thread's key state, which a message does
    // not carry either, and so are a Shift or Ctrl held over the key.
    if (key == vk::kCapital || key == vk::kNumLock || key == vk::kScroll || (code >> 8) != 0 || heldWin ||
        heldShift || heldCtrl) {
        NoMessageForm();
        return;
    }
    const std::uint32_t character = CharacterOfKey(key);
    if (character != 0 && !heldAlt) {
        AppendCharacterMessages(character, count, wait);
        return;
    }
    // As the keyboard makes them: a repeat count of one, the scan code, the extended bit, and
    // with Alt held the context bit on system key messages (the terminal reads its Alt from
    // there: window.c's KF_ALTDOWN); a key-up has the previous-state and transition bits.
    const std::uint32_t scan = keyboard_.VirtualKeyToScanCode(key) & 0xFF;
    std::uint32_t lParam = kRepeatOnce | (scan << 16);
    if (IsExtendedKey(key))
        lParam |= keymsg::kExtended;
    if (heldAlt)
        lParam |= keymsg::kAltDown;
    const std::uint32_t down = heldAlt ? wm::kSysKeyDown : wm::kKeyDown;
    const std::uint32_t up = heldAlt ? wm::kSysKeyUp : wm::kKeyUp;
    const auto times = static_cast<std::uint16_t>(count & 0xFFFF);
    for (std::uint32_t i = 0; i < times; ++i) {
        if (!ReadyForKey(wait))
            return;
        AppendMessage(down, key, static_cast<std::intptr_t>(lParam));
        AppendMessage(up, key, static_cast<std::intptr_t>(lParam | keymsg::kWasDown | keymsg::kTransition));
    }
}

void CKeySender::AppendCharacterMessages(std::uint32_t codePoint, std::uint32_t count, bool wait) {
    if (codePoint > kLastCodePoint)
        codePoint = kReplacementCharacter;  // not a character
    if (heldWin) {
        NoMessageForm();
        return;
    }
    std::uint32_t unit = codePoint;
    if (heldCtrl) {
        // Ctrl with a letter or one of @ [ \ ] ^ _ is that control character (^c is 0x03), as the
        // keyboard makes it; any other chord is the receiving thread's to translate.
        const std::uint32_t upper = codePoint >= L'a' && codePoint <= L'z' ? codePoint - 0x20 : codePoint;
        if (heldShift || heldAlt || upper < L'@' || upper > L'_') {
            NoMessageForm();
            return;
        }
        unit = upper & 0x1F;
    } else if (heldShift) {
        // Shift over a letter is its capital; over anything else it depends on the layout.
        if (heldAlt ||
            !((codePoint >= L'a' && codePoint <= L'z') || (codePoint >= L'A' && codePoint <= L'Z'))) {
            NoMessageForm();
            return;
        }
        unit = codePoint & ~0x20u;
    } else if (heldAlt) {
        // Alt over a character is the key that types it, as a system key: the terminal makes the
        // Alt prefix itself (PuTTY: Esc, then the character). A character the layout types only
        // with a shift state or a dead key would need that state in the terminal's thread.
        const std::uint16_t code =
            codePoint <= 0xFFFF ? keyboard_.CharToKeyCode(static_cast<wchar_t>(codePoint)) : kNoKeyCode;
        if (code == kNoKeyCode || (code >> 8) != 0 || keyboard_.IsDeadKey(code)) {
            NoMessageForm();
            return;
        }
        AppendKeyMessages(code, count, wait);
        return;
    }
    const std::u16string units = Utf16UnitsOf(unit);
    const auto times = static_cast<std::uint16_t>(count & 0xFFFF);
    for (std::uint32_t i = 0; i < times; ++i) {
        if (!ReadyForKey(wait))
            return;
        for (const char16_t u : units) AppendMessage(wm::kChar, u, kRepeatOnce);
    }
}

}  // namespace tandrel
