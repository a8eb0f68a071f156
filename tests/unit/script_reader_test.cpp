// Script files: the key sequence built from a file's bytes (lines, joins, Caps Lock wrapping,
// the final Enter, pieces of long lines, byte-order marks) and how it plays.
#include <gtest/gtest.h>

#include <string>

#include "broadcast/script_reader.h"
#include "fakes/fake_desktop.h"
#include "keys/key_sender.h"

namespace tandrel {
namespace {

using namespace std::string_literals;

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (const wchar_t c : s) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out.size() > 80 ? out.substr(0, 80) + "..." : out;
}

struct ScriptCase {
    std::string bytes;
    bool capsLockOn;
    bool sendCR;
    std::wstring expected;
};

TEST(ScriptReader, Sequences) {
    const ScriptCase cases[] = {
        // The two-line example: the line ends are not typed, "^m" joins, "^m" ends.
        {"cd /tmp\nls -l\n", false, true, L"cd /tmp^mls -l^m"},
        {"cd /tmp\r\nls -l\r\n", false, true, L"cd /tmp^mls -l^m"},
        {"cd /tmp\rls -l\r", false, true, L"cd /tmp^mls -l^m"},
        {"cd /tmp\nls -l\n", false, false, L"cd /tmp^mls -l"},
        // Caps Lock on: one stroke before the first line, one after the final Enter.
        {"cd /tmp\nls -l\n", true, true, L"{CAPSLOCK}cd /tmp^mls -l^m{CAPSLOCK}"},
        {"cd /tmp\nls -l\n", true, false, L"{CAPSLOCK}cd /tmp^mls -l{CAPSLOCK}"},
        // An empty file: only what the wrapping and the final Enter add.
        {"", false, true, L"^m"},
        {"", false, false, L""},
        {"", true, true, L"{CAPSLOCK}^m{CAPSLOCK}"},
        // A last line without a line feed, empty lines, a lone carriage return.
        {"a\nb", false, false, L"a^mb"},
        {"\n\n", false, false, L"^m"},
        {"a\rb\n", false, false, L"a^mb"},
        {"a\r\r\nb", false, false, L"a^m^mb"},
        // Nothing is escaped or expanded: the language's characters keep their meanings and the
        // marker texts stay as they are.
        {"echo a+b\n", false, true, L"echo a+b^m"},
        {"echo {%INC%} {%CTRL%}\n", false, true, L"echo {%INC%} {%CTRL%}^m"},
        // Without a mark every byte is the character of its value, UTF-8 or not.
        {"caf\xC3\xA9\n", false, false, L"caf\u00C3\u00A9"},
        {"\x80\xFF\x01\n", false, false, L"\u0080\u00FF\u0001"},
        // With a mark the file is read in its encoding and the mark is not typed.
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9\r\nls\r\n",
         false, true, L"caf\u00E9^mls^m"},
        {"\xFF\xFE"
         "l\0s\0\r\0\n\0\x01\x04\n\0"s,
         false, true, L"ls^m\u0401^m"},
        {"\xFE\xFF"
         "\0l\0s\0\r\0\n\x04\x01\0\n"s,
         false, false, L"ls^m\u0401"},
        {"\xEF\xBB\xBF", false, true, L"^m"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(Narrow(c.expected));
        EXPECT_EQ(BuildScriptSequence(c.bytes, c.capsLockOn, c.sendCR), c.expected);
    }
}

TEST(ScriptReader, LongLinesAreReadInPiecesOfAtMost65535Characters) {
    const std::wstring max(65535, L'a');
    const struct {
        std::string bytes;
        std::wstring expected;
    } cases[] = {
        // 70,000 characters: a piece of 65,535 and the rest, Enter between.
        {std::string(70000, 'a') + "\n", max + L"^m" + std::wstring(4465, L'a') + L"^m"},
        // The line feed counts: 65,534 characters and it fill one piece, 65,535 need two.
        {std::string(65534, 'a') + "\n", std::wstring(65534, L'a') + L"^m"},
        {std::string(65535, 'a') + "\n", max + L"^m^m"},
        {std::string(65535, 'a'), max + L"^m"},
        // The carriage return is dropped before the characters are counted.
        {std::string(65534, 'a') + "\r\n", std::wstring(65534, L'a') + L"^m"},
        // Three pieces, then the next line.
        {std::string(2 * 65535 + 1, 'a') + "\nb\n", max + L"^m" + max + L"^ma^mb^m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        EXPECT_EQ(BuildScriptSequence(c.bytes, false, true), c.expected);
    }
}

TEST(ScriptReader, APieceNeverCutsACharacterOutsideTheBasicPlane) {
    // U+1F600 takes two UTF-16 units; with 65,534 characters before it there is room for one
    // only, so it starts the next piece whole.
    const std::string bytes = "\xEF\xBB\xBF" + std::string(65534, 'a') + "\xF0\x9F\x98\x80\n";
    EXPECT_EQ(BuildScriptSequence(bytes, false, false), std::wstring(65534, L'a') + L"^m\U0001F600");
}

TEST(ScriptReader, TextModeReadingReadsEveryLineEndAsALineFeed) {
    EXPECT_EQ(ReadScriptText("a\r\nb\rc\r"), L"a\nb\nc\n");
    EXPECT_EQ(ReadScriptText("x\x1Az\x7F"), L"x\x1Az\x7F");
}

TEST(ScriptReader, TheSequencePlaysWithTheLanguagesMeanings) {
    fakes::FakeDesktop desk;
    const WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    desk.SetFocusNow(term);
    CKeySender sender(desk, desk, desk);
    // "+" is the Shift prefix in a script and "{%INC%}" names no key and types nothing. A line's
    // own line feed is not typed (Ctrl+Enter, a second Enter in a terminal); each "^m" is Ctrl+M.
    ASSERT_TRUE(sender.PlayKeys(BuildScriptSequence("echo a+b\r\nx{%INC%}y\r\n", false, true)));
    EXPECT_EQ(desk.Window(term).text, L"echo aB\rxy\r");
    int lineFeedStrokes = 0;
    for (const fakes::KeyRecord& k : desk.Window(term).keys)
        lineFeedStrokes += k.vk == vk::kReturn && (k.flags & keyflag::kKeyUp) == 0;
    EXPECT_EQ(lineFeedStrokes, 0);
    EXPECT_TRUE(desk.HeldKeys().empty());
}

TEST(ScriptReader, ANulByteIsDroppedAndTheRestOfTheScriptStillPlays) {
    // The player ends a sequence at U+0000; a stray NUL must not cut off the lines after it
    // nor the closing Caps Lock stroke.
    EXPECT_EQ(BuildScriptSequence("a\0b\nc\n"s, true, true), L"{CAPSLOCK}ab^mc^m{CAPSLOCK}");
    EXPECT_EQ(BuildScriptSequence("\xFF\xFE"
                                  "a\0\0\0b\0"s,
                                  false, false),
              L"ab");
}

}  // namespace
}  // namespace tandrel
