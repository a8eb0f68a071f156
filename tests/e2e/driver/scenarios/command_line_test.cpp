// tandrel.exe driven from a script: /send handed to the running instance or done without one,
// /targets, and bad arguments, with the exit code and what was printed.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "app_steps.h"
#include "e2e_files.h"
#include "probe_client.h"
#include "tandrel_client.h"

namespace e2e {
namespace {

struct Outcome {
    DWORD exitCode = 0;
    std::string output;
};

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        WriteAppProfile(folder_, "checkForUpdates=0\r\nminimizeToSysTray=0\r\n");
        // Started out of title order: the order is the program's.
        for (const wchar_t* title : {L"web03", L"web01", L"web02"})
            probes_.push_back(std::make_unique<Probe>(folder_, ProbeOptions{.title = title}));
    }

    // The private copy started with the arguments, its output going to a file.
    bool Start(ChildProcess& p, const std::vector<std::wstring>& args) {
        const std::wstring exe = folder_.File(L"tandrel.exe");
        CopyFileW(TandrelExe().c_str(), exe.c_str(), TRUE);  // already there while it runs
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileW(folder_.File(L"out.txt").c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
        const bool started = p.Start(exe, args, folder_.Path(), -1, out);
        CloseHandle(out);
        return started;
    }
    Outcome Run(const std::vector<std::wstring>& args) {
        ChildProcess p;
        EXPECT_TRUE(Start(p, args) && p.WaitForExit(60000));
        return {p.ExitCode(), ReadWholeFile(folder_.File(L"out.txt"))};
    }

    // Every probe, in title order, typed `text` with its own number after `marks`.
    void ExpectEachTyped(const std::wstring& prefix, const std::vector<std::size_t>& marks) {
        const std::size_t order[] = {1, 2, 0};  // web01, web02, web03
        for (std::size_t n = 0; n < 3; ++n) {
            const Probe& p = *probes_[order[n]];
            const std::wstring expected = prefix + std::to_wstring(n + 1) + L"\r";
            EXPECT_TRUE(p.WaitForChars(expected.size(), 10000, marks[order[n]])) << Dump(p.Events());
            EXPECT_EQ(TypedText(p.EventsAfter(marks[order[n]])), expected) << Dump(p.Events());
        }
    }
    std::vector<std::size_t> Marks() const {
        std::vector<std::size_t> m;
        for (const auto& p : probes_) m.push_back(p->Mark());
        return m;
    }

    TempFolder folder_{L"e2e-cli"};
    std::vector<std::unique_ptr<Probe>> probes_;
};

TEST_F(CommandLineTest, SendTypesIntoEveryProbeInOrderWithoutAndWithARunningInstanceAndKeepsTheHistory) {
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    // No instance running: done here, without a window, and the history saved.
    auto marks = Marks();
    Outcome run = Run({L"/send", L"echo {%INC%}"});
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "Sent to 3 terminals.\r\n");
    ExpectEachTyped(L"echo ", marks);
    EXPECT_EQ(ProfileValue(folder_.File(L"tandrel.ini"), L"cmdhistory00"), L"echo {%INC%}");

    // With one running: handed over, done there, and in its history after the first one. The
    // caller's console was in front, and is again once the terminals have their keys.
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    Probe console(folder_, ProbeOptions{.className = L"ConsoleWindowClass", .title = L"cmd"});
    SetForegroundWindow(console.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == console.Window(); }, 5000));
    marks = Marks();
    run = Run({L"/send", L"ls {%INC%}"});
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "Sent to 3 terminals.\r\n");
    ExpectEachTyped(L"ls ", marks);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == console.Window(); }, 1000))
        << GetForegroundWindow();
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(10000));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cmdhistory01"), L"ls {%INC%}");
}

// A terminal passed over in the running instance, its window shown: the caller is told at once,
// with the reason, and the instance shows no box (the next hand-off is not told it is busy).
TEST_F(CommandLineTest, APassedOverTerminalIsReportedToTheCallerAloneAtOnce) {
    Probe hung(folder_, ProbeOptions{.title = L"web00", .hangOnRequest = true});
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    ASSERT_TRUE(hung.Started() && hung.Hang());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    const auto marks = Marks();
    Outcome run = Run({L"/send", L"ls"});
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output, "Sent to 3 of 4 terminals; passed over:\r\n  web00: did not answer\r\n");
    for (std::size_t n = 0; n < probes_.size(); ++n) {
        EXPECT_TRUE(probes_[n]->WaitForChars(3, 10000, marks[n])) << Dump(probes_[n]->Events());
        EXPECT_EQ(TypedText(probes_[n]->EventsAfter(marks[n])), L"ls\r") << Dump(probes_[n]->Events());
    }
    EXPECT_FALSE(MessageBoxShown(app.ProcessId()));
    run = Run({L"/targets", L"/filter", L"All PuTTYs"});
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "1\tweb00\r\n2\tweb01\r\n3\tweb02\r\n4\tweb03\r\n");
}

// Typed in the background from the command line while the operator types into a window of their
// own: every key of theirs reaches it, the foreground stays with it, and no terminal gets any of
// them. A terminal that does not answer holds the run in its wait meanwhile.
TEST_F(CommandLineTest, InTheBackgroundTheOperatorKeepsTheForegroundAndEveryKey) {
    Probe hung(folder_, ProbeOptions{.title = L"web00", .hangOnRequest = true});
    Probe own(folder_, ProbeOptions{.className = L"Notepad", .title = L"notes"});
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    ASSERT_TRUE(hung.Started() && own.Started());
    SetForegroundWindow(own.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == own.Window(); }, 10000));
    ASSERT_TRUE(hung.Hang());
    const auto marks = Marks();
    const std::size_t ownMark = own.Mark();
    ChildProcess run;
    ASSERT_TRUE(Start(run, {L"/send", L"ls", L"/background"}));
    ASSERT_TRUE(probes_[1]->WaitForChars(3, 10000, marks[1])) << Dump(probes_[1]->Events());  // web01
    EXPECT_TRUE(run.Running());
    const std::wstring typed = L"the operator's own words";
    TypeText(typed);
    EXPECT_TRUE(own.WaitForChars(typed.size(), 10000, ownMark)) << Dump(own.Events());
    ASSERT_TRUE(run.WaitForExit(60000));
    EXPECT_EQ(run.ExitCode(), 1u) << ReadWholeFile(folder_.File(L"out.txt"));
    EXPECT_EQ(TypedText(own.EventsAfter(ownMark)), typed);
    EXPECT_EQ(GetForegroundWindow(), own.Window());
    for (std::size_t n = 0; n < probes_.size(); ++n)
        EXPECT_EQ(TypedText(probes_[n]->EventsAfter(marks[n])), L"ls\r") << Dump(probes_[n]->Events());
}

// In the background the window answers while a slow terminal is waited for: a second Send is
// taken at once (the box empties before that terminal has taken the first command) and queued
// behind the first, and so is a /send from the command line; every terminal gets the first
// command whole, then the second, then the third.
TEST_F(CommandLineTest, InTheBackgroundTheWindowTakesASecondSendDuringTheWaitAndQueuesIt) {
    WriteAppProfile(folder_, "checkForUpdates=0\r\nminimizeToSysTray=0\r\ntypeInBackground=1\r\n");
    Probe slow(folder_, ProbeOptions{.title = L"web00", .charDelayMs = 400});
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(slow.Started() && Shown(app));
    const auto marks = Marks();
    const std::size_t slowMark = slow.Mark();
    SetText(app.Window(), IDC_COMMAND_BOX, L"first");
    Click(app.Window(), IDC_SEND);
    ASSERT_TRUE(probes_[1]->WaitForChars(6, 10000, marks[1])) << Dump(probes_[1]->Events());  // web01
    SetText(app.Window(), IDC_COMMAND_BOX, L"second");
    Click(app.Window(), IDC_SEND);
    ChildProcess third;
    ASSERT_TRUE(Start(third, {L"/send", L"third"}));
    const HWND box = GetDlgItem(app.Window(), IDC_COMMAND_BOX);
    // Asked of the box itself: the system's copy of another process's window text is its caption.
    EXPECT_TRUE(WaitUntil(
        [&] {
            DWORD_PTR length = 1;
            return SendMessageTimeoutW(box, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) != 0 &&
                   length == 0;
        },
        10000));
    EXPECT_LT(TypedText(slow.EventsAfter(slowMark)).size(), 6u) << "the second Send waited for the first";
    ASSERT_TRUE(third.WaitForExit(60000));
    EXPECT_EQ(third.ExitCode(), 0u) << ReadWholeFile(folder_.File(L"out.txt"));
    EXPECT_TRUE(slow.WaitForChars(19, 10000, slowMark)) << Dump(slow.Events());
    EXPECT_EQ(TypedText(slow.EventsAfter(slowMark)), L"first\rsecond\rthird\r");
    for (std::size_t n = 0; n < probes_.size(); ++n) {
        EXPECT_TRUE(probes_[n]->WaitForChars(19, 10000, marks[n])) << Dump(probes_[n]->Events());
        EXPECT_EQ(TypedText(probes_[n]->EventsAfter(marks[n])), L"first\rsecond\rthird\r");
    }
    EXPECT_FALSE(MessageBoxShown(app.ProcessId()));
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.Process().WaitForExit(10000));
}

// A Tandrel started while a run without one is under way (held up by a terminal that does not
// answer) waits for it, and then keeps the history that run saved.
TEST_F(CommandLineTest, ATandrelStartedDuringARunWithoutOneWaitsForIt) {
    Probe hung(folder_, ProbeOptions{.title = L"web99", .hangOnRequest = true});  // the last in order
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    ASSERT_TRUE(hung.Started() && hung.Hang());
    const auto marks = Marks();
    ChildProcess run;
    ASSERT_TRUE(Start(run, {L"/send", L"first"}));
    ASSERT_TRUE(probes_[0]->WaitForChars(6, 10000, marks[0])) << Dump(probes_[0]->Events());  // web03
    ChildProcess app;  // the copy that runs, not copied over again
    ASSERT_TRUE(app.Start(folder_.File(L"tandrel.exe"), {}, folder_.Path()));
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (window = FindWindowOfProcess(L"TANDREL_WND_CLASS", app.Id())); }, 30000));
    EXPECT_FALSE(run.Running());
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.WaitForExit(10000));
    EXPECT_EQ(ProfileValue(folder_.File(L"tandrel.ini"), L"cmdhistory00"), L"first");
}

TEST_F(CommandLineTest, TargetsAreListedInTitleOrderAndBadArgumentsExitWithTwo) {
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    const std::string usage =
        "usage: tandrel.exe /send \"text\" [/filter \"name\"] [/tab] [/background | /foreground] | /script "
        "\"file.tdl\" [/filter \"name\"] [/background | /foreground] | /targets [/filter \"name\"] | /open "
        "\"pattern\" [/tile | /cascade | /noarrange]\r\n";
    const struct {
        std::vector<std::wstring> args;
        DWORD exitCode;
        std::string output;
    } cases[] = {
        {{L"/targets"}, 0, "1\tweb01\r\n2\tweb02\r\n3\tweb03\r\n"},
        {{L"/targets", L"/filter", L"nope"},
         2,
         "Unknown filter \"nope\"; the filters are: All PuTTYs\r\n" + usage},
        {{L"/bogus"}, 2, "tandrel: unknown switch \"/bogus\"\r\n" + usage},
    };
    for (const auto& c : cases) {
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << testing::PrintToString(c.args);
        EXPECT_EQ(run.output, c.output) << testing::PrintToString(c.args);
    }
    for (const auto& p : probes_) EXPECT_EQ(TypedText(p->Events()), L"");
}

}  // namespace
}  // namespace e2e
