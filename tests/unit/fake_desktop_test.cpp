// The fake desktop is the ground every other unit test stands on: check that it routes keys
// to the window focused at that moment and types what the US layout types.
#include <gtest/gtest.h>

#include "fakes/fake_desktop.h"

namespace tandrel::fakes {
namespace {

TEST(FakeDesktop, KeysGoToTheWindowFocusedWhenTheyArrive) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    const WindowId b = d.AddWindow(L"PuTTY", L"b");
    d.SetFocusNow(a);
    d.KeyEvent('L', 0x26, 0);
    d.KeyEvent('L', 0x26, keyflag::kKeyUp);
    d.GiveFocus(b);
    d.KeyEvent(vk::kShift, 0x2A, 0);
    d.KeyEvent('S', 0x1F, 0);
    d.KeyEvent('S', 0x1F, keyflag::kKeyUp);
    d.KeyEvent(vk::kShift, 0x2A, keyflag::kKeyUp);
    EXPECT_EQ(d.Window(a).text, L"l");
    EXPECT_EQ(d.Window(b).text, L"S");
    EXPECT_TRUE(d.HeldKeys().empty());
}

TEST(FakeDesktop, ControlLettersAndUnicodeInput) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    d.SetFocusNow(a);
    d.KeyEvent(vk::kControl, 0x1D, 0);
    d.KeyEvent('M', 0x32, 0);
    d.KeyEvent('M', 0x32, keyflag::kKeyUp);
    d.KeyEvent(vk::kControl, 0x1D, keyflag::kKeyUp);
    const KeyInput zhe[2] = {{0, 0x436, keyflag::kUnicode}, {0, 0x436, keyflag::kUnicode | keyflag::kKeyUp}};
    d.SendKeyInputs(zhe, 2);
    EXPECT_EQ(d.Window(a).text, std::wstring(L"\x0D\x0436"));
}

TEST(FakeDesktop, DelayedActivationSendsEarlyKeysToThePreviousWindow) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    const WindowId b = d.AddWindow(L"PuTTY", L"b");
    d.Window(b).activationDelayMs = 30;
    d.SetFocusNow(a);
    d.GiveFocus(b);
    d.KeyEvent('X', 0x2D, 0);
    EXPECT_EQ(d.Window(a).text, L"x");
    EXPECT_TRUE(d.WaitUntilFocused(b, 1000));
    EXPECT_GE(d.NowMs(), 30u);
    d.KeyEvent('Y', 0x15, 0);
    EXPECT_EQ(d.Window(b).text, L"y");
}

TEST(FakeDesktop, HungWindowsAnswerNothingAndNeverTakeTheFocus) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    d.Window(a).hung = true;
    EXPECT_FALSE(d.Send(a, wm::kSysCommand, sc::kRestore, 0));
    d.GiveFocus(a);
    EXPECT_FALSE(d.WaitUntilFocused(a, 1000));
    EXPECT_EQ(d.Focus(), kNoWindow);
}

}  // namespace
}  // namespace tandrel::fakes
