// PlayKeys over arbitrary sequences against the fake desktop. The input's first byte chooses the
// system family (NUM LOCK takes a different road on each), the rest holds up to four sequences,
// played one after another by the same key sender, so delays carry from one play to the next.
//
// After every play, whether it ran to its end or stopped at a too-long brace text:
// - no key is held down (the fake desktop's record of keys pressed and not released is empty);
// - the result is false exactly when the sequence holds a brace text of 300 characters or more;
// - a sequence made only of characters without a meaning in the language typed exactly itself;
// and no wait or beep was ever asked for longer than a signed 32-bit number of milliseconds
// (a negative delay handed to the system would be a wait without end). The fake clock does not
// really sleep, so a long delay costs nothing here.
//
// Each key-name item can repeat its key up to 65535 times, and a sequence can hold many such
// items: an input whose sequences could ask for more than kMaxPresses key presses in all is
// skipped, so that one run stays fast (about 0.6 microseconds a key event here, so a run of
// kMaxPresses presses takes about 80 ms). One item with the largest count is still played.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fakes/fake_desktop.h"
#include "fuzz/fuzz_text.h"
#include "keys/key_sender.h"
#include "platform/platform_constants.h"
#include "platform/text_util.h"

namespace {

using tandrel::fuzz::Fail;

constexpr std::size_t kMaxSequences = 4;
constexpr std::uint64_t kMaxPresses = 70000;
constexpr std::size_t kLongestBraceText = tandrel::CKeySender::kNameBufferSize - 1;
constexpr std::uint32_t kLongestWait = std::numeric_limits<std::int32_t>::max();

class CheckedDesktop : public tandrel::fakes::FakeDesktop {
  public:
    void Sleep(std::uint32_t ms) override {
        if (ms > kLongestWait)
            Fail("a wait without end was asked for");
        FakeDesktop::Sleep(ms);
    }
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override {
        if (durationMs > kLongestWait)
            Fail("a beep without end was asked for");
        FakeDesktop::Beep(frequency, durationMs);
    }
};

// The sequence as the player sees it: up to its terminator.
std::wstring_view Played(std::wstring_view sequence) {
    return sequence.substr(0, sequence.find(L'\0'));
}

// Walks the brace texts the way the language delimits them: from a "{" to the next "}" or the
// end. Calls `each` with every brace text until it returns false.
template <typename Each>
void ForEachBraceText(std::wstring_view s, Each each) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != L'{')
            continue;
        std::size_t end = s.find(L'}', i + 1);
        if (end == std::wstring_view::npos)
            end = s.size();
        if (!each(s.substr(i + 1, end - i - 1)))
            return;
        i = end;
    }
}

bool HasTooLongBraceText(std::wstring_view s) {
    bool found = false;
    ForEachBraceText(s, [&](std::wstring_view text) {
        found = text.size() > kLongestBraceText;
        return !found;
    });
    return found;
}

// More than the number of key presses the sequence can make: one per character, plus every
// repeat count a brace item could give.
std::uint64_t PressBound(std::wstring_view s) {
    std::uint64_t bound = s.size();
    ForEachBraceText(s, [&](std::wstring_view text) {
        const std::size_t blank = text.find(L' ');
        if (blank != std::wstring_view::npos)
            bound += static_cast<std::uint32_t>(tandrel::ParseWtoi(text.substr(blank + 1))) & 0xFFFF;
        return true;
    });
    return bound;
}

// What plain text types on the US layout: with Caps Lock on, letters come in the other case.
std::wstring TypedAs(std::wstring_view plain, bool capsLock) {
    std::wstring out(plain);
    if (capsLock) {
        for (wchar_t& ch : out) {
            if (ch >= L'a' && ch <= L'z')
                ch = static_cast<wchar_t>(ch - L'a' + L'A');
            else if (ch >= L'A' && ch <= L'Z')
                ch = static_cast<wchar_t>(ch - L'A' + L'a');
        }
    }
    return out;
}

// Characters that type themselves on the fake's US layout and mean nothing in the language.
bool IsPlainText(std::wstring_view s) {
    for (const wchar_t ch : s) {
        if (ch < L' ' && ch != L'\t' && ch != L'\r')
            return false;
        if (std::wstring_view(L"+^%@()~{").find(ch) != std::wstring_view::npos)
            return false;
    }
    return true;
}

constexpr std::uint32_t kSystemVersions[4] = {
    0x0000000Au,  // NT family, 10.0
    0x80000004u,  // older family, 4.0: NUM LOCK through the keyboard state table
    0x80000A04u,  // older family, 4.10: NUM LOCK through SendInput
    0x00000106u,  // NT family, 6.1
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto sequences = tandrel::fuzz::PiecesFromBytes(data + 1, size - 1, kMaxSequences);
    std::uint64_t presses = 0;
    for (const std::wstring& s : sequences) presses += PressBound(Played(s));
    if (presses > kMaxPresses)
        return 0;

    CheckedDesktop desktop;
    desktop.SetRecording(false);
    desktop.SetSystemVersion(kSystemVersions[data[0] & 3]);
    const auto web = desktop.AddWindow(L"PuTTY", L"web01");
    desktop.AddWindow(L"PuTTY", L"mail server");
    desktop.AddWindow(L"Notepad", L"");
    desktop.AddWindow(L"PuTTYtel", std::wstring(400, L'x'));
    desktop.SetFocusNow(web);

    tandrel::CKeySender sender(desktop, desktop, desktop);
    for (const std::wstring& sequence : sequences) {
        const tandrel::WindowId focus = desktop.Focus();
        const std::size_t typedBefore = desktop.Window(focus).text.size();
        const bool played = sender.PlayKeys(sequence);
        if (!desktop.HeldKeys().empty())
            Fail("a key is still held down after the play", sequence);
        if (played == HasTooLongBraceText(Played(sequence)))
            Fail(played ? "played to the end past a too-long brace text"
                        : "stopped without a too-long brace text",
                 sequence);
        if (IsPlainText(Played(sequence)) && desktop.Focus() == focus) {
            const std::wstring& text = desktop.Window(focus).text;
            // The focused window's thread interprets the keys, with its own Caps Lock.
            const bool capsLock = (desktop.KeyStateOfThread(focus, tandrel::vk::kCapital) & 1) != 0;
            if (std::wstring_view(text).substr(typedBefore) != TypedAs(Played(sequence), capsLock))
                Fail("plain text was not typed as itself", sequence,
                     std::wstring_view(text).substr(typedBefore));
        }
    }
    return 0;
}
