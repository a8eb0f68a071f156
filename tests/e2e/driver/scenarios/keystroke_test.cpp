// The keystroke engine through the real Win32 injection: what a focused probe terminal
// receives for the sequences of the key-sequence language.
#include <gtest/gtest.h>

#include "core_dialog.h"
#include "desktop_steps.h"
#include "keys/key_sender.h"
#include "platform/win32/win32_platform.h"
#include "probe_client.h"

namespace e2e {
namespace {

using tandrel::CKeySender;
using tandrel::win32::Win32Platform;

class KeystrokeTest : public ::testing::Test {
  protected:
    // Brings the probe forward, plays the sequence into it, waits until the keys have been taken
    // by the probe, and returns what it logged meanwhile.
    std::vector<ProbeEvent> PlayInto(const Probe& probe, std::wstring_view sequence) {
        const std::size_t mark = probe.Mark();
        EXPECT_TRUE(BringForward(platform_.windows, probe.Id()));
        sender_.PlayKeys(sequence);
        platform_.windows.WaitUntilInputDelivered(probe.Id(), 2000);
        return probe.EventsAfter(mark);
    }

    static std::vector<ProbeEvent> Keys(const std::vector<ProbeEvent>& events) {
        return OfKinds(events, {"keydown", "keyup", "syskeydown", "syskeyup"});
    }

    // No key stays down after a play.
    static void ExpectNothingHeld() {
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_RMENU, VK_LWIN}) {
            EXPECT_EQ(GetAsyncKeyState(vk) & 0x8000, 0) << "virtual key " << vk << " is still down";
        }
    }

    TempFolder folder_{L"e2e-keys"};
    Win32Platform platform_;
    CKeySender sender_{platform_.keyboard, platform_.windows, platform_.clock};
};

struct TypedCase {
    const wchar_t* sequence;
    const wchar_t* typed;  // the characters (WM_CHAR) the terminal receives
};

// What a terminal types for each sequence, through the layout of the running system.
TEST_F(KeystrokeTest, SequencesArriveAsTheirCharacters) {
    const TypedCase cases[] = {
        {L"abc", L"abc"},
        {L"+abc", L"Abc"},
        {L"+(abc)", L"ABC"},
        {L"^c", L"\x03"},
        {L"^C", L"\x03"},
        {L"^m", L"\r"},
        {L"~", L"\r"},
        {L"{PLUS 3}", L"+++"},
        {L"{VKEY 321}", L"A"},
        {L"{LEFTBRACE}x{RIGHTBRACE}", L"{x}"},
        {L"{PERCENT}{CARET}{TILDE}{AT}", L"%^~@"},
        {L"echo 50 >2.log^m", L"echo 50 >2.log\r"},
        {L"\u0436\u20ac", L"\u0436\u20ac"},  // not on the layout: typed as themselves
        {L"a\u00e9b", L"a\u00e9b"},
        // Dead keys and AltGr characters on some layout, accented letters on others.
        {L"`e 'o' \"u\" [x] \\ | \u00e4 \u00e9", L"`e 'o' \"u\" [x] \\ | \u00e4 \u00e9"},
        {L"{CARET}a {TILDE}n x{CARET} {AT}{LEFTBRACE}", L"^a ~n x^ @{"},
    };
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    for (const TypedCase& c : cases) {
        const auto events = PlayInto(probe, c.sequence);
        EXPECT_EQ(TypedText(events), std::wstring(c.typed))
            << "sequence " << testing::PrintToString(c.sequence) << "\n"
            << Dump(events);
        ExpectNothingHeld();
    }
}

TEST_F(KeystrokeTest, ShiftGroupTypesCapitalsUnderOneShift) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    const auto events = PlayInto(probe, L"+(abc)");
    EXPECT_EQ(KeyTrace(events),
              (std::vector<std::string>{"keydown 0x10", "keydown 0x41", "keyup 0x41", "keydown 0x42",
                                        "keyup 0x42", "keydown 0x43", "keyup 0x43", "keyup 0x10"}))
        << Dump(events);
    EXPECT_EQ(TypedText(events), L"ABC");
}

TEST_F(KeystrokeTest, CtrlCIsTheControlCharacter) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    const auto events = PlayInto(probe, L"^c");
    EXPECT_EQ(KeyTrace(events),
              (std::vector<std::string>{"keydown 0x11", "keydown 0x43", "keyup 0x43", "keyup 0x11"}))
        << Dump(events);
    EXPECT_EQ(TypedText(events), L"\x03");
}

TEST_F(KeystrokeTest, LeftThreeIsThreeExtendedStrokes) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    const auto keys = Keys(PlayInto(probe, L"{LEFT 3}"));
    ASSERT_EQ(keys.size(), 6u) << Dump(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].kind, i % 2 == 0 ? "keydown" : "keyup") << keys[i].line;
        EXPECT_EQ(keys[i].Number("vk"), 0x25u) << keys[i].line;
        EXPECT_EQ(keys[i].Number("ext"), 1u) << keys[i].line;
    }
}

TEST_F(KeystrokeTest, NumLockIsTwoExtendedEventsWithItsScanCode) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    // Twice, so that the NUM LOCK state is as before.
    for (int round = 0; round < 2; ++round) {
        const auto keys = Keys(PlayInto(probe, L"{NUMLOCK}"));
        ASSERT_EQ(keys.size(), 2u) << Dump(keys);
        EXPECT_EQ(keys[0].kind, "keydown");
        EXPECT_EQ(keys[1].kind, "keyup");
        for (const ProbeEvent& k : keys) {
            EXPECT_EQ(k.Number("vk"), 0x90u) << k.line;
            EXPECT_EQ(k.Number("scan"), 0x45u) << k.line;
            EXPECT_EQ(k.Number("ext"), 1u) << k.line;
        }
    }
    EXPECT_EQ((GetAsyncKeyState(VK_NUMLOCK) & 0x8000), 0);
}

TEST_F(KeystrokeTest, VirtualKeyWithShiftStateIsShiftA) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    const auto events = PlayInto(probe, L"{VKEY 321}");
    EXPECT_EQ(KeyTrace(events),
              (std::vector<std::string>{"keydown 0x10", "keydown 0x41", "keyup 0x41", "keyup 0x10"}))
        << Dump(events);
    EXPECT_EQ(TypedText(events), L"A");
}

TEST_F(KeystrokeTest, CharacterOffTheLayoutArrivesAsItself) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    const auto events = PlayInto(probe, L"\u0436");
    EXPECT_EQ(TypedText(events), L"\u0436") << Dump(events);
    // A character message, not a key of the layout nor a Unicode key event (VK_PACKET), which
    // a terminal that translates its keys itself can take for a NUL.
    EXPECT_TRUE(Keys(events).empty()) << Dump(events);
}

TEST_F(KeystrokeTest, AppActivateMovesTheFollowingKeysIntoTheOtherWindow) {
    Probe web01(folder_, {.title = L"web01"});
    Probe web02(folder_, {.title = L"web02 - db"});  // found by a part of its title
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(web02.Started());
    const std::size_t mark2 = web02.Mark();
    const auto first = PlayInto(web01, L"{APPACTIVATE web02}cd~");
    platform_.windows.WaitUntilInputDelivered(web02.Id(), 2000);
    const auto second = web02.EventsAfter(mark2);
    EXPECT_EQ(TypedText(first), L"") << Dump(first);
    EXPECT_EQ(TypedText(second), L"cd\r") << Dump(second);
    EXPECT_EQ(GetForegroundWindow(), web02.Window());
}

// Under Wine the keys that a window has not yet taken from its queue when the focus leaves it
// are dropped ("ab" would arrive as "a"): activation by title waits for them first.
TEST_F(KeystrokeTest, KeysBeforeAppActivateStayInTheFirstWindow) {
    Probe web01(folder_, {.title = L"web01"});
    Probe web02(folder_, {.title = L"web02"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(web02.Started());
    const std::size_t mark2 = web02.Mark();
    const auto first = PlayInto(web01, L"ab{APPACTIVATE web02}cd");
    platform_.windows.WaitUntilInputDelivered(web02.Id(), 2000);
    const auto second = web02.EventsAfter(mark2);
    EXPECT_EQ(TypedText(first), L"ab") << Dump(first);
    EXPECT_EQ(TypedText(second), L"cd") << Dump(second);
}

// A modifier held over an activation went down in the first window, whose thread alone knows
// it: it comes up there and goes down again in the second window.
TEST_F(KeystrokeTest, HeldShiftCarriesOverAnActivation) {
    Probe web01(folder_, {.title = L"web01"});
    Probe web02(folder_, {.title = L"web02"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(web02.Started());
    const std::size_t mark2 = web02.Mark();
    const auto first = PlayInto(web01, L"+{APPACTIVATE web02}a");
    platform_.windows.WaitUntilInputDelivered(web02.Id(), 2000);
    const auto second = web02.EventsAfter(mark2);
    EXPECT_EQ(TypedText(first), L"") << Dump(first);
    EXPECT_EQ(TypedText(second), L"A") << Dump(second);
}

// With Caps Lock switched on in the probe by a key there, letters arrive in capitals; a command
// broadcast then arrives in the case typed: Caps Lock is read as the probe's thread has it once
// it holds the keyboard (under Wine the focus step itself can reset it), and the broadcast's own
// Caps Lock strokes come in pairs, leaving the probe's Caps Lock as the broadcast found it.
TEST_F(KeystrokeTest, CapsLockStateReachesTheFocusedWindow) {
    Probe probe(folder_, {.title = L"web01"});
    ASSERT_TRUE(probe.Started());
    ASSERT_TRUE(BringForward(platform_.windows, probe.Id()));
    // The probe first takes everything its activation queued for it (under Wine, the X focus
    // events that set its key state from the X server's), so that the key below is not undone.
    ASSERT_TRUE(platform_.windows.WaitUntilInputDelivered(probe.Id(), 2000));
    const bool wasOn = (platform_.windows.KeyStateOfThread(probe.Id(), VK_CAPITAL) & 1) != 0;
    std::size_t mark = probe.Mark();
    CapsLockPresses caps;
    sender_.PlayKeys(L"{CAPSLOCK}ab");
    caps.Pressed();
    platform_.windows.WaitUntilInputDelivered(probe.Id(), 2000);
    auto events = probe.EventsAfter(mark);
    EXPECT_EQ(TypedText(events), wasOn ? L"ab" : L"AB") << Dump(events);

    mark = probe.Mark();
    CoreDialog core;
    core.Dialog().BroadcastKeys(L"aB", false, true);
    EXPECT_TRUE(probe.WaitForChars(3, 3000, mark)) << Dump(probe.EventsAfter(mark));
    events = probe.EventsAfter(mark);
    EXPECT_EQ(TypedText(events), L"aB\r") << Dump(events);
    std::size_t capsLockPresses = 0;
    for (const ProbeEvent& k : Keys(events))
        capsLockPresses += k.kind == "keydown" && k.Number("vk") == VK_CAPITAL;
    EXPECT_EQ(capsLockPresses % 2, 0u) << Dump(events);
}

}  // namespace
}  // namespace e2e
