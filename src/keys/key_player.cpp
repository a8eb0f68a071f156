// The player of the key-sequence language: prefixes, groups, "~", brace items, and activation
// of a window by its title.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "keys/key_names.h"
#include "keys/key_sender.h"
#include "platform/platform_constants.h"
#include "platform/text_util.h"

namespace tandrel {
namespace {

constexpr std::uint16_t kNoKeyCode = 0xFFFF;

constexpr std::wstring_view kVirtualKeyWord = L"VKEY";
constexpr std::wstring_view kBeepWord = L"BEEP";
constexpr std::wstring_view kActivateWord = L"APPACTIVATE";
constexpr std::wstring_view kDelayWord = L"DELAY";

// Where each item's parameter starts: the beep's and the activation's command word is followed
// by one separator that is skipped whatever it is.
constexpr std::size_t kVirtualKeyArgument = 4;
constexpr std::size_t kBeepArgument = 5;
constexpr std::size_t kActivateArgument = 12;
constexpr std::size_t kDelayArgument = 5;

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view word) {
    return text.size() >= word.size() && CompareIgnoringCase(text.substr(0, word.size()), word) == 0;
}

// The character at the start of a non-empty text and how many elements it takes: a surrogate
// pair is one character. A template, so that only the branch for the platform's width of
// wchar_t is compiled.
template <typename Wide>
std::pair<std::uint32_t, std::size_t> CodePointAt(std::basic_string_view<Wide> text) {
    const auto first = static_cast<std::uint32_t>(text[0]);
    if constexpr (sizeof(Wide) == 2) {
        if (first >= 0xD800 && first <= 0xDBFF && text.size() > 1 && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
            return {0x10000 + ((first - 0xD800) << 10) + (static_cast<std::uint32_t>(text[1]) - 0xDC00), 2};
    }
    return {first, 1};
}

// The text from `position` on; empty when the text is too short to reach it.
std::wstring_view From(std::wstring_view text, std::size_t position) {
    return position < text.size() ? text.substr(position) : std::wstring_view{};
}

}  // namespace

void ShowAndActivate(IWindowSystem& windows, WindowId w) {
    const auto self = static_cast<std::intptr_t>(w);
    windows.Send(w, wm::kSysCommand, sc::kHotKey, self);
    windows.Send(w, wm::kSysCommand, sc::kRestore, self);
    windows.Show(w, sw::kShow);
    windows.BringToForeground(w);
}

void BringWindowForward(IWindowSystem& windows, WindowId w) {
    ShowAndActivate(windows, w);
    windows.GiveFocus(w);
}

std::optional<std::uint16_t> CKeySender::LookUpKeyName(std::wstring_view name) {
    const KeyNameRow* row = FindKeyName(name);
    if (row == nullptr)
        return std::nullopt;
    if (row->kind == KeyNameKind::kVirtualKey)
        return row->value;
    return keyboard_.CharToKeyCode(static_cast<wchar_t>(row->value));
}

bool CKeySender::PlayKeys(std::wstring_view sequence, WindowId into) {
    // The sequence ends at its terminator, wherever the caller's view ends.
    sequence = sequence.substr(0, sequence.find(L'\0'));
    activatedWindow_ = kNoWindow;
    typingInto_ = into;
    closedCheckDueMs_ = 0;
    stop_ = PlayStop::kNone;
    inGroup = false;
    heldShift = false;
    heldAlt = false;
    heldCtrl = false;
    heldWin = false;
    for (std::size_t i = 0; i < sequence.size() && stop_ == PlayStop::kNone; ++i) {
        const wchar_t ch = sequence[i];
        switch (ch) {
            case L'+':
                heldShift = true;
                PressKey(vk::kShift);
                break;
            case L'^':
                heldCtrl = true;
                PressKey(vk::kControl);
                break;
            case L'%':
                heldAlt = true;
                PressKey(vk::kMenu);
                break;
            case L'@':
                heldWin = true;
                PressKey(vk::kLWin);
                break;
            case L'(':
                inGroup = true;
                break;
            case L')':
                inGroup = false;
                ReleaseHeldModifiers();
                break;
            case L'~':
                TapKey(vk::kReturn);
                ReleaseHeldModifiers();
                break;
            case L'{': {
                const std::size_t start = i + 1;
                const std::size_t end = std::min(sequence.find(L'}', start), sequence.size());
                const std::size_t length = end - start;
                if (length >= kNameBufferSize) {
                    stop_ = PlayStop::kBraceTooLong;
                    break;
                }
                std::copy_n(sequence.data() + start, length, nameBuffer_);
                nameBuffer_[length] = L'\0';
                RunBraceItem(std::wstring_view(nameBuffer_, length));
                i = end;  // on with the character after the "}", or the end
                break;
            }
            default:
                i += TypeCharacter(sequence.substr(i)) - 1;
                break;
        }
    }
    // Wherever the play ended, no key it pressed stays down.
    inGroup = false;
    ReleaseHeldModifiers();
    return stop_ == PlayStop::kNone;
}

bool CKeySender::MayType() {
    if (stop_ != PlayStop::kNone)
        return false;
    if (typingInto_ == kNoWindow)
        return true;
    const std::uint64_t nowMs = clock_.NowMs();
    if (nowMs < closedCheckDueMs_)
        return true;
    closedCheckDueMs_ = nowMs + kClosedCheckMs;
    // A closed window's process reads as none.
    if (windows_.ProcessOf(typingInto_) == 0)
        stop_ = PlayStop::kWindowClosed;
    return stop_ == PlayStop::kNone;
}

bool CKeySender::WaitUntilModifiersUp(std::uint32_t boundMs) {
    constexpr std::uint8_t kModifiers[] = {vk::kShift, vk::kControl, vk::kMenu, vk::kLWin, vk::kRWin};
    constexpr std::uint32_t kPollMs = 10;
    const std::uint64_t untilMs = clock_.NowMs() + boundMs;
    for (;;) {
        const bool held = std::any_of(std::begin(kModifiers), std::end(kModifiers), [this](std::uint8_t key) {
            return (keyboard_.AsyncKeyState(key) & 0x8000) != 0;
        });
        if (!held)
            return true;
        if (clock_.NowMs() >= untilMs)
            return false;
        clock_.Sleep(kPollMs);
    }
}

void CKeySender::ReleaseHeldModifiers() {
    if (inGroup)
        return;
    if (heldShift)
        ReleaseKey(vk::kShift);
    if (heldCtrl)
        ReleaseKey(vk::kControl);
    if (heldAlt)
        ReleaseKey(vk::kMenu);
    if (heldWin)
        ReleaseKey(vk::kLWin);
    heldShift = false;
    heldCtrl = false;
    heldAlt = false;
    heldWin = false;
}

std::size_t CKeySender::TypeCharacter(std::wstring_view text) {
    const auto [codePoint, length] = CodePointAt<wchar_t>(text);
    TypeCodePoint(codePoint, 1);
    ReleaseHeldModifiers();
    return length;
}

void CKeySender::StrokeHeldModifiers(bool down) {
    const std::pair<bool, std::uint8_t> modifiers[] = {
        {heldShift, vk::kShift}, {heldCtrl, vk::kControl}, {heldAlt, vk::kMenu}, {heldWin, vk::kLWin}};
    for (const auto& [held, key] : modifiers) {
        if (!held)
            continue;
        if (down) {
            PressKey(key);
        } else {
            ReleaseKey(key);
        }
    }
}

void CKeySender::RunBraceItem(std::wstring_view text) {
    if (StartsWithIgnoringCase(text, kVirtualKeyWord)) {
        RunVirtualKeyItem(From(text, kVirtualKeyArgument));
    } else if (StartsWithIgnoringCase(text, kBeepWord)) {
        RunBeepItem(From(text, kBeepArgument));
    } else if (StartsWithIgnoringCase(text, kActivateWord)) {
        ActivateWindowByTitle(From(text, kActivateArgument));
    } else if (StartsWithIgnoringCase(text, kDelayWord)) {
        RunDelayItem(text);
    } else {
        RunKeyNameItem(text);
    }
}

void CKeySender::RunVirtualKeyItem(std::wstring_view argument) {
    const auto code = static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseWtoi(argument)) & 0xFFFF);
    if (code == kNoKeyCode)
        return;  // held modifiers wait for the next unit
    PressKeyCode(code, 1);
    ReleaseHeldModifiers();
}

void CKeySender::RunBeepItem(std::wstring_view argument) {
    const std::size_t blank = argument.find(L' ');
    if (blank == std::wstring_view::npos)
        return;
    const std::int32_t frequency = ParseWtoi(argument.substr(0, blank));
    const std::int32_t duration = ParseWtoi(argument.substr(blank + 1));
    // A negative number means no sound: handed to the system it would be a beep without end.
    if (frequency < 0 || duration < 0)
        return;
    clock_.Beep(static_cast<std::uint32_t>(frequency), static_cast<std::uint32_t>(duration));
}

void CKeySender::RunDelayItem(std::wstring_view text) {
    if (text.size() > kDelayArgument && text[kDelayArgument] == L'=') {
        defaultDelay = ParseWtoi(From(text, kDelayArgument + 1));
    } else {
        pendingDelay = ParseWtoi(From(text, kDelayArgument));
    }
}

void CKeySender::RunKeyNameItem(std::wstring_view text) {
    const std::size_t blank = text.find(L' ');
    const KeyNameRow* row = FindKeyName(text.substr(0, blank));
    if (row == nullptr)
        return;  // held modifiers wait for the next unit
    // A count below 1 presses nothing, as 0 does: read as unsigned, -1 would be 65,535 presses.
    const std::int32_t given = blank == std::wstring_view::npos ? 1 : ParseWtoi(text.substr(blank + 1));
    const std::uint32_t count = given < 1 ? 0u : static_cast<std::uint32_t>(given);
    if (row->kind == KeyNameKind::kVirtualKey) {
        PressKeyCode(row->value, count);
    } else {
        TypeCodePoint(row->value, count);
    }
    ReleaseHeldModifiers();
}

bool CKeySender::ActivateWindowByTitle(std::wstring_view title) {
    // An empty title names no window: the system's exact search would pick some untitled
    // (often hidden) window and the steps below would show it. So every title searched below
    // is non-empty, and an untitled window can never contain it.
    if (title.empty())
        return false;
    // Moving the keyboard to another window is the foreground way's alone.
    if (messages_ != nullptr) {
        NoMessageForm();
        return false;
    }
    wantedTitle_.assign(title);
    WindowId found = windows_.FindByTitle(wantedTitle_);
    if (found == kNoWindow) {
        windows_.ListTopLevelWindows(windowList_);
        for (const WindowId candidate : windowList_) {
            const std::size_t read =
                std::min(windows_.ReadTitle(candidate, titleBuffer_, kTitleBufferSize), kTitleBufferSize - 1);
            if (std::wstring_view(titleBuffer_, read).find(title) != std::wstring_view::npos) {
                found = candidate;
                break;
            }
        }
    }
    if (found == kNoWindow)
        return false;
    // The held modifiers went down in the window that has the focus now, whose thread alone knows
    // them: they come up there and go down again in the new window. The keys already typed
    // belong to the window being left: they arrive there before it loses the focus, and nothing
    // more is typed until the new window has it.
    StrokeHeldModifiers(false);
    windows_.WaitUntilInputDelivered(windows_.ForegroundWindow(), kDeliveryBoundMs);
    keysPending_ = false;
    BringWindowForward(windows_, found);
    if (!windows_.WaitUntilFocused(found, kDeliveryBoundMs)) {
        // The keyboard is still with the window left: the rest of the sequence is not for it.
        // Its held modifiers already came up there.
        heldShift = heldCtrl = heldAlt = heldWin = false;
        stop_ = PlayStop::kActivationFailed;
        return false;
    }
    StrokeHeldModifiers(true);
    activatedWindow_ = found;
    typingInto_ = found;
    return true;
}

}  // namespace tandrel
