// PuTTY's saved sessions: their names as PuTTY escapes them, the quoting of putty.exe's command
// line, where putty.exe is looked for, and Open Sessions from the dialog and from /open.
#include <gtest/gtest.h>

#include "fakes/trace_log.h"
#include "main_window_fixture.h"
#include "sessions/sessions.h"
#include "ui/open_sessions_dialog.h"

namespace tandrel {
namespace {

const std::wstring kSessions(kPuttySessionsKey);

// Registry key names as PuTTY writes them, and the names they stand for (this machine's code
// page being ISO 8859-1); "Default Settings" and a key PuTTY never names are left out.
TEST(SavedSessions, KeyNamesAreReadBackAsPuttyEscapedThem) {
    const std::pair<const wchar_t*, const wchar_t*> names[] = {
        {L"web01", L"web01"},
        {L"my%20server", L"my server"},
        {L"100%25", L"100%"},
        {L"%2Eprofile", L".profile"},
        {L"a.b", L"a.b"},
        {L"back%5Cslash%2Astar%3Fmark", L"back\\slash*star?mark"},
        {L"caf%E9%20M%FCller", L"caf\u00e9 M\u00fcller"},
        {L"tab%09del%7F", L"tab\tdel\x7f"},
        {L"50%2", L"50%2"},  // too short to be an escape: kept as it stands
        {L"\"quoted\"", L"\"quoted\""},
    };
    fakes::FakeLauncher launcher;
    std::vector<std::wstring> expected;
    launcher.subkeys[kSessions] = {L"Default%20Settings", L"caf\u00e9"};
    for (const auto& [key, name] : names) {
        launcher.subkeys[kSessions].push_back(key);
        expected.push_back(name);
    }
    fakes::TraceLog trace;
    EXPECT_EQ(ListSavedSessions(launcher), expected);
    EXPECT_EQ(trace.lines.size(), 1u);  // the key PuTTY never names
    launcher.subkeys.clear();
    EXPECT_TRUE(ListSavedSessions(launcher).empty());
}

TEST(SavedSessions, EachArgumentIsQuotedToArriveWhole) {
    const std::pair<const wchar_t*, const wchar_t*> quoted[] = {
        {L"web01", L"\"web01\""},         {L"", L"\"\""},
        {L"my server", L"\"my server\""}, {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {L"a\\b\\\\c", L"\"a\\b\\\\c\""},  // backslashes before no quote stay
        {L"trail\\", L"\"trail\\\\\""},    // before the closing quote: doubled
        {L"a\\\"b", L"\"a\\\\\\\"b\""},    // before a quote: doubled, and the quote escaped
        {L"-load x", L"\"-load x\""},
    };
    for (const auto& [argument, expected] : quoted) EXPECT_EQ(QuoteArgument(argument), expected) << argument;
    EXPECT_EQ(PuttyCommandLine(L"C:\\Program Files\\PuTTY\\putty.exe", L"web 01"),
              L"\"C:\\Program Files\\PuTTY\\putty.exe\" -load \"web 01\"");
}

TEST(SavedSessions, PuttyIsLookedForInTheOrderOfPreferenceBesideUsPathAndProgramFiles) {
    fakes::FakeLauncher launcher;
    launcher.environment = {{L"PATH", L"C:\\bin;;\"D:\\net tools\\\""},
                            {L"ProgramFiles", L"C:\\Program Files"},
                            {L"ProgramW6432", L"C:\\Program Files"},
                            {L"ProgramFiles(x86)", L"C:\\Program Files (x86)"}};
    const std::vector<std::wstring> everywhere = {L"E:\\putty.exe",
                                                  L"C:\\Tools\\putty.exe",
                                                  L"C:\\bin\\putty.exe",
                                                  L"D:\\net tools\\putty.exe",
                                                  L"C:\\Program Files\\PuTTY\\putty.exe",
                                                  L"C:\\Program Files (x86)\\PuTTY\\putty.exe"};
    EXPECT_EQ(FindPutty(launcher, L"E:\\putty.exe", L"C:\\Tools\\").lookedAt, everywhere);
    EXPECT_EQ(FindPutty(launcher, L"E:\\putty.exe", L"C:\\Tools\\").found, L"");
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
        // Each session shows its window, but web02's host refuses and it shows none.
        launcher.onStart = [this](const fakes::ProcessStart& start) {
            if (start.commandLine.find(L"web02") != std::wstring::npos)
                return;
            const WindowId w = Terminal(start.commandLine);
            desktop.Window(w).processId = start.processId;
        };
        Open();
    }
    std::vector<std::wstring> CommandLines() const {
        std::vector<std::wstring> lines;
        for (const fakes::ProcessStart& s : launcher.starts) lines.push_back(s.commandLine);
        return lines;
    }
    CommandOutcome OpenRequest(const wchar_t* pattern) {
        CommandRequest r;
        r.action = CommandAction::kOpen;
        r.text = pattern;
        return dialog.RunCommandRequest(r);
    }
};

TEST_F(OpenSessions, OpenNamesTheSessionsWithoutAWindowAndTilesTheOthers) {
    const CommandOutcome out = OpenRequest(L"web*;-web03");
    EXPECT_EQ(out, (CommandOutcome{cli::kSomePassedOver,
                                   {L"Opened 1 of 2 sessions; no window appeared for:", L"  web02"}}));
    EXPECT_EQ(CommandLines(), (std::vector<std::wstring>{L"\"C:\\Tools\\putty.exe\" -load \"web01\"",
                                                         L"\"C:\\Tools\\putty.exe\" -load \"web02\""}));
    // Waited for web02 as long as it may, polling; then web01 alone tiled over the whole screen.
    EXPECT_GE(desktop.NowMs(), kSessionWindowWaitMs);
    EXPECT_LT(desktop.NowMs(), kSessionWindowWaitMs + 1000);
    const fakes::FakeWindow& web01 = desktop.Window(desktop.FindByTitle(CommandLines()[0]));
    EXPECT_EQ(web01.rect, (Rect{0, 0, 1288, 1004}));

    EXPECT_EQ(OpenRequest(L"db*").exitCode, cli::kAllServed);
    EXPECT_EQ(CommandLines().back(), L"\"C:\\Tools\\putty.exe\" -load \"db 01\"");
    EXPECT_EQ(OpenRequest(L"mail*"),
              (CommandOutcome{cli::kBadArguments, {L"No saved PuTTY session matches \"mail*\"."}}));
    launcher.files.clear();
    const CommandOutcome none = OpenRequest(L"web01");
    EXPECT_EQ(none.exitCode, cli::kBadArguments);
    EXPECT_EQ(none.lines[1], L"  C:\\Tools\\putty.exe");
    EXPECT_EQ(launcher.starts.size(), 3u);
}

TEST_F(OpenSessions, TheDialogTicksByPatternOpensTheTickedAndKeepsItsChoices) {
    host.OnModal(COpenSessionsDialog::kTemplate, [&](CDialog&, fakes::FakeDialogHost& h) {
        EXPECT_EQ(dialog.modalDialogOpen, 1);
        EXPECT_EQ(h.Control(COpenSessionsDialog::kList).items,
                  (std::vector<std::wstring>{L"web01", L"web02", L"web03", L"db 01"}));
        EXPECT_TRUE(h.IsChecked(COpenSessionsDialog::kTile));
        h.UserSetsText(COpenSessionsDialog::kPattern, L"web*");
        EXPECT_EQ(h.Control(COpenSessionsDialog::kList).ticks, (std::vector<bool>{true, true, true, false}));
        h.SetListItemChecked(COpenSessionsDialog::kList, 2, false);  // web03 unticked by hand
        h.SetCheck(COpenSessionsDialog::kTile, false);
        h.SetCheck(COpenSessionsDialog::kLeave, true);
        h.UserClicks(COpenSessionsDialog::kOpen);
        return 0;
    });
    Press('O');  // without Ctrl: typed into the command box
    EXPECT_TRUE(host.ModalRuns().empty());
    desktop.SetFocusNow(main);
    desktop.KeyEvent(vk::kControl, 0, 0);  // Ctrl held in the main window
    EXPECT_EQ(Press('O'), 0u);
    EXPECT_EQ(CommandLines().size(), 2u);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"No PuTTY window appeared for:\nweb02");
    EXPECT_EQ(dialog.settings.openPattern, L"web*");
    EXPECT_EQ(dialog.settings.openArrange, static_cast<int>(Arrangement::kLeave));
    // Left where they opened; and the next time the dialog offers the same choices.
    EXPECT_EQ(desktop.Window(desktop.FindByTitle(CommandLines()[0])).rect, (Rect{0, 0, 400, 300}));
    host.OnModal(COpenSessionsDialog::kTemplate, [&](CDialog&, fakes::FakeDialogHost& h) {
        EXPECT_EQ(h.ItemText(COpenSessionsDialog::kPattern), L"web*");
        EXPECT_TRUE(h.IsChecked(COpenSessionsDialog::kLeave));
        EXPECT_EQ(h.ItemText(COpenSessionsDialog::kNote), L"");
        launcher.files.clear();
        return mb::kIdCancel;
    });
    dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, mainid::kOpenSessionsSysCommand);
    // Without putty.exe the dialog says where it looked, and Open stays greyed.
    host.OnModal(COpenSessionsDialog::kTemplate, [&](CDialog&, fakes::FakeDialogHost& h) {
        EXPECT_EQ(h.ItemText(COpenSessionsDialog::kNote)
                      .find(L"putty.exe was not found. Tandrel looked at:\n"
                            L"C:\\Tools\\putty.exe"),
                  0u);
        EXPECT_FALSE(h.IsItemEnabled(COpenSessionsDialog::kOpen));
        return mb::kIdCancel;
    });
    host.UserClicks(mainid::kTrayOpenSessions);
    EXPECT_EQ(host.ModalRuns().size(), 3u);
    EXPECT_EQ(CommandLines().size(), 2u);
}

}  // namespace
}  // namespace tandrel
