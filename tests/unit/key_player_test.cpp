// The key-sequence player: every example and edge case of the language as an exact event
// trace, the typed text as the focused terminal saw it, and window activation by title.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <memory>
#include <string>

#include "fakes/desktop_variants.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_layouts.h"
#include "fakes/key_trace.h"
#include "keys/key_sender.h"
#include "platform/text_codec.h"

namespace tandrel {
namespace {

using fakes::NoPlusDesktop;

using namespace fakes::keytrace;

struct PlayCase {
    const wchar_t* sequence;
    std::int32_t defaultDelay;
    Trace expected;
    const wchar_t* typed;  // what the focused terminal received as characters
};

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (const wchar_t c : s) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

// One desktop with one focused terminal per case.
struct Bench {
    fakes::FakeDesktop desk;
    WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    CKeySender sender{desk, desk, desk};
    Bench() { desk.SetFocusNow(term); }
};

void RunCases(std::initializer_list<PlayCase> cases) {
    for (const PlayCase& c : cases) {
        SCOPED_TRACE(Narrow(c.sequence));
        Bench b;
        b.sender.defaultDelay = c.defaultDelay;
        EXPECT_TRUE(b.sender.PlayKeys(c.sequence));
        EXPECT_EQ(b.desk.Calls(), c.expected);
        EXPECT_EQ(b.desk.Window(b.term).text, c.typed);
        EXPECT_TRUE(b.desk.HeldKeys().empty());
    }
}

const Trace kX = Stroke('X', scan::kX);
const Trace kY = Stroke('Y', scan::kY);
const Trace kPlusKey = Stroke(0xBB, scan::kEquals);  // "=" key, "+" with Shift

TEST(KeyPlayer, Examples) {
    RunCases({
        {L"{LEFT 3}", 0, Repeat(Left(), 3), L""},
        {L"{DELAY=50}abc", 0, Cat({Sleep(50), LetterA(), Sleep(50), LetterB(), Sleep(50), LetterC()}),
         L"abc"},
        {L"{DELAY 500}xy", 0, Cat({Sleep(500), kX, kY}), L"xy"},
        {L"{VKEY 112}", 0, Stroke(0x70, scan::kF1), L""},
        {L"{VKEY 321}", 0, Shifted(LetterA()), L"A"},
        {L"{BEEP 440 200}", 0, {"beep 440 200"}, L""},
        {L"^({LEFT}{LEFT})", 0, Cat({CtrlDown(), Left(), Left(), CtrlUp()}), L""},
        {L"+abc", 0, Cat({Shifted(LetterA()), LetterB(), LetterC()}), L"Abc"},
        {L"+(abc)", 0, Shifted(Cat({LetterA(), LetterB(), LetterC()})), L"ABC"},
        {L"^{DELAY 100}c", 0, Cat({CtrlDown(), Sleep(100), LetterC(), CtrlUp()}), L"\x03"},
    });
}

TEST(KeyPlayer, EdgeCases) {
    RunCases({
        {L"{}}abc", 0, Cat({Shifted(Stroke(0xDD, scan::kRightBracket)), LetterA(), LetterB(), LetterC()}),
         L"}abc"},
        {L"{{}abc", 0, Cat({LetterA(), LetterB(), LetterC()}), L"abc"},
        {L"{left}", 0, Left(), L""},
        {L"{LEFT 0}", 0, {}, L""},
        {L"{PLUS 3}", 0, Shifted(Repeat(kPlusKey, 3)), L"+++"},
        {L"{DELAY 0}x", 100, Cat({Sleep(100), kX}), L"x"},
        {L"abc)", 0, Cat({LetterA(), LetterB(), LetterC()}), L"abc"},
        {L"(abc", 0, Cat({LetterA(), LetterB(), LetterC()}), L"abc"},
        {L"+{FOO}a", 0, Shifted(LetterA()), L"A"},
        {L"^", 0, Cat({CtrlDown(), CtrlUp()}), L""},
        {L"{BEEP 440}", 0, {}, L""},
        {L"abc{ENTER", 0, Cat({LetterA(), LetterB(), LetterC(), Enter()}), L"abc\r"},
    });
}

TEST(KeyPlayer, HeldModifiersAndTheShiftStateOfCharacters) {
    RunCases({
        // An upper-case letter brings its own Shift inside the held Ctrl; a lower-case one does not.
        {L"^C", 0, Cat({CtrlDown(), Shifted(LetterC()), CtrlUp()}), L"\x03"},
        {L"^c", 0, Cat({CtrlDown(), LetterC(), CtrlUp()}), L"\x03"},
        {L"%a", 0, Cat({AltDown(), LetterA(), AltUp()}), L""},
        {L"@r", 0, Cat({WinDown(), Stroke('R', 0x13), WinUp()}), L"r"},
        {L"+^%@a", 0,
         Cat({ShiftDown(), CtrlDown(), AltDown(), WinDown(), LetterA(), ShiftUp(), CtrlUp(), AltUp(),
              WinUp()}),
         L""},
        {L"++a", 0, Cat({ShiftDown(), ShiftDown(), LetterA(), ShiftUp()}), L"A"},
        // Groups do not nest: the first ")" ends the group.
        {L"+((ab)c)", 0, Cat({Shifted(Cat({LetterA(), LetterB()})), LetterC()}), L"ABc"},
        {L"+~a", 100, Cat({Shifted(Enter()), Sleep(100), LetterA()}), L"\ra"},
        {L"{DELAY=100}Ab", 0, Cat({ShiftDown(), Sleep(100), LetterA(), ShiftUp(), Sleep(100), LetterB()}),
         L"Ab"},
        {L"a b", 0, Cat({LetterA(), Stroke(0x20, 0x39), LetterB()}), L"a b"},
        {L"}", 0, Shifted(Stroke(0xDD, scan::kRightBracket)), L"}"},
        {L"{ENTER}{TAB}{BS}", 0, Cat({Enter(), Stroke(0x09, 0x0F), Stroke(0x08, 0x0E)}), L"\r\t\b"},
    });
}

TEST(KeyPlayer, VirtualKeyItems) {
    RunCases({
        {L"{vkey 112}", 0, Stroke(0x70, scan::kF1), L""},
        {L"{VKEY 65601}", 0, LetterA(), L"a"},  // 0x10041: only the low 16 bits count
        {L"+{VKEY 65535}a", 0, Shifted(LetterA()), L"A"},
        {L"+{VKEY -1}a", 0, Shifted(LetterA()), L"A"},
        {L"+{VKEY 4294967617}a", 0, Shifted(LetterA()), L"A"},  // saturates: 0x7FFFFFFF, ignored
        {L"{VKEY 131071}", 0, {}, L""},
        {L"{VKEY 550}", 0, Cat({CtrlDown(), StrokeX(0x26, 0x48), CtrlUp()}), L""},
    });
}

TEST(KeyPlayer, KeyNameCounts) {
    RunCases({
        {L"{LEFT 65536}", 0, {}, L""},
        {L"{LEFT 65537}", 0, Left(), L""},
        {L"{PLUS 65536}", 0, Cat({ShiftDown(), ShiftUp()}), L""},
        {L"{Left  2}", 0, Repeat(Left(), 2), L""},
        {L"{LEFT 2x}", 0, Repeat(Left(), 2), L""},
        {L"{LEFT x}", 0, {}, L""},
        {L"+{LEFT 2}a", 0, Cat({Shifted(Repeat(Left(), 2)), LetterA()}), L"a"},
        {L"{DELAY=10}{LEFT 2}", 0, Cat({Sleep(10), Left(), Sleep(10), Left()}), L""},
    });
}

TEST(KeyPlayer, BeepItems) {
    RunCases({
        {L"{beep 440 200}", 0, {"beep 440 200"}, L""},
        {L"{BEEPx440 200}", 0, {"beep 440 200"}, L""},  // the separator is skipped whatever it is
        {L"{BEEP 440 }", 0, {"beep 440 0"}, L""},
        {L"{BEEP}", 0, {}, L""},
        {L"+{BEEP 440 200}a", 0, Cat({ShiftDown(), {"beep 440 200"}, LetterA(), ShiftUp()}), L"A"},
        // Negative numbers: no sound rather than a beep without end.
        {L"{BEEP -440 200}", 0, {}, L""},
        {L"{BEEP 440 -200}", 0, {}, L""},
    });
}

TEST(KeyPlayer, DelayItems) {
    RunCases({
        {L"{delay=30}ab", 0, Cat({Sleep(30), LetterA(), Sleep(30), LetterB()}), L"ab"},
        {L"{DELAY 40}{DELAY 60}a", 100, Cat({Sleep(60), LetterA()}), L"a"},
        {L"{DELAYED}x", 100, Cat({Sleep(100), kX}), L"x"},
        // Negative numbers: no wait rather than a wait without end.
        {L"{DELAY -5}xy", 100, Cat({kX, Sleep(100), kY}), L"xy"},
        {L"{DELAY=-1}xy", 100, Cat({kX, kY}), L"xy"},
    });
}

// The one terminal of a Bench.
constexpr WindowId kTerm = 1;

TEST(KeyPlayer, CharactersTheLayoutCannotTypeArriveAsThemselves) {
    RunCases({
        {L"\x0436", 0, Char(kTerm, 0x436), L"\x0436"},
        // The Shift went down before: the window takes it before the character.
        {L"+\x0436x", 0, Cat({ShiftDown(), WaitInput(kTerm), Char(kTerm, 0x436), ShiftUp(), kX}), L"\x0436x"},
        {L"{DELAY=100}\x20AC", 0, Cat({Sleep(100), Char(kTerm, 0x20AC)}), L"\x20AC"},
        {L"a\U0001F600b", 0,
         Cat({LetterA(), WaitInput(kTerm), Char(kTerm, 0xD83D), Char(kTerm, 0xDE00), LetterB()}),
         L"a\xD83D\xDE00"
         L"b"},
        // A character beyond 16 bits is one unit: one pacing wait, and the prefix covers it whole.
        {L"{DELAY=7}+\U0001F600x", 0,
         Cat({ShiftDown(), Sleep(7), WaitInput(kTerm), Char(kTerm, 0xD83D), Char(kTerm, 0xDE00), ShiftUp(),
              Sleep(7), kX}),
         L"\xD83D\xDE00"
         L"x"},
    });
}

TEST(KeyPlayer, KeyNamesOfCharactersTheLayoutCannotTypeArriveAsThemselves) {
    NoPlusDesktop desk;
    const WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    desk.SetFocusNow(term);
    CKeySender sender{desk, desk, desk};
    EXPECT_EQ(sender.LookUpKeyName(L"PLUS"), std::uint16_t{0xFFFF});
    sender.defaultDelay = 5;
    EXPECT_TRUE(sender.PlayKeys(L"^{PLUS 2}a"));
    EXPECT_EQ(desk.Calls(), Cat({CtrlDown(), Sleep(5), WaitInput(term), Char(term, '+'), Sleep(5),
                                 Char(term, '+'), CtrlUp(), Sleep(5), LetterA()}));
    EXPECT_EQ(desk.Window(term).text, L"++a");
    EXPECT_TRUE(desk.CallsStartingWith("key 0xff").empty());
}

// Characters that a dead key or AltGr types are typed as themselves, unless a prefix asks for a
// key chord; the layout's plain keys, accented letters among them, stay keys.
TEST(KeyPlayer, CharactersNoKeyTypesAloneArriveAsThemselvesOnEveryLayout) {
    struct LayoutCase {
        const fakes::FakeLayout& layout;
        const wchar_t* sequence;
        Trace expected;
        const wchar_t* typed;
    };
    const LayoutCase cases[] = {
        {fakes::GermanLayout(), L"\u00e4", Stroke(0xDE, 0x28), L"\u00e4"},
        {fakes::GermanLayout(), L"a{AT}",
         Cat({
             LetterA(),
             WaitInput(kTerm),
             Char(kTerm, '@'),
         }),
         L"a@"},
        {fakes::GermanLayout(), L"{CARET}a{TILDE}",
         Cat({Char(kTerm, '^'), LetterA(), WaitInput(kTerm), Char(kTerm, '~')}), L"^a~"},
        // A prefix asks for a key chord: the AltGr key is pressed, the held Ctrl staying down.
        {fakes::GermanLayout(), L"^{AT}",
         Cat({CtrlDown(), AltDown(), RightAltDown(), Stroke('Q', 0x10), AltUp(), RightAltUp(), CtrlUp()}),
         L"@"},
        {fakes::FrenchLayout(), L"\u00e9{TILDE}",
         Cat({Stroke('2', 0x03), WaitInput(kTerm), Char(kTerm, '~')}), L"\u00e9~"},
        {fakes::UsInternationalLayout(), L"'o'\"",
         Cat({Char(kTerm, '\''), Stroke('O', 0x18), WaitInput(kTerm), Char(kTerm, '\''), Char(kTerm, '"')}),
         L"'o'\""},
        {fakes::UsInternationalLayout(), L"{CARET}a", Cat({Char(kTerm, '^'), LetterA()}), L"^a"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(std::string(c.layout.name) + " " + Narrow(c.sequence));
        Bench b;
        b.desk.SetLayout(&c.layout);
        EXPECT_TRUE(b.sender.PlayKeys(c.sequence));
        EXPECT_EQ(b.desk.Calls(), c.expected);
        EXPECT_EQ(b.desk.Window(b.term).text, c.typed);
        EXPECT_TRUE(b.desk.HeldKeys().empty());
    }
}

TEST(KeyPlayer, TheSequenceEndsAtItsTerminator) {
    Bench b;
    EXPECT_TRUE(b.sender.PlayKeys(std::wstring(L"+(ab\0cd)", 8)));
    EXPECT_EQ(b.desk.Calls(), Shifted(Cat({LetterA(), LetterB()})));
    EXPECT_EQ(b.desk.Window(b.term).text, L"AB");
}

TEST(KeyPlayer, BraceTextsUpTo299CharactersArePlayed) {
    struct Case {
        std::wstring sequence;
        Trace expected;
        const wchar_t* typed;
    };
    const Case cases[] = {
        {L"+{" + std::wstring(299, L'x') + L"}a", Shifted(LetterA()), L"A"},
        {L"{DELAY " + std::wstring(290, L'0') + L"500}x", Cat({Sleep(500), kX}), L"x"},
        {L"{APPACTIVATE " + std::wstring(287, L'q') + L"}a", LetterA(), L"a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sequence.size());
        Bench b;
        EXPECT_TRUE(b.sender.PlayKeys(c.sequence));
        EXPECT_EQ(b.desk.Calls(), c.expected);
        EXPECT_EQ(b.desk.Window(b.term).text, c.typed);
    }
}

TEST(KeyPlayer, ABraceTextOf300CharactersStopsThePlayAndReleasesWhatItHolds) {
    struct Case {
        std::wstring sequence;
        Trace expected;
    };
    const Case cases[] = {
        {L"{DELAY " + std::wstring(291, L'0') + L"500}x", {}},
        {L"+{" + std::wstring(300, L'x') + L"}a", Cat({ShiftDown(), ShiftUp()})},
        {L"x{" + std::wstring(1000, L'x'), kX},  // unclosed
        {L"^+(a{" + std::wstring(300, L'x') + L"}b)",
         Cat({CtrlDown(), ShiftDown(), LetterA(), ShiftUp(), CtrlUp()})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sequence.size());
        Bench b;
        EXPECT_FALSE(b.sender.PlayKeys(c.sequence));
        EXPECT_EQ(b.desk.Calls(), c.expected);
        EXPECT_TRUE(b.desk.HeldKeys().empty());
        // The next play starts clean and types as usual.
        b.desk.ClearCalls();
        EXPECT_TRUE(b.sender.PlayKeys(L"a"));
        EXPECT_EQ(b.desk.Calls(), LetterA());
    }
}

TEST(KeyPlayer, DelaysLiveOnAcrossPlays) {
    fakes::FakeDesktop desk;
    const WindowId web01 = desk.AddWindow(L"PuTTY", L"web01");
    const WindowId web02 = desk.AddWindow(L"PuTTY", L"web02");
    CKeySender sender{desk, desk, desk};

    desk.SetFocusNow(web01);
    EXPECT_TRUE(sender.PlayKeys(L"{DELAY=0}ls~{DELAY 700}"));
    desk.SetFocusNow(web02);
    desk.ClearCalls();
    // The broadcast's own "{DELAY=0}" resets the default, not the pending delay.
    EXPECT_TRUE(sender.PlayKeys(L"{DELAY=0}ls~"));
    EXPECT_EQ(desk.Calls(), Cat({Sleep(700), Stroke('L', scan::kL), Stroke('S', scan::kS), Enter()}));
    EXPECT_EQ(desk.Window(web01).text, L"ls\r");
    EXPECT_EQ(desk.Window(web02).text, L"ls\r");

    EXPECT_TRUE(sender.PlayKeys(L"{DELAY=20}"));
    desk.ClearCalls();
    EXPECT_TRUE(sender.PlayKeys(L"a"));
    EXPECT_EQ(desk.Calls(), Cat({Sleep(20), LetterA()}));
}

// ---- window activation ----

class Activation : public ::testing::Test {
  protected:
    Activation() {
        desk.SetFocusNow(web01);
        desk.Window(untitled).visible = false;
    }
    // The keys typed so far reach the window in front first; then the five steps, and nothing
    // more is typed until the new window has the focus.
    Trace Forward(WindowId w, WindowId from) {
        const std::string id = std::to_string(w);
        return {"wait-input " + std::to_string(from),
                "send " + id + " 0x112 0xf150 " + id,
                "send " + id + " 0x112 0xf120 " + id,
                "show " + id + " 5",
                "foreground " + id,
                "focus " + id,
                "wait-focus " + id};
    }
    fakes::FakeDesktop desk;
    WindowId web01 = desk.AddWindow(L"PuTTY", L"web01");
    WindowId untitled = desk.AddWindow(L"Hidden", L"");
    WindowId box = desk.AddWindow(L"Mail", L"my mail box");
    WindowId mail = desk.AddWindow(L"Mail", L"mail");
    CKeySender sender{desk, desk, desk};
};

TEST_F(Activation, AnExactTitleWinsOverAnEarlierPartialMatch) {
    EXPECT_TRUE(sender.PlayKeys(L"{APPACTIVATE mail}x"));
    EXPECT_EQ(desk.Calls(), Cat({Forward(mail, web01), kX}));
    EXPECT_EQ(desk.Window(mail).text, L"x");
    EXPECT_EQ(desk.Window(web01).text, L"");
}

TEST_F(Activation, OtherwiseTheFirstWindowWhoseTitleContainsTheText) {
    struct Case {
        const wchar_t* sequence;
        WindowId expected;
    };
    const Case cases[] = {
        {L"{APPACTIVATE mai}x", box},
        {L"{APPACTIVATE box}x", box},
        {L"{appactivate_ail}x", box},  // command word in any case, any separator
        {L"{APPACTIVATE eb0}x", web01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.sequence));
        desk.SetFocusNow(untitled);
        desk.ClearCalls();
        EXPECT_TRUE(sender.PlayKeys(c.sequence));
        EXPECT_EQ(desk.Calls(), Cat({Forward(c.expected, untitled), kX}));
        EXPECT_EQ(desk.Focus(), c.expected);
    }
}

TEST_F(Activation, ATitleThatMatchesNothingLeavesTheFocusAlone) {
    const wchar_t* const sequences[] = {
        L"{APPACTIVATE MAIL}x",  // case-sensitive
        L"{APPACTIVATE mails}x",
        L"{APPACTIVATE}x",  // empty titles name no window, not even an untitled one
        L"{APPACTIVATE }x",
    };
    for (const wchar_t* s : sequences) {
        SCOPED_TRACE(Narrow(s));
        desk.ClearCalls();
        EXPECT_TRUE(sender.PlayKeys(s));
        EXPECT_EQ(desk.Calls(), kX);
    }
    EXPECT_EQ(desk.Window(web01).text, L"xxxx");
    EXPECT_FALSE(desk.Window(untitled).visible);
    EXPECT_FALSE(sender.ActivateWindowByTitle(L""));
    EXPECT_FALSE(sender.ActivateWindowByTitle(L"nothing like it"));
}

// The window's thread interprets its keys: the held Shift comes up in the window left and goes
// down again in the new one.
TEST_F(Activation, HeldModifiersCarryOverToTheActivatedWindow) {
    EXPECT_TRUE(sender.PlayKeys(L"+{APPACTIVATE mail}a"));
    EXPECT_EQ(desk.Calls(),
              Cat({ShiftDown(), ShiftUp(), Forward(mail, web01), ShiftDown(), LetterA(), ShiftUp()}));
    EXPECT_EQ(desk.Window(mail).text, L"A");
    EXPECT_EQ(desk.KeyStateOfThread(web01, vk::kShift), 0);
    EXPECT_EQ(sender.ActivatedWindow(), mail);
}

TEST_F(Activation, AMinimisedOrHiddenWindowIsRestoredAndShown) {
    desk.Window(mail).visible = false;
    desk.Window(mail).showState = sw::kShowMinimized;
    EXPECT_TRUE(sender.ActivateWindowByTitle(L"mail"));
    EXPECT_TRUE(desk.Window(mail).visible);
    EXPECT_EQ(desk.Window(mail).showState, sw::kShowNormal);
    EXPECT_EQ(desk.Foreground(), mail);
    EXPECT_EQ(desk.Focus(), mail);
}

TEST_F(Activation, OnlyThe299FirstCharactersOfATitleAreSearched) {
    const WindowId longer = desk.AddWindow(L"PuTTY", std::wstring(298, L'a') + L"zz");
    const WindowId fits = desk.AddWindow(L"PuTTY", std::wstring(297, L'a') + L"zz");
    EXPECT_TRUE(sender.ActivateWindowByTitle(L"zz"));
    EXPECT_EQ(desk.Focus(), fits);
    EXPECT_NE(desk.Focus(), longer);
}

#ifdef TANDREL_SOURCE_DIR
// The user guide's examples, played as they stand in docs/USER-GUIDE.md: "⏎" is Enter, "⇥" Tab.
TEST(KeyPlayer, TheUserGuidesExamplesTypeWhatItSays) {
    std::ifstream file(TANDREL_SOURCE_DIR "/docs/USER-GUIDE.md", std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const std::string guide((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t from = guide.find("<!-- checked examples");
    const std::size_t to = guide.find("<!-- end of checked examples");
    ASSERT_LT(from, to);
    std::istringstream rows(guide.substr(from, to - from));
    std::size_t checked = 0;
    for (std::string row; std::getline(rows, row);) {
        // | `sequence` | `typed` |
        const std::size_t a = row.find("| `"), b = row.find("` | `"), c = row.rfind("` |");
        if (a != 0 || b == std::string::npos || c <= b)
            continue;
        std::wstring typed = DecodeText(row.substr(b + 5, c - b - 5));
        for (auto [mark, key] : {std::pair{L'\u23CE', L'\r'}, std::pair{L'\u21E5', L'\t'}})
            std::replace(typed.begin(), typed.end(), mark, key);
        const std::wstring sequence = DecodeText(row.substr(3, b - 3));
        SCOPED_TRACE(row);
        Bench bench;
        EXPECT_TRUE(bench.sender.PlayKeys(sequence));
        EXPECT_EQ(bench.desk.Window(bench.term).text, typed);
        ++checked;
    }
    EXPECT_GE(checked, 10u);
}
#endif

}  // namespace
}  // namespace tandrel
