// The fake desktop is the ground every other unit test stands on: check that it routes keys
// to the window focused at that moment and types what the US layout types.
#include <gtest/gtest.h>

#include "fakes/fake_desktop.h"

namespace tandrel {
namespace {

using fakes::FakeDesktop;

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

    // Each window's thread interprets its keys with its own state: a Shift that went down in a
    // is unknown to b, and so is a Caps Lock switched on there.
    d.GiveFocus(a);
    d.KeyEvent(vk::kShift, 0x2A, 0);
    d.KeyEvent(vk::kCapital, 0x3A, 0);
    d.KeyEvent(vk::kCapital, 0x3A, keyflag::kKeyUp);
    d.GiveFocus(b);
    d.KeyEvent('S', 0x1F, 0);
    EXPECT_EQ(d.Window(b).text, L"Ss");
    EXPECT_EQ(d.KeyStateOfThread(a, vk::kShift) & 0x8000, 0x8000);
    EXPECT_EQ(d.KeyStateOfThread(a, vk::kCapital), 1);
    EXPECT_EQ(d.KeyStateOfThread(b, vk::kCapital), 0);
    EXPECT_EQ(d.KeyState(vk::kCapital), 0);  // the caller's thread took no key
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
    EXPECT_TRUE(d.Send(a, wm::kChar, L'@', 1));
    EXPECT_EQ(d.Window(a).text, std::wstring(L"\x0D\x0436@"));
}

TEST(FakeDesktop, DelayedActivationSendsEarlyKeysToThePreviousWindow) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    const WindowId b = d.AddWindow(L"PuTTY", L"b");
    d.Window(b).activationDelayMs = 30;
    d.SetFocusNow(a);
    d.BringToForeground(b);
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
    // A show command waits in its queue, neither done nor dropped, until it answers again.
    d.Show(a, sw::kHide);
    d.Show(a, sw::kShow);
    d.Show(a, sw::kHide);
    EXPECT_TRUE(d.IsVisible(a));
    d.Window(a).hung = false;
    EXPECT_FALSE(d.IsVisible(a));
}

TEST(FakeDesktop, ARestoreNeverShowsAHiddenWindowAndAMinimiseDoes) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    d.Window(a).visible = false;
    d.Send(a, wm::kSysCommand, sc::kRestore, 0);
    EXPECT_FALSE(d.IsVisible(a));
    d.Send(a, wm::kSysCommand, sc::kMinimize, 0);
    EXPECT_TRUE(d.IsVisible(a));
    EXPECT_EQ(d.Window(a).showState, sw::kShowMinimized);
}

TEST(FakeDesktop, ASlowWindowAnswersLateAndOneSlowerThanTheHungThresholdNotAtAll) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(L"PuTTY", L"a");
    d.Window(a).answerDelayMs = 1500;
    EXPECT_TRUE(d.Send(a, wm::kNull, 0, 0));
    EXPECT_FALSE(d.WaitUntilInputDelivered(a, 1000));
    EXPECT_TRUE(d.WaitUntilInputDelivered(a, 2000));
    EXPECT_EQ(d.NowMs(), 1500u + 1000u + 1500u);
    d.Window(a).answerDelayMs = kHungThresholdMs;
    EXPECT_FALSE(d.Send(a, wm::kNull, 0, 0));
}

}  // namespace
}  // namespace tandrel
