// tandrel.exe driven from a script: /send handed to the running instance or done without one,
// /targets, and bad arguments, with the exit code and what was printed.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

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

    // The private copy run with the arguments, its output going to a file.
    Outcome Run(const std::vector<std::wstring>& args) {
        const std::wstring exe = folder_.File(L"tandrel.exe");
        CopyFileW(TandrelExe().c_str(), exe.c_str(), TRUE);  // already there while it runs
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const std::wstring outFile = folder_.File(L"out.txt");
        HANDLE out = CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
        ChildProcess p;
        const bool started = p.Start(exe, args, folder_.Path(), -1, out);
        CloseHandle(out);
        EXPECT_TRUE(started && p.WaitForExit(60000));
        return {p.ExitCode(), ReadWholeFile(outFile)};
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

    // With one running: handed over, done there, and in its history after the first one.
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    marks = Marks();
    run = Run({L"/send", L"ls {%INC%}"});
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "Sent to 3 terminals.\r\n");
    ExpectEachTyped(L"ls ", marks);
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(10000));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cmdhistory01"), L"ls {%INC%}");
}

TEST_F(CommandLineTest, TargetsAreListedInTitleOrderAndBadArgumentsExitWithTwo) {
    for (const auto& p : probes_) ASSERT_TRUE(p->Started());
    const std::string usage =
        "usage: tandrel.exe /send \"text\" [/filter \"name\"] [/tab] [/background | /foreground] | /script "
        "\"file.tdl\" [/filter \"name\"] [/background | /foreground] | /targets [/filter \"name\"]\r\n";
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
