// The command line: its parser, the hand-off record and its report, and the requests carried out
// by the main window.
#include <gtest/gtest.h>

#include "cli/handoff_record.h"
#include "cli/handoff_result.h"
#include "main_window_fixture.h"
#include "ui/targets_dialog.h"

namespace tandrel {
namespace {

using Kind = ParsedCommandLine::Kind;
using A = CommandAction;

CommandRequest R(A action, std::wstring text = L"", const wchar_t* filter = nullptr, bool tab = false,
                 std::optional<bool> inBackground = std::nullopt, Arrangement arrange = Arrangement::kTile) {
    return {action,       std::move(text), filter != nullptr, filter != nullptr ? filter : L"", tab,
            inBackground, arrange};
}
CommandRequest Open(std::wstring pattern, Arrangement arrange = Arrangement::kTile) {
    return R(A::kOpen, std::move(pattern), nullptr, false, std::nullopt, arrange);
}

struct ParseCase {
    std::vector<std::wstring> args;
    Kind kind;
    CommandRequest request;  // when kRequest
    std::wstring error;      // a part of the message, when kError
};

TEST(CommandLine, ParsesEveryFormAndRefusesTheRest) {
    const ParseCase cases[] = {
        {{}, Kind::kRunWindow, R(A::kTargets), L""},
        {{L"/send", L"echo {%INC%}"}, Kind::kRequest, R(A::kSend, L"echo {%INC%}"), L""},
        {{L"-SEND", L"/usr/bin/ls", L"/Tab"},
         Kind::kRequest,
         R(A::kSend, L"/usr/bin/ls", nullptr, true),
         L""},
        {{L"/send", L""}, Kind::kRequest, R(A::kSend), L""},
        {{L"/filter", L"Web", L"/send", L"ls"}, Kind::kRequest, R(A::kSend, L"ls", L"Web"), L""},
        {{L"/script", L"a b.tdl", L"/filter", L""}, Kind::kRequest, R(A::kScript, L"a b.tdl", L""), L""},
        {{L"/targets"}, Kind::kRequest, R(A::kTargets), L""},
        {{L"/send", L"ls", L"/Background"}, Kind::kRequest, R(A::kSend, L"ls", nullptr, false, true), L""},
        {{L"-foreground", L"/script", L"a"}, Kind::kRequest, R(A::kScript, L"a", nullptr, false, false), L""},
        {{L"/send", L"ls", L"/background", L"/foreground"},
         Kind::kError,
         R(A::kTargets),
         L"only one of /back"},
        {{L"/targets", L"/background"}, Kind::kError, R(A::kTargets), L"go with /send or /script"},
        {{L"/open", L"web*;-web03"}, Kind::kRequest, Open(L"web*;-web03"), L""},
        {{L"/open", L"db*", L"/Cascade"}, Kind::kRequest, Open(L"db*", Arrangement::kCascade), L""},
        {{L"-noarrange", L"/open", L"/x"}, Kind::kRequest, Open(L"/x", Arrangement::kLeave), L""},
        {{L"/open", L"a", L"/tile", L"/cascade"}, Kind::kError, R(A::kTargets), L"only one of /tile"},
        {{L"/send", L"a", L"/tile"}, Kind::kError, R(A::kTargets), L"go with /open only"},
        {{L"/open", L""}, Kind::kError, R(A::kTargets), L"/open needs a pattern"},
        {{L"/open", L"a", L"/filter", L"b"}, Kind::kError, R(A::kTargets), L"/filter does not go with /open"},
        {{L"/open", L"a", L"/background"}, Kind::kError, R(A::kTargets), L"go with /send or /script"},
        {{L"/?"}, Kind::kHelp, R(A::kTargets), L""},
        {{L"/send"}, Kind::kError, R(A::kTargets), L"needs a value"},
        {{L"/script", L""}, Kind::kError, R(A::kTargets), L"needs a file"},
        {{L"/send", L"a", L"/targets"}, Kind::kError, R(A::kTargets), L"only one"},
        {{L"/targets", L"/tab"}, Kind::kError, R(A::kTargets), L"/tab goes with /send only"},
        {{L"/targets", L"/filter", L"a", L"/filter", L"b"},
         Kind::kError,
         R(A::kTargets),
         L"/filter given twice"},
        {{L"/filter", L"a"}, Kind::kError, R(A::kTargets), L"give one of"},
        {{L"/bogus"}, Kind::kError, R(A::kTargets), L"unknown switch \"/bogus\""},
        {{L"ls"}, Kind::kError, R(A::kTargets), L"unexpected argument \"ls\""},
        {{L"/send", std::wstring(32768, L'x')}, Kind::kError, R(A::kTargets), L"longer than 32767"},
    };
    for (const ParseCase& c : cases) {
        const ParsedCommandLine p = ParseCommandLine(c.args);
        const std::string where = ::testing::PrintToString(c.args);
        EXPECT_EQ(p.kind, c.kind) << where;
        if (c.kind == Kind::kRequest) {
            EXPECT_EQ(p.request, c.request) << where;
        }
        if (c.kind == Kind::kError) {
            EXPECT_NE(p.error.find(c.error), std::wstring::npos)
                << where << " said " << ::testing::PrintToString(p.error);
        }
    }
}

TEST(HandOffRecord, RequestsAndReportsComeBackAsTheyWere) {
    const CommandRequest requests[] = {
        R(A::kSend, L"echo \u00e9\U0001F600 {%INC%}", L"Web", true),
        R(A::kScript, L"C:\\scripts\\a.tdl", nullptr, false, true),
        R(A::kSend, L"ls", nullptr, false, false),
        R(A::kTargets, L"", L""),
        Open(L"web*;-web03", Arrangement::kCascade),
        Open(L"x", Arrangement::kLeave),
    };
    for (const CommandRequest& r : requests)
        EXPECT_EQ(handoff::DecodeRequest(handoff::EncodeRequest(r)), r) << ::testing::PrintToString(r.text);
    const CommandOutcome report{cli::kSomePassedOver, {L"Sent to 1 of 2 terminals; passed over:", L"  db"}};
    EXPECT_EQ(handoff::DecodeReport(handoff::EncodeReport(report)), report);
    // A report too long for a record keeps its first lines and says how many more there were.
    const CommandOutcome many{cli::kAllServed, std::vector<std::wstring>(1500, std::wstring(2000, L'x'))};
    const std::optional<CommandOutcome> cut = handoff::DecodeReport(handoff::EncodeReport(many));
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->lines.size(), handoff::kMaxReportLines);
    EXPECT_EQ(cut->lines.front().size(), handoff::kMaxLineUnits);
    EXPECT_EQ(cut->lines.back(), L"(501 more lines not shown)");
}

// A hand-off without a report: the caller hears whether anything was done, and of other rights
// when the system refused the request or its report.
TEST(HandOffRecord, AFailedHandOffSaysWhetherTheRequestWasCarriedOut) {
    const std::wstring rights =
        L"The running Tandrel runs with other rights: run this from the same kind of prompt.";
    const std::pair<handoff::HandOffResult, CommandOutcome> cases[] = {
        {handoff::ResultOfFailedSend(handoff::kErrorAccessDenied), {cli::kSomePassedOver, {rights}}},
        {handoff::ResultOfFailedSend(1460), {1, {L"The running Tandrel did not answer; nothing was done."}}},
        {handoff::ResultOfReply(handoff::kReplyRefused),
         {2, {L"The running Tandrel refused the request (is it an older version?)."}}},
        {handoff::ResultOfReply(handoff::kReplyReportBlocked),
         {1, {L"The running Tandrel carried out the request, but the system refused its report.", rights}}},
        {handoff::ResultOfReply(handoff::kReplyReported),
         {1, {L"The running Tandrel carried out the request, but its report was lost."}}},
        {handoff::ResultOfReply(handoff::kReplyBusy),
         {1, {L"The running Tandrel stayed busy with a command; nothing was done."}}},
    };
    for (const auto& [result, told] : cases)
        EXPECT_EQ(handoff::OutcomeOf(result), told) << static_cast<int>(result);
}

TEST(HandOffRecord, MalformedAndOversizedRecordsAreRefused) {
    const std::string good = handoff::EncodeRequest(R(A::kSend, L"ls", L"W"));
    ASSERT_TRUE(handoff::DecodeRequest(good).has_value());
    const auto with = [&](std::size_t at, char byte) {
        std::string r = good;
        r[at] = byte;
        return r;
    };
    const std::string unit32k = handoff::EncodeRequest(R(A::kSend, std::wstring(32768, L'x')));
    const std::string refused[] = {
        "",
        good.substr(0, 11),                                          // shorter than the header
        good.substr(0, good.size() - 1),                             // the last string cut short
        good + "x",                                                  // a byte after the last string
        with(0, 'X'),                                                // not our magic
        with(4, 2),                                                  // another version
        with(6, 5),                                                  // no such request
        with(8, 0x12),                                               // an arrangement without /open
        with(6, static_cast<char>(0x80)),                            // a report is no request
        with(8, 16),                                                 // an unknown flag
        with(8, 14),                                                 // both ways
        with(10, 1),                                                 // a string missing
        with(12, static_cast<char>(0xFF)),                           // a length past the end
        with(16, 0),                                                 // a NUL in the text
        handoff::EncodeRequest(R(A::kTargets, L"", nullptr, true)),  // /tab without /send
        handoff::EncodeRequest(R(A::kScript)),                       // no file
        handoff::EncodeRequest(R(A::kOpen)),                         // no pattern
        unit32k,                                                     // text too long
        good + std::string(handoff::kMaxRecordBytes, '\0'),          // oversized
    };
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_FALSE(handoff::DecodeRequest(refused[i]).has_value()) << "case " << i;
    EXPECT_FALSE(handoff::DecodeReport(good).has_value());
}

class CommandRequests : public MainWindow {
  protected:
    CommandRequests() {
        Profile(L"checkForUpdates=0\r\nfilter00=All PuTTYs||+*\r\nfilter01=Web||+web*\r\nfilter=0\r\n");
        db = Terminal(L"db01");
        web2 = Terminal(L"web02");
        web1 = Terminal(L"web01");
        Open();
    }
    WindowId db, web1, web2;
};

TEST_F(CommandRequests, SendTypesIntoEveryTargetInTitleOrderAndKeepsItInTheHistory) {
    Type(L"half typed");
    // The caller's console was in front: it is again once the terminals have their keys.
    const WindowId console = desktop.AddWindow(L"ConsoleWindowClass", L"cmd");
    desktop.BringToForeground(console);
    const CommandOutcome out = dialog.RunCommandRequest(R(A::kSend, L"echo {%INC%}"));
    EXPECT_EQ(out, (CommandOutcome{cli::kAllServed, {L"Sent to 3 terminals."}}));
    EXPECT_EQ(desktop.Window(db).text, L"echo 1\r");
    EXPECT_EQ(desktop.Window(web1).text, L"echo 2\r");
    EXPECT_EQ(desktop.Window(web2).text, L"echo 3\r");
    EXPECT_EQ(dialog.commandHistory, std::vector<std::wstring>{L"echo {%INC%}"});
    EXPECT_EQ(Box(), L"half typed");
    EXPECT_EQ(desktop.Foreground(), console);
}

TEST_F(CommandRequests, AFilterAppliesToTheRequestOnlyAndAPassedOverTargetIsNamed) {
    desktop.Window(web2).hung = true;
    const CommandOutcome out = dialog.RunCommandRequest(R(A::kSend, L"ls", L"web", true));
    // As the broadcast recorded it, reported to the caller alone: no message box to answer here.
    EXPECT_EQ(out, (CommandOutcome{cli::kSomePassedOver,
                                   {L"Sent to 1 of 2 terminals; passed over:", L"  web02: did not answer"}}));
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(desktop.Window(web1).text, L"ls\t");
    EXPECT_EQ(desktop.Window(db).text, L"");
    EXPECT_EQ(dialog.selectedFilter, 0);
}

TEST_F(CommandRequests, TargetsAreListedInOrderWithTheirStateAndAnUnknownFilterIsBadArguments) {
    desktop.Window(web1).visible = false;
    desktop.Window(web2).showState = sw::kShowMinimized;
    EXPECT_EQ(dialog.RunCommandRequest(R(A::kTargets)).lines,
              (std::vector<std::wstring>{L"1\tdb01", L"2\tweb01 (hidden)", L"3\tweb02 (minimised)"}));
    const CommandOutcome out = dialog.RunCommandRequest(R(A::kTargets, L"", L"nope"));
    EXPECT_EQ(out.exitCode, cli::kBadArguments);
    ASSERT_EQ(out.lines.size(), 2u);
    EXPECT_EQ(out.lines[0], L"Unknown filter \"nope\"; the filters are: All PuTTYs, Web");
    EXPECT_EQ(out.lines[1], CommandLineUsage());
}

// A command under way makes the caller ask again (its request queues behind it); an open dialog
// is reported at once.
TEST_F(CommandRequests, AHandedOverRecordIsRefusedWhenMalformedAndDoesNothingWhileBusy) {
    std::string report;
    EXPECT_EQ(dialog.OnHandOffRecord("TDRL", false, report), handoff::kReplyRefused);
    const std::string send = handoff::EncodeRequest(R(A::kSend, L"ls"));
    EXPECT_EQ(dialog.OnHandOffRecord(send, true, report), handoff::kReplyBusy);
    dialog.RunInTurn([&] { EXPECT_EQ(dialog.OnHandOffRecord(send, false, report), handoff::kReplyBusy); });
    ++dialog.modalDialogOpen;
    ASSERT_EQ(dialog.OnHandOffRecord(send, false, report), handoff::kReplyReported);
    EXPECT_EQ(handoff::DecodeReport(report)->exitCode, cli::kSomePassedOver);
    EXPECT_EQ(desktop.Window(db).text, L"");
    --dialog.modalDialogOpen;
    ASSERT_EQ(dialog.OnHandOffRecord(send, false, report), handoff::kReplyReported);
    EXPECT_EQ(handoff::DecodeReport(report), (CommandOutcome{cli::kAllServed, {L"Sent to 3 terminals."}}));
}

TEST_F(CommandRequests, AScriptThatCannotBeReadIsBadArguments) {
    storage.files[L"C:\\s\\a.tdl"] = "cd /tmp\nls\n";
    EXPECT_EQ(dialog.RunCommandRequest(R(A::kScript, L"C:\\s\\a.tdl")).exitCode, cli::kAllServed);
    EXPECT_EQ(desktop.Window(web1).text, L"cd /tmp\rls\r");
    // The main window was in front: it is again, with the keyboard in the command box.
    EXPECT_EQ(desktop.Foreground(), main);
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(dialog.RunCommandRequest(R(A::kScript, L"C:\\s\\none.tdl")).exitCode, cli::kBadArguments);
}

// With Caps Lock on in Tandrel's own thread and in one target's, /script types what the Script
// button types.
TEST_F(CommandRequests, AScriptIsTypedAsTheScriptButtonTypesIt) {
    desktop.SetCapsLock(true);
    desktop.SetCapsLockOf(web1, true);
    for (const char* script : {"Ls\r\necho {\r\nx\r\n", "cd /tmp\n+a^m\n"}) {
        storage.files[L"C:\\s\\a.tdl"] = script;
        host.ChooseFileNext(L"C:\\s\\a.tdl");
        host.UserClicks(mainid::kScript);
        std::vector<std::vector<fakes::KeyRecord>> byButton;
        for (const WindowId w : {db, web1, web2})
            byButton.push_back(std::exchange(desktop.Window(w).keys, {}));
        EXPECT_EQ(dialog.RunCommandRequest(R(A::kScript, L"C:\\s\\a.tdl")).exitCode, cli::kAllServed);
        for (std::size_t i = 0; const WindowId w : {db, web1, web2})
            EXPECT_EQ(std::exchange(desktop.Window(w).keys, {}), byButton[i++]) << script << " into " << w;
    }
}

TEST_F(CommandRequests, AWindowUntickedInTheTargetsWindowIsLeftOutAcrossARetitleUntilTickedAgain) {
    desktop.SetFocusNow(main);
    desktop.KeyEvent(vk::kControl, 0, 0);
    EXPECT_EQ(Press('L'), 0u);
    desktop.KeyEvent(vk::kControl, 0, 2);
    fakes::FakeDialogHost& targets = *host.Modeless();
    const auto rows = [&] { return targets.Control(CTargetsDialog::kList).rows; };
    targets.UserTicksRow(CTargetsDialog::kList, 1, false);  // web01
    desktop.Window(web1).title = L"web00";                  // keeps its place: held by window
    desktop.Window(web2).processId = 300;
    EXPECT_EQ(dialog.RunCommandRequest(R(A::kTargets)).lines,
              (std::vector<std::wstring>{L"1\tdb01", L"-\tweb00 (unticked)", L"2\tweb02"}));
    EXPECT_EQ(dialog.RunCommandRequest(R(A::kSend, L"echo {%INC%}")).lines,
              std::vector<std::wstring>{L"Sent to 2 terminals."});
    EXPECT_EQ(desktop.Window(web2).text, L"echo 2\r");
    EXPECT_EQ(desktop.Window(web1).text, L"");
    EXPECT_EQ(host.Control(mainid::kSend).tip, L"Send to 2 terminals");
    targets.TimerFires(CTargetsDialog::kRefreshTimer);
    EXPECT_EQ(rows()[1], (ListRow{{L"", L"web00", L"shown", L""}, false}));
    EXPECT_EQ(rows()[2], (ListRow{{L"2", L"web02", L"shown", L"served"}, true}));

    targets.UserTicksRow(CTargetsDialog::kList, 1, true);
    dialog.RunCommandRequest(R(A::kSend, L"ls {%INC%}"));
    EXPECT_EQ(desktop.Window(web1).text, L"ls 2\r");
    // A closed window drops out: its handle, named anew, starts ticked.
    targets.UserTicksRow(CTargetsDialog::kList, 2, false);
    desktop.EndProcess(300, 0);
    targets.TimerFires(CTargetsDialog::kRefreshTimer);
    EXPECT_EQ(rows().size(), 2u);
    EXPECT_TRUE(dialog.targetChoice.IsTicked(web2));
    // A double-click brings the window forward, restored; the window opens again where it closed.
    desktop.Window(db).showState = sw::kShowMinimized;
    targets.UserDoubleClicksRow(CTargetsDialog::kList, 0);
    EXPECT_EQ(desktop.Foreground(), db);
    EXPECT_FALSE(desktop.IsMinimized(db));
    targets.SetWindowRect({250, 40, 650, 300});
    targets.UserClicks(IDC_CLOSE);
    EXPECT_TRUE(targets.Ended() && targets.Timers().empty());
    dialog.OpenTargetsWindow();
    EXPECT_EQ(host.Modeless()->WindowRect().left, 250);
    for (int row : {0, 1}) host.Modeless()->UserTicksRow(CTargetsDialog::kList, row, false);
    Type(L"ls");
    host.UserClicks(mainid::kSend);
    ASSERT_FALSE(host.MessageBoxes().empty());
    EXPECT_NE(host.MessageBoxes().back().text.find(L"unticked in the Targets window"), std::wstring::npos);
}

}  // namespace
}  // namespace tandrel
