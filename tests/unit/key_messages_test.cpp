// A key sequence translated into the window messages of a background broadcast: characters,
// control characters and surrogates as WM_CHAR, keys without a character as key messages with
// scan code and extended bit, Alt as system key messages with the context bit, the pacing
// carried on each message, and the items with no message form.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fakes/fake_desktop.h"
#include "keys/key_sender.h"

namespace tandrel {
namespace {

constexpr std::uint32_t kChar = 0x0102;
KeyMessage Ch(std::uintptr_t unit, std::uint32_t delayMs = 0) {
    return {kChar, unit, 1, delayMs};
}
// A key's down and up messages: repeat count 1, the scan code, `bits` (extended, context).
std::vector<KeyMessage> Key(std::uint8_t key, std::uint32_t scan, std::uint32_t bits = 0, bool sys = false,
                            std::uint32_t delayMs = 0) {
    const std::intptr_t down = static_cast<std::intptr_t>(1u | (scan << 16) | bits);
    const std::intptr_t up = static_cast<std::intptr_t>(static_cast<std::uint32_t>(down) | 0xC0000000u);
    return {{sys ? 0x0104u : 0x0100u, key, down, delayMs}, {sys ? 0x0105u : 0x0101u, key, up, 0}};
}
std::vector<KeyMessage> Cat(std::initializer_list<std::vector<KeyMessage>> parts) {
    std::vector<KeyMessage> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
constexpr std::uint32_t kExt = 1u << 24;
constexpr std::uint32_t kAlt = 1u << 29;

TEST(KeyMessages, SequencesBecomeTheMessagesATerminalTakes) {
    struct Case {
        const wchar_t* sequence;
        bool hasMessageForm;
        std::vector<KeyMessage> expected;
    };
    const Case cases[] = {
        {L"ls -l~", true, {Ch('l'), Ch('s'), Ch(' '), Ch('-'), Ch('l'), Ch('\r')}},
        {L"{ENTER}{TAB}{ESC}", true, {Ch('\r'), Ch('\t'), Ch(0x1B)}},
        {L"^c^(d)^[", true, {Ch(0x03), Ch(0x04), Ch(0x1B)}},
        {L"+a+(bC)", true, {Ch('A'), Ch('B'), Ch('C')}},
        {L"é\u0436\u4E2D\U0001F600", true, {Ch(0xE9), Ch(0x436), Ch(0x4E2D), Ch(0xD83D), Ch(0xDE00)}},
        {L"{PLUS}{PERCENT}{LEFTBRACE}", true, {Ch('+'), Ch('%'), Ch('{')}},
        {L"{UP}{LEFT 2}{BS}", true,
         Cat({Key(0x26, 0x48, kExt), Key(0x25, 0x4B, kExt), Key(0x25, 0x4B, kExt), Key(0x08, 0x0E)})},
        {L"{HOME}{END}{PGUP}{PGDN}{INS}{DEL}", true,
         Cat({Key(0x24, 0x47, kExt), Key(0x23, 0x4F, kExt), Key(0x21, 0x49, kExt), Key(0x22, 0x51, kExt),
              Key(0x2D, 0x52, kExt), Key(0x2E, 0x53, kExt)})},
        {L"{F1}{F10}", true, Cat({Key(0x70, 0x3B), Key(0x79, 0x44)})},
        {L"%a%{LEFT}%~", true,
         Cat({Key('A', 0x1E, kAlt, true), Key(0x25, 0x4B, kExt | kAlt, true), Key(0x0D, 0x1C, kAlt, true)})},
        {L"{DELAY=30}ab{DELAY 5}c", true, {Ch('a', 30), Ch('b', 30), Ch('c', 5)}},
        {L"{BEEP 1 1}{NOSUCHKEY}x", true, {Ch('x')}},
        // No message form: the sequence is for the foreground way.
        {L"ab{APPACTIVATE web02}c", false, {}},
        {L"{CAPSLOCK}a", false, {}},
        {L"{NUMLOCK}", false, {}},
        {L"{SCROLL}", false, {}},
        {L"+{LEFT}", false, {}},
        {L"^{DEL}", false, {}},
        {L"^1", false, {}},
        {L"+1", false, {}},
        {L"%A", false, {}},
        {L"@r", false, {}},
        {L"{VKEY 321}", false, {}},
    };
    fakes::FakeDesktop desk;
    CKeySender sender{desk, desk, desk};
    sender.defaultDelay = 7;  // the player's pacing is left as it was
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sequence #" << (&c - cases));
        std::vector<KeyMessage> out{Ch('z')};
        sender.defaultDelay = 0;
        EXPECT_EQ(sender.TranslateToMessages(c.sequence, out), c.hasMessageForm);
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(sender.defaultDelay, 0);
    }
    // Nothing was typed, no window touched, no wait taken; a beep sounds as it is met.
    EXPECT_EQ(desk.Calls(), std::vector<std::string>{"beep 1 1"});
    EXPECT_EQ(desk.SleptMs(), 0u);
}

}  // namespace
}  // namespace tandrel
