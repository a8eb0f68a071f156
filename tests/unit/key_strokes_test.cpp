// The injection primitives: exact key events with scan codes and flags, the shift state of a
// key code, repeat counts, the pacing waits, and NUM LOCK on each system family.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "fakes/fake_desktop.h"
#include "fakes/key_trace.h"
#include "keys/key_sender.h"

namespace tandrel {
namespace {

using namespace fakes::keytrace;

class KeyStrokes : public ::testing::Test {
  protected:
    KeyStrokes() { desk.SetFocusNow(term); }
    fakes::FakeDesktop desk;
    WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    CKeySender sender{desk, desk, desk};
};

TEST_F(KeyStrokes, SingleKeyPrimitivesNeverWait) {
    struct Case {
        const char* what;
        std::function<void(CKeySender&)> run;
        Trace expected;
    };
    const Case cases[] = {
        {"press Shift", [](CKeySender& s) { s.PressKey(0x10); }, ShiftDown()},
        {"press right Alt", [](CKeySender& s) { s.PressKey(0xA5); }, RightAltDown()},
        {"press Up", [](CKeySender& s) { s.PressKey(0x26); }, DownX(0x26, 0x48)},
        {"release Shift", [](CKeySender& s) { s.ReleaseKey(0x10); }, ShiftUp()},
        {"release right Alt", [](CKeySender& s) { s.ReleaseKey(0xA5); }, RightAltUp()},
        {"release Delete", [](CKeySender& s) { s.ReleaseKey(0x2E); }, UpX(0x2E, 0x53)},
        {"tap Enter", [](CKeySender& s) { s.TapKey(0x0D); }, Enter()},
        {"tap Home", [](CKeySender& s) { s.TapKey(0x24); }, StrokeX(0x24, 0x47)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desk.ClearCalls();
        sender.defaultDelay = 100;
        sender.pendingDelay = 40;
        c.run(sender);
        EXPECT_EQ(desk.Calls(), c.expected);
        EXPECT_EQ(sender.pendingDelay, 40);  // untouched: no pacing wait was taken
    }
}

TEST_F(KeyStrokes, ShiftStateModifiersGoAroundTheMainKey) {
    struct Case {
        std::uint16_t code;
        Trace expected;
    };
    const Case cases[] = {
        {0x041, LetterA()},
        {0x141, Shifted(LetterA())},
        // Ctrl and Alt together (AltGr) bring right Alt too, pressed and released last.
        {0x241, Cat({CtrlDown(), LetterA(), CtrlUp()})},
        {0x441, Cat({AltDown(), LetterA(), AltUp()})},
        {0x641, Cat({CtrlDown(), AltDown(), RightAltDown(), LetterA(), CtrlUp(), AltUp(), RightAltUp()})},
        {0x741, Cat({ShiftDown(), CtrlDown(), AltDown(), RightAltDown(), LetterA(), ShiftUp(), CtrlUp(),
                     AltUp(), RightAltUp()})},
        {0x841, LetterA()},  // other bits are not acted on
        // Only listed keys go with the extended flag, down and up alike.
        {0x026, StrokeX(0x26, 0x48)},
        {0x068, Stroke(0x68, 0x48)},
        {0x00D, Enter()},
        {0x124, Shifted(StrokeX(0x24, 0x47))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fakes::Hex(c.code));
        desk.ClearCalls();
        sender.PressKeyCode(c.code, 1);
        EXPECT_EQ(desk.Calls(), c.expected);
        EXPECT_TRUE(desk.HeldKeys().empty());
    }
}

TEST_F(KeyStrokes, CountsUseTheirLow16Bits) {
    struct Case {
        std::uint32_t count;
        int strokes;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {3, 3}, {65536, 0}, {65537, 1}, {0xFFFF0002u, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        desk.ClearCalls();
        sender.PressKeyCode(0x141, c.count);
        // The shift-state modifiers go down and up once, even when the main key is not sent.
        EXPECT_EQ(desk.Calls(), Shifted(Repeat(LetterA(), c.strokes)));
    }
    desk.ClearCalls();
    sender.PressKeyCode(0x25, 65536 * 3);
    EXPECT_TRUE(desk.Calls().empty());
    EXPECT_EQ(desk.Window(term).text, std::wstring(1 + 3 + 1 + 2, L'A'));
}

TEST_F(KeyStrokes, EachPressOfTheMainKeyWaitsButModifiersDoNot) {
    sender.defaultDelay = 100;
    sender.PressKeyCode(0x141, 2);
    EXPECT_EQ(desk.Calls(), Cat({ShiftDown(), Sleep(100), LetterA(), Sleep(100), LetterA(), ShiftUp()}));
    EXPECT_EQ(desk.Window(term).text, L"AA");
}

TEST_F(KeyStrokes, APendingDelayReplacesTheDefaultOnceAndIsConsumed) {
    sender.defaultDelay = 100;
    sender.pendingDelay = 500;
    sender.PressKeyCode('A', 3);
    EXPECT_EQ(desk.Calls(), Cat({Sleep(500), LetterA(), Sleep(100), LetterA(), Sleep(100), LetterA()}));
    EXPECT_EQ(sender.pendingDelay, 0);
    EXPECT_EQ(sender.defaultDelay, 100);
}

TEST_F(KeyStrokes, NegativeDelaysMeanNoWait) {
    struct Case {
        std::int32_t defaultDelay;
        std::int32_t pendingDelay;
        Trace expected;
    };
    const Case cases[] = {
        {-1, 0, Cat({LetterA(), LetterA()})},
        {-2147483647 - 1, 0, Cat({LetterA(), LetterA()})},
        // A negative pending delay is still "set": it stands for the first press, as no wait.
        {100, -5, Cat({LetterA(), Sleep(100), LetterA()})},
        {-1, 30, Cat({Sleep(30), LetterA(), LetterA()})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.defaultDelay) + " " + std::to_string(c.pendingDelay));
        desk.ClearCalls();
        sender.defaultDelay = c.defaultDelay;
        sender.pendingDelay = c.pendingDelay;
        sender.PressKeyCode('A', 2);
        EXPECT_EQ(desk.Calls(), c.expected);
        EXPECT_EQ(sender.pendingDelay, 0);
    }
}

TEST_F(KeyStrokes, NumLockOnTheNtFamilyIsTwoExtendedEventsWithScanCode45) {
    desk.SetSystemVersion(0x23F00206);  // top bit clear
    sender.PressKeyCode(0x90, 1);
    EXPECT_EQ(desk.Calls(), (Trace{Key(0x90, 0x45, 1), Key(0x90, 0x45, 3)}));
    EXPECT_EQ(desk.KeyStateOfThread(term, 0x90) & 1, 1);
}

TEST_F(KeyStrokes, NumLockOnOlderSystemsBelowMinor10FlipsOnlyTheToggleBit) {
    desk.SetSystemVersion(0xC0000004);  // older family, version 4.0
    std::uint8_t state[256] = {};
    state[0x90] = 0x80;  // down, not toggled
    state[0x14] = 0x01;  // Caps Lock on
    desk.WriteKeyboardState(state);
    desk.ClearCalls();

    sender.PressKeyCode(0x90, 1);
    EXPECT_EQ(desk.Calls(), (Trace{"keyboard-state-read", "keyboard-state-write"}));
    std::uint8_t after[256];
    desk.ReadKeyboardState(after);
    EXPECT_EQ(after[0x90], 0x81);
    EXPECT_EQ(after[0x14], 0x01);

    sender.PressKeyCode(0x90, 1);
    desk.ReadKeyboardState(after);
    EXPECT_EQ(after[0x90], 0x80);
}

TEST_F(KeyStrokes, NumLockOnOlderSystemsFromMinor10GoesThroughSendInput) {
    for (const std::uint32_t version : {0xC0000A04u, 0xC0005A04u}) {  // 4.10 and 4.90
        SCOPED_TRACE(fakes::Hex(version));
        desk.SetSystemVersion(version);
        desk.ClearCalls();
        sender.PressKeyCode(0x90, 1);
        EXPECT_EQ(desk.Calls(), (Trace{Input(0x90, 0, 0), Input(0x90, 0, 2)}));
    }
}

TEST_F(KeyStrokes, NumLockStrokesAreCountedAndPacedWithTheirShiftState) {
    sender.defaultDelay = 50;
    sender.PressKeyCode(0x190, 2);
    const Trace stroke{Key(0x90, 0x45, 1), Key(0x90, 0x45, 3)};
    EXPECT_EQ(desk.Calls(), Shifted(Cat({Sleep(50), stroke, Sleep(50), stroke})));
    desk.ClearCalls();
    sender.PressKeyCode(0x90, 65536);
    EXPECT_TRUE(desk.Calls().empty());
}

}  // namespace
}  // namespace tandrel
