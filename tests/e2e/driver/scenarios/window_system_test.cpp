// The Win32 window system against probe terminals in other processes.
#include <gtest/gtest.h>

#include <algorithm>

#include "desktop_steps.h"
#include "platform/win32/win32_platform.h"
#include "probe_client.h"

namespace e2e {
namespace {

using tandrel::Rect;
using tandrel::WindowId;
using tandrel::win32::Win32Platform;

bool Logged(const std::vector<ProbeEvent>& events, const std::string& kind, const std::string& has = "") {
    return std::any_of(events.begin(), events.end(), [&](const ProbeEvent& e) {
        return e.kind == kind && e.line.find(has) != std::string::npos;
    });
}

class WindowSystemTest : public ::testing::Test {
  protected:
    TempFolder folder_{L"e2e-windows"};
    Win32Platform platform_;
};

TEST_F(WindowSystemTest, FindsProbeByEnumerationClassTitleAndProcess) {
    Probe probe(folder_, {.className = L"PuTTYtel", .title = L"web01 - find me"});
    ASSERT_TRUE(probe.Started());
    auto& ws = platform_.windows;

    std::vector<WindowId> all;
    ws.ListTopLevelWindows(all);
    EXPECT_NE(std::find(all.begin(), all.end(), probe.Id()), all.end());

    wchar_t buffer[300];
    EXPECT_EQ(ws.ReadClassName(probe.Id(), buffer, 300), 8u);
    EXPECT_EQ(std::wstring(buffer), L"PuTTYtel");
    EXPECT_EQ(ws.ReadTitle(probe.Id(), buffer, 300), 15u);
    EXPECT_EQ(std::wstring(buffer), L"web01 - find me");
    // A short buffer takes what fits, terminator included.
    EXPECT_EQ(ws.ReadTitle(probe.Id(), buffer, 6), 5u);
    EXPECT_EQ(std::wstring(buffer), L"web01");

    EXPECT_EQ(ws.FindByTitle(L"web01 - find me"), probe.Id());
    EXPECT_EQ(ws.FindByTitle(L"web01"), tandrel::kNoWindow);
    EXPECT_EQ(ws.ProcessOf(probe.Id()), probe.ProcessId());
    EXPECT_NE(ws.CurrentProcessId(), probe.ProcessId());
}

TEST_F(WindowSystemTest, SystemCommandsAndShowCommandsReachTheProbe) {
    Probe probe(folder_, {.title = L"web02"});
    ASSERT_TRUE(probe.Started());
    auto& ws = platform_.windows;
    const WindowId w = probe.Id();

    EXPECT_TRUE(ws.Send(w, tandrel::wm::kSysCommand, tandrel::sc::kMinimize, 0));
    EXPECT_TRUE(probe.WaitFor([](const auto& ev) { return Logged(ev, "state", "minimized=1"); }, kWaitMs));
    EXPECT_TRUE(ws.Send(w, tandrel::wm::kSysCommand, tandrel::sc::kRestore, 0));
    EXPECT_TRUE(
        probe.WaitFor([](const auto& ev) { return Logged(ev, "syscommand", "cmd=0xf120"); }, kWaitMs));

    // Show commands to another program's window are queued: each is waited for.
    const std::size_t beforeHide = probe.Mark();
    ws.Show(w, tandrel::sw::kHide);
    EXPECT_TRUE(
        probe.WaitFor([](const auto& ev) { return Logged(ev, "state", "visible=0"); }, kWaitMs, beforeHide));
    EXPECT_FALSE(ws.IsVisible(w));
    const std::size_t beforeShow = probe.Mark();
    ws.Show(w, tandrel::sw::kShow);
    EXPECT_TRUE(probe.WaitFor([](const auto& ev) { return Logged(ev, "state", "visible=1 minimized=0"); },
                              kWaitMs, beforeShow));
    EXPECT_TRUE(ws.IsVisible(w));
    const auto events = probe.Events();
    EXPECT_TRUE(Logged(events, "state", "visible=0")) << Dump(events);
    EXPECT_TRUE(Logged(events, "state", "visible=1 minimized=0")) << Dump(events);
}

TEST_F(WindowSystemTest, PlacementMovesAndSizes) {
    Probe probe(folder_, {.title = L"web03"});
    ASSERT_TRUE(probe.Started());
    auto& ws = platform_.windows;
    ws.Place(probe.Id(), tandrel::zorder::kTop, 40, 50, 500, 320,
             tandrel::swp::kNoZOrder | tandrel::swp::kNoActivate);
    // The placement of another program's window is queued: it is waited for.
    EXPECT_TRUE(probe.WaitFor([](const auto& ev) { return Logged(ev, "windowpos", "x=40 y=50 w=500 h=320"); },
                              kWaitMs));
    RECT r{};
    GetWindowRect(probe.Window(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 320);
    EXPECT_TRUE(Logged(probe.Events(), "windowpos", "x=40 y=50 w=500 h=320")) << Dump(probe.Events());
}

// Like a terminal, the probe fits its window to the client size that a WM_SIZE announces
// during a size-move; with --ignore-size it keeps its size.
TEST_F(WindowSystemTest, ProbeFitsToAnnouncedClientSizeUnlessTold) {
    Probe fitting(folder_, {.title = L"fits"});
    Probe ignoring(folder_, {.title = L"ignores", .ignoreSize = true});
    ASSERT_TRUE(fitting.Started());
    ASSERT_TRUE(ignoring.Started());
    auto& ws = platform_.windows;
    const Rect before = ws.ClientRect(ignoring.Id());
    for (const Probe* p : {&fitting, &ignoring}) {
        EXPECT_TRUE(ws.Send(p->Id(), tandrel::wm::kEnterSizeMove, 0, 0));
        EXPECT_TRUE(ws.Send(p->Id(), tandrel::wm::kSize, 0, (200 << 16) | 300));
        EXPECT_TRUE(ws.Send(p->Id(), tandrel::wm::kExitSizeMove, 0, 0));
    }
    EXPECT_EQ(ws.ClientRect(fitting.Id()), (Rect{0, 0, 300, 200}));
    EXPECT_EQ(ws.ClientRect(ignoring.Id()), before);
    EXPECT_TRUE(Logged(fitting.Events(), "entersizemove"));
    EXPECT_TRUE(Logged(fitting.Events(), "exitsizemove"));
}

// Another process's window comes forward and takes the keyboard through the five steps.
TEST_F(WindowSystemTest, BringsAnotherProcessWindowForwardWithTheKeyboard) {
    Probe first(folder_, {.title = L"first"});
    Probe second(folder_, {.title = L"second", .activationDelayMs = 40});
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(second.Started());
    auto& ws = platform_.windows;
    for (int round = 0; round < 3; ++round) {
        for (const Probe* p : {&first, &second}) {
            ASSERT_TRUE(BringForward(ws, p->Id())) << "round " << round;
            EXPECT_EQ(ws.ForegroundWindow(), p->Id());
            EXPECT_EQ(GetForegroundWindow(), p->Window());
        }
    }
    EXPECT_TRUE(Logged(second.Events(), "setfocus"));
}

TEST_F(WindowSystemTest, HiddenWindowCanBeShownAndFocused) {
    Probe hidden(folder_, {.title = L"hidden", .hidden = true});
    Probe minimized(folder_, {.title = L"minimized", .minimized = true});
    ASSERT_TRUE(hidden.Started());
    ASSERT_TRUE(minimized.Started());
    auto& ws = platform_.windows;
    EXPECT_FALSE(ws.IsVisible(hidden.Id()));
    EXPECT_TRUE(IsIconic(minimized.Window()));
    // Not shown, it cannot take the keyboard.
    EXPECT_FALSE(ws.WaitUntilFocused(hidden.Id(), 100));
    EXPECT_TRUE(BringForward(ws, hidden.Id()));
    EXPECT_TRUE(ws.IsVisible(hidden.Id()));
    EXPECT_TRUE(BringForward(ws, minimized.Id()));
    EXPECT_FALSE(IsIconic(minimized.Window()));
}

// A terminal that stopped answering is passed over: every call returns, the sends say so, and
// it never counts as focused.
TEST_F(WindowSystemTest, HungWindowIsPassedOver) {
    Probe hung(folder_, {.title = L"hung", .hangOnRequest = true});
    ASSERT_TRUE(hung.Started());
    ASSERT_TRUE(hung.Hang());
    auto& ws = platform_.windows;
    EXPECT_FALSE(ws.Send(hung.Id(), tandrel::wm::kSysCommand, tandrel::sc::kHotKey, 0));
    EXPECT_FALSE(BringForward(ws, hung.Id()));
    ws.Place(hung.Id(), tandrel::zorder::kTop, 0, 0, 100, 100, tandrel::swp::kNoZOrder);
    ws.WaitUntilInputDelivered(hung.Id(), 1000);
    EXPECT_FALSE(ws.Send(hung.Id(), tandrel::wm::kNull, 0, 0));
    EXPECT_TRUE(hung.Running());
}

// The outer size follows from the client size by the window's own frame; it stays where it is.
TEST_F(WindowSystemTest, SizeClientToGivesTheClientAreaAsked) {
    Probe probe(folder_, {.title = L"web04", .ignoreSize = true});
    ASSERT_TRUE(probe.Started());
    auto& ws = platform_.windows;
    RECT before{};
    GetWindowRect(probe.Window(), &before);
    ws.SizeClientTo(probe.Id(), 333, 222);
    EXPECT_EQ(ws.ClientRect(probe.Id()), (Rect{0, 0, 333, 222}));
    RECT after{};
    GetWindowRect(probe.Window(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_GT(after.right - after.left, 333);  // the frame is around the client area
}

TEST_F(WindowSystemTest, EndProcessEndsTheProbe) {
    Probe probe(folder_, {.title = L"doomed"});
    ASSERT_TRUE(probe.Started());
    auto& ws = platform_.windows;
    EXPECT_TRUE(ws.EndProcess(ws.ProcessOf(probe.Id()), 0));
    const ULONGLONG until = GetTickCount64() + kWaitMs;
    while (probe.Running() && GetTickCount64() < until) Sleep(10);
    EXPECT_FALSE(probe.Running());
    EXPECT_FALSE(IsWindow(probe.Window()));
    EXPECT_FALSE(ws.EndProcess(0x7FFFFFF0u, 0));
}

}  // namespace
}  // namespace e2e
