// PuTTY's saved sessions: their names as PuTTY escapes them, the quoting of putty.exe's command
// line, where putty.exe is looked for, and Open Sessions from the dialog and from /open.
#include <gtest/gtest.h>

#include "fakes/trace_log.h"
#include "main_window_fixture.h"
#include "ui/open_sessions_dialog.h"

namespace tandrel {
namespace {

using D = COpenSessionsDialog;
using Texts = std::vector<std::wstring>;
const std::wstring kSessions(kPuttySessionsKey);

// Key names as PuTTY writes them and the names they stand for (the code page being ISO 8859-1);
// "Default Settings" and a key PuTTY never names are left out.
TEST(SavedSessions, KeyNamesAreReadBackAsPuttyEscapedThem) {
    // clang-format off
    const Texts keys = {L"web01", L"my%20server", L"100%25", L"%2Eprofile", L"a.b", L"back%5Cslash%2Astar%3F",
                        L"caf%E9%20M%FCller", L"tab%09del%7F", L"50%2"};
    const Texts names = {L"web01", L"my server", L"100%", L".profile", L"a.b", L"back\\slash*star?",
                         L"caf\u00e9 M\u00fcller", L"tab\tdel\x7f", L"50%2"};
    // clang-format on
    fakes::FakeLauncher launcher;
    launcher.subkeys[kSessions] = {L"Default%20Settings", L"caf\u00e9"};
    launcher.subkeys[kSessions].insert(launcher.subkeys[kSessions].end(), keys.begin(), keys.end());
    fakes::TraceLog trace;
    EXPECT_EQ(ListSavedSessions(launcher), names);
    EXPECT_EQ(trace.lines.size(), 1u);  // the key PuTTY never names
}

TEST(SavedSessions, EachArgumentIsQuotedToArriveWholeAndPuttyIsLookedForInOrder) {
    const Texts arguments = {L"web01", L"", L"say \"hi\"", L"a\\b\\\\c", L"trail\\", L"a\\\"b"};
    const Texts quoted = {L"\"web01\"",     L"\"\"",          L"\"say \\\"hi\\\"\"",
                          L"\"a\\b\\\\c\"", L"\"trail\\\\\"", L"\"a\\\\\\\"b\""};
    for (std::size_t i = 0; i < arguments.size(); ++i) EXPECT_EQ(QuoteArgument(arguments[i]), quoted[i]) << i;
    EXPECT_EQ(PuttyCommandLine(L"C:\\P F\\putty.exe", L"web 01"), L"\"C:\\P F\\putty.exe\" -load \"web 01\"");
    fakes::FakeLauncher launcher;
    // clang-format off
    launcher.environment = {{L"PATH", L"C:\\bin;;\"D:\\net tools\\\""}, {L"ProgramFiles", L"C:\\PF"},
                            {L"ProgramW6432", L"C:\\PF"}, {L"ProgramFiles(x86)", L"C:\\PF86"}};
    const Texts everywhere = {L"E:\\putty.exe", L"C:\\Tools\\putty.exe", L"C:\\bin\\putty.exe",
                              L"D:\\net tools\\putty.exe", L"C:\\PF\\PuTTY\\putty.exe",
                              L"C:\\PF86\\PuTTY\\putty.exe"};
    // clang-format on
    EXPECT_EQ(FindPutty(launcher, L"E:\\putty.exe", L"C:\\Tools\\").lookedAt, everywhere);
    for (std::size_t i = everywhere.size(); i-- > 0;) {
        launcher.files.insert(everywhere[i]);
        const PuttyLookup found = FindPutty(launcher, L"E:\\putty.exe", L"C:\\Tools\\");
        EXPECT_EQ(found.found, everywhere[i]);
        EXPECT_EQ(found.lookedAt.size(), i + 1);
    }
}

class OpenSessions : public MainWindow {
  protected:
    OpenSessions() {
        Profile(L"checkForUpdates=0\r\n");
        launcher.subkeys[kSessions] = {L"Default%20Settings", L"web01", L"web02", L"web03", L"db%2001"};
        launcher.files.insert(L"C:\\Tools\\putty.exe");
        // Each session shows its window titled by its command line, but web02 shows none, and
        // web03's host refuses: an error box follows its window.
        launcher.onStart = [this](const fakes::ProcessStart& start) {
            if (start.commandLine.find(L"web02") == std::wstring::npos)
                desktop.Window(Terminal(start.commandLine)).processId = start.processId;
            if (start.commandLine.find(L"web03") != std::wstring::npos)
                desktop.Window(desktop.AddWindow(L"#32770", L"PuTTY Fatal Error")).processId =
                    start.processId;
        };
        Open();
    }
    CommandOutcome OpenRequest(const wchar_t* pattern) {
        return dialog.RunCommandRequest(ParseCommandLine({L"/open", pattern}).request);
    }
    const fakes::FakeWindow& Opened(std::size_t i) {
        return desktop.Window(desktop.FindByTitle(launcher.starts[i].commandLine));
    }
};

TEST_F(OpenSessions, OpenNamesTheSessionsWithoutAWindowAndTilesTheOthers) {
    EXPECT_EQ(OpenRequest(L"web*"),
              (CommandOutcome{cli::kSomePassedOver,
                              {L"Opened 1 of 3 sessions; no window appeared for:", L"  web02", L"  web03"}}));
    EXPECT_EQ(launcher.starts[1].commandLine, L"\"C:\\Tools\\putty.exe\" -load \"web02\"");
    // Waited for web02 as long as it may; then web01 alone tiled over the whole screen.
    EXPECT_GE(desktop.NowMs(), kSessionWindowWaitMs);
    EXPECT_LT(desktop.NowMs(), kSessionWindowWaitMs + 1000);
    EXPECT_EQ(Opened(0).rect, (Rect{0, 0, 1288, 1004}));

    EXPECT_EQ(OpenRequest(L"db 01"), (CommandOutcome{cli::kAllServed, {L"Opened 1 session."}}));
    EXPECT_EQ(OpenRequest(L"mail*").lines, Texts{L"No saved PuTTY session matches \"mail*\"."});
    launcher.files.clear();
    EXPECT_EQ(OpenRequest(L"web01").exitCode, cli::kBadArguments);
    EXPECT_EQ(launcher.starts.size(), 4u);
}

TEST_F(OpenSessions, TheDialogTicksByPatternOpensTheTickedAndKeepsItsChoices) {
    host.OnModal(D::kTemplate, [&](CDialog&, fakes::FakeDialogHost& h) {
        EXPECT_EQ(h.Control(D::kList).items,
                  (std::vector<std::wstring>{L"web01", L"web02", L"web03", L"db 01"}));
        EXPECT_TRUE(h.IsChecked(D::kTile));
        h.UserSetsText(D::kPattern, L"web*");
        EXPECT_EQ(h.Control(D::kList).ticks,
                  (std::map<int, bool>{{0, true}, {1, true}, {2, true}, {3, false}}));
        h.SetListItemChecked(D::kList, 2, false);  // web03 unticked by hand
        h.SetCheck(D::kTile, false);
        h.SetCheck(D::kLeave, true);
        h.UserClicks(D::kOpen);
        return 0;
    });
    desktop.SetFocusNow(main);
    desktop.KeyEvent(vk::kControl, 0, 0);  // Ctrl+O in the main window
    EXPECT_EQ(Press('O'), 0u);
    EXPECT_EQ(launcher.starts.size(), 2u);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"No PuTTY window appeared for:\nweb02");
    EXPECT_EQ(Opened(0).rect, (Rect{0, 0, 400, 300}));  // left where it opened
    // Kept for the next time; without putty.exe the dialog says where it looked and greys Open.
    launcher.files.clear();
    host.OnModal(D::kTemplate, [&](CDialog&, fakes::FakeDialogHost& h) {
        EXPECT_EQ(h.ItemText(D::kPattern), L"web*");
        EXPECT_TRUE(h.IsChecked(D::kLeave));
        EXPECT_EQ(
            h.ItemText(D::kNote).find(L"putty.exe was not found. Tandrel looked at:\nC:\\Tools\\putty.exe"),
            0u);
        EXPECT_FALSE(h.IsItemEnabled(D::kOpen));
        return mb::kIdCancel;
    });
    dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, mainid::kOpenSessionsSysCommand);
    host.UserClicks(mainid::kTrayOpenSessions);
    EXPECT_EQ(host.ModalRuns().size(), 3u);
    EXPECT_EQ(launcher.starts.size(), 2u);
}

}  // namespace
}  // namespace tandrel
