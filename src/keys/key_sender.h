// The key sender: the key-sequence language and its player, the key-name table, and the
// primitives that turn keys into synthetic keyboard events for the focused window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/window_system.h"

namespace tandrel {

// Activates a window in four steps: WM_SYSCOMMAND SC_HOTKEY and SC_RESTORE (each with the
// window's own handle as lParam, through the bounded send), SW_SHOW, foreground. A minimised
// window is thereby restored and a hidden one shown.
void ShowAndActivate(IWindowSystem& windows, WindowId w);
// The same four steps, then the keyboard focus.
void BringWindowForward(IWindowSystem& windows, WindowId w);

// Why a play ended before the end of its sequence.
enum class PlayStop {
    kNone,              // it was played to its end
    kBraceTooLong,      // at a brace text too long for the name buffer
    kActivationFailed,  // a window it activated did not take the keyboard focus in time
    kWindowClosed,      // the window its keys were for closed
    kKeysNotTaken,      // the keys before a character message were not taken in time
    kNoMessageForm,     // a translation into messages met an item that has no message form
};

// One window message of a sequence typed in the background, and the pacing wait before it.
struct KeyMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint32_t delayMs = 0;
    bool operator==(const KeyMessage&) const = default;
};

class CKeySender {
  public:
    CKeySender(IKeyboard& keyboard, IWindowSystem& windows, IClock& clock);

    // Plays the whole sequence into the window that has the focus. False when it stopped early
    // (Stopped() says why): nothing after that point is typed, and no key stays down. With a
    // window named, the keys are for it (and, after an activation, for the window activated):
    // once it has closed nothing more is typed, since the keys would reach whichever window the
    // system activated next.
    bool PlayKeys(std::wstring_view sequence, WindowId into = kNoWindow);
    PlayStop Stopped() const { return stop_; }

    // Parses the sequence as PlayKeys does, but into the window messages the window would take
    // it as when typed in the background: characters (Enter "\r", Tab, ^c as 0x03, a character
    // beyond 16 bits as its two surrogates) as WM_CHAR; keys without a character as WM_KEYDOWN
    // and WM_KEYUP; Alt-prefixed items as system key messages with the context bit. Nothing is
    // typed and no window is touched. False when some item has no message form (an activation,
    // Caps/Num/Scroll Lock, the Windows key, Shift or Ctrl held over a key without a character,
    // a brace text too long): the sequence is then for the foreground way, and `out` is empty.
    bool TranslateToMessages(std::wstring_view sequence, std::vector<KeyMessage>& out);

    // Waits, up to `boundMs`, until the operator holds no modifier key (the Alt of an Alt+S that
    // pressed Send): one held would modify the keys typed. None is released for the operator.
    // False when one was still down at the bound.
    bool WaitUntilModifiersUp(std::uint32_t boundMs);

    // Key code for a key name (case-insensitive, whole name), or none.
    std::optional<std::uint16_t> LookUpKeyName(std::wstring_view name);

    void PressKey(std::uint8_t vk);
    void ReleaseKey(std::uint8_t vk);
    void TapKey(std::uint8_t vk);
    void PressKeyCode(std::uint16_t code, std::uint32_t count);
    void ReleaseHeldModifiers();
    bool ActivateWindowByTitle(std::wstring_view title);
    // The window the last play moved the keyboard to with an activation, or kNoWindow: the
    // keys typed after it went there.
    WindowId ActivatedWindow() const { return activatedWindow_; }

    std::int32_t defaultDelay = 0;
    std::int32_t pendingDelay = 0;

    // The text between "{" and "}" is copied into a buffer of this many characters, terminator
    // included: a brace text holds at most kNameBufferSize - 1 characters.
    static constexpr std::size_t kNameBufferSize = 300;
    // Titles are read into a buffer of this many characters when a window is looked for by a
    // part of its title.
    static constexpr std::size_t kTitleBufferSize = 300;
    // How long the keys already typed may take to be taken by their window, and a newly
    // activated window to hold the keyboard.
    static constexpr std::uint32_t kDeliveryBoundMs = 1000;
    // The longest one pacing wait lasts: the program takes no input while it waits, so a
    // delay of days would leave the operator no way out.
    static constexpr std::uint32_t kLongestPacingWaitMs = 60000;
    // How often, at most, typing asks whether the window the keys are for is still there. Each
    // question is a round trip to another process's window (under Wine, to its server): asked
    // before every key, it would cost a terminal of 60 characters several milliseconds. A window
    // closes on its keys only once its program has acted on them, after the keys typed at full
    // speed are sent; keys paced this far apart are each asked for.
    static constexpr std::uint32_t kClosedCheckMs = 5;

  private:
    // Every key stroke goes through here: only the low byte of `key` names the key and only the
    // low 16 bits of `count` are used.
    void StrokeKey(std::uint16_t key, std::uint32_t count, bool release, bool wait);
    // One NUM LOCK stroke, by the system family.
    void StrokeNumLock();
    // The pacing wait before each press of a main key.
    void WaitBeforeKey();
    // One typed unit of the player: the character at the start of `text`, a surrogate pair
    // being one character. Returns how many elements of `text` it took.
    std::size_t TypeCharacter(std::wstring_view text);
    // Types a character: as its key on the layout, or as itself where no key types it alone.
    void TypeCodePoint(std::uint32_t codePoint, std::uint32_t count);
    // Whether the layout's key code types its character by itself: not through a dead key,
    // which waits for the next character and combines with it, nor through AltGr.
    bool TypesAlone(std::uint16_t code);
    // Types a character as a character message to the window that has the focus, `count` times,
    // each after the pacing wait, once the keys before it have been taken by that window.
    void TypeStandAlone(std::uint32_t codePoint, std::uint32_t count);
    bool HoldsModifiers() const { return heldShift || heldCtrl || heldAlt || heldWin; }
    // Key-downs (or key-ups) of the held modifiers, in the order Shift, Ctrl, Alt, Windows key;
    // the held flags stay as they are.
    void StrokeHeldModifiers(bool down);
    // Runs the brace item held in the name buffer.
    void RunBraceItem(std::wstring_view text);
    void RunVirtualKeyItem(std::wstring_view argument);
    void RunBeepItem(std::wstring_view argument);
    void RunDelayItem(std::wstring_view text);
    void RunKeyNameItem(std::wstring_view text);
    // Whether a key may still be typed: the play has not stopped, and the window the keys are
    // for (when one is named) is still there, asked at the first key and then every
    // kClosedCheckMs. Stops the play when it has closed.
    bool MayType();
    // Before each press of a main key: the pacing wait when `wait` is set, then MayType.
    bool ReadyForKey(bool wait) {
        if (wait)
            WaitBeforeKey();
        return MayType();
    }
    // The message half of the player, used while `messages_` is set.
    void AppendKeyMessages(std::uint16_t code, std::uint32_t count, bool wait);
    void AppendCharacterMessages(std::uint32_t codePoint, std::uint32_t count, bool wait);
    void AppendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    void NoMessageForm() { stop_ = PlayStop::kNoMessageForm; }

    IKeyboard& keyboard_;
    IWindowSystem& windows_;
    IClock& clock_;

    // Player state, cleared at the start of every play.
    bool inGroup = false;
    bool heldShift = false;
    bool heldAlt = false;
    bool heldCtrl = false;
    bool heldWin = false;

    wchar_t nameBuffer_[kNameBufferSize] = {};

    // Key events sent since the focused window was last seen to have taken its input.
    bool keysPending_ = false;
    WindowId activatedWindow_ = kNoWindow;
    WindowId typingInto_ = kNoWindow;
    std::uint64_t closedCheckDueMs_ = 0;  // when MayType next asks whether typingInto_ is there
    PlayStop stop_ = PlayStop::kNone;
    // Where the messages of a translation go; none while keys are played.
    std::vector<KeyMessage>* messages_ = nullptr;
    std::uint32_t messageDelayMs_ = 0;

    // Reused across window look-ups so that an activation allocates only the first time.
    std::wstring wantedTitle_;
    std::vector<WindowId> windowList_;
    wchar_t titleBuffer_[kTitleBufferSize] = {};
};

}  // namespace tandrel
