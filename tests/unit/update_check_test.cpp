// The update check as the operator meets it: the download it asks for, the message it shows in
// each form, the home page on Yes, and the modal flag that greys the tray menu meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/dialog_host_variants.h"
#include "fakes/shell_variants.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/fake_shell.h"
#include "update/update_check.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;
using fakes::FakeShell;
using fakes::OverfullShell;
using fakes::WatchingHost;

constexpr char kNewer[] = R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)";
constexpr char kSame[] = R"(<app name="Tandrel" intVersion="010700" version="1.7"/>)";

const wchar_t kNewVersionText[] =
    L"A new version of Tandrel is available for download.\n\nCurrent version: 1.7\nLatest version: 1.8"
    L"\n\nWould you like to go to the Tandrel homepage?";
const wchar_t kNoUpdatesText[] = L"No updates found. Tandrel 1.7 is the latest version.";
const wchar_t kFailedText[] =
    L"Tandrel could not fetch its version record, so it cannot tell whether a newer version exists.\n\n"
    L"Check the network connection (and any proxy), then try again.";

AskOperator AskThrough(IDialogHost& host) {
    return [&host](const std::wstring& text, const std::wstring& caption, std::uint32_t style) {
        return host.ShowMessageBox(text, caption, style);
    };
}

class UpdateCheck : public ::testing::Test {
  protected:
    void Run(bool interactive) {
        RunUpdateCheck(shell, AskThrough(host), interactive, modalDialogOpen, [this] {
            ++homePageOpened;
            flagAtHomePage = modalDialogOpen;
        });
    }
    const std::vector<fakes::ShownMessageBox>& Boxes() const { return host.MessageBoxes(); }

    std::int32_t modalDialogOpen = 0;
    FakeShell shell;
    WatchingHost host{modalDialogOpen};
    int homePageOpened = 0;
    std::int32_t flagAtHomePage = -1;
};

TEST_F(UpdateCheck, NewerVersionOffersTheHomePageAndNoDoesNothingMore) {
    shell.ServeDownload(kNewer);
    host.AnswerNextMessageBox(mb::kIdNo);
    Run(true);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kNewVersionText);
    EXPECT_EQ(Boxes()[0].caption, L"Tandrel");
    EXPECT_EQ(Boxes()[0].flags, mb::kYesNo | mb::kIconInformation);
    EXPECT_EQ(homePageOpened, 0);
    EXPECT_TRUE(shell.OpenedUrls().empty());
}

TEST_F(UpdateCheck, YesOpensTheHomePageOnceWhileTheCheckStillHoldsTheFlag) {
    shell.ServeDownload(kNewer);
    host.AnswerNextMessageBox(mb::kIdYes);
    Run(true);
    EXPECT_EQ(homePageOpened, 1);
    EXPECT_EQ(flagAtHomePage, 1);
    EXPECT_EQ(modalDialogOpen, 0);
}

TEST_F(UpdateCheck, StartUpFormReportsANewerVersionToo) {
    shell.ServeDownload(kNewer);
    host.AnswerNextMessageBox(mb::kIdYes);
    Run(false);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kNewVersionText);
    EXPECT_EQ(homePageOpened, 1);
}

TEST_F(UpdateCheck, RunningVersionSaysNoUpdatesOnlyWhenAskedFor) {
    shell.ServeDownload(kSame);
    Run(true);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kNoUpdatesText);
    EXPECT_EQ(Boxes()[0].caption, L"Tandrel");
    EXPECT_EQ(Boxes()[0].flags, mb::kOk | mb::kIconInformation);

    shell.ServeDownload(kSame);
    Run(false);
    EXPECT_EQ(Boxes().size(), 1u);  // nothing more at start-up
    EXPECT_EQ(homePageOpened, 0);
}

// Every way of finding nothing ends in the no-updates message when asked for, a failed download
// in its own; both in silence at start-up.
TEST_F(UpdateCheck, EveryFailureEndsInItsMessageOrSilence) {
    const struct {
        const char* what;
        bool downloads;
        std::string record;
    } cases[] = {
        {"no network", false, ""},
        {"empty record", true, ""},
        {"not a record", true, "<html><body>Service unavailable</body></html>\n"},
        {"lower-case name", true, R"(<app name="tandrel" intVersion="010800" version="1.8"/>)"},
        {"version missing", true, R"(<app name="Tandrel" intVersion="010800"/>)"},
        {"older", true, R"(<app name="Tandrel" intVersion="010699" version="1.6"/>)"},
        {"prefix of the running value", true, R"(<app name="Tandrel" intVersion="01070" version="x"/>)"},
        {"split across pieces", true,
         std::string(1013, ' ') + R"(name="Tandrel" intVersion="010800" version="1.8")" + "\n"},
    };
    for (const auto& c : cases) {
        for (const bool interactive : {true, false}) {
            FakeShell caseShell;
            FakeDialogHost caseHost;
            std::int32_t flag = 0;
            int opened = 0;
            if (c.downloads) {
                caseShell.ServeDownload(c.record);
            } else {
                caseShell.FailNextDownload();
            }
            RunUpdateCheck(caseShell, AskThrough(caseHost), interactive, flag, [&opened] { ++opened; });
            const auto& boxes = caseHost.MessageBoxes();
            if (interactive) {
                ASSERT_EQ(boxes.size(), 1u) << c.what;
                EXPECT_EQ(boxes[0].text, c.downloads ? kNoUpdatesText : kFailedText) << c.what;
            } else {
                EXPECT_TRUE(boxes.empty()) << c.what;
            }
            EXPECT_EQ(caseShell.Downloads().size(), 1u) << c.what;
            EXPECT_EQ(opened, 0) << c.what;
            EXPECT_EQ(flag, 0) << c.what;
        }
    }
}

TEST_F(UpdateCheck, TheSecondOfTwoLinesIsReportedWhenOnlyItIsNewer) {
    shell.ServeDownload(
        "<app name=\"Tandrel\" intVersion=\"010600\" version=\"1.6\"/>\n"
        "<app name=\"Tandrel\" intVersion=\"020000\" version=\"2.0\"/>\n");
    Run(true);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find(L"Current version: 1.7\nLatest version: 2.0\n"), std::wstring::npos);
}

TEST_F(UpdateCheck, TheVersionShowsEachByteOfTheRecordAsOneCharacter) {
    shell.ServeDownload("name=\"Tandrel\" intVersion=\"010800\" version=\"1.8 b\xE9ta\"");
    Run(false);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find(L"Latest version: 1.8 b\u00E9ta\n"), std::wstring::npos);
}

TEST_F(UpdateCheck, AsksForTheRecordOfThisVersionWithinFiveSecondsAndOneMebibyte) {
    shell.FailNextDownload();
    Run(false);
    ASSERT_EQ(shell.Downloads().size(), 1u);
    const fakes::DownloadRequest& request = shell.Downloads()[0];
    const std::wstring scheme = L"http://";
    const std::wstring path = L"/software.php?app=Tandrel&iv=010700";
    ASSERT_GT(request.url.size(), scheme.size() + path.size());
    EXPECT_EQ(request.url.substr(0, scheme.size()), scheme);
    EXPECT_EQ(request.url.substr(request.url.size() - path.size()), path);
    const std::wstring host =
        request.url.substr(scheme.size(), request.url.size() - scheme.size() - path.size());
    EXPECT_EQ(host.find(L'/'), std::wstring::npos) << "the host alone stands between scheme and path";
    EXPECT_GT(request.timeoutMs, 0u);
    EXPECT_LE(request.timeoutMs, 5000u);
    EXPECT_EQ(request.maxBytes, std::size_t{1} << 20);
}

TEST_F(UpdateCheck, ARecordOfOneMebibyteIsReadAndOneByteMoreIsAFailedDownload) {
    const std::string line = std::string(kNewer) + "\n";
    std::string record(update::kMaxRecordBytes - line.size() - 1, ' ');
    record += "\n" + line;  // this program's line ends exactly at the bound
    shell.ServeDownload(record);
    Run(false);
    EXPECT_EQ(Boxes().size(), 1u);

    shell.ServeDownload(" " + record);
    Run(false);
    EXPECT_EQ(Boxes().size(), 1u);  // nothing new
}

TEST_F(UpdateCheck, ARecordBeyondTheBoundIsNotReadEvenWhenTheShellDeliversIt) {
    OverfullShell overfull;
    overfull.record = kNewer;
    RunUpdateCheck(overfull, AskThrough(host), true, modalDialogOpen, [] {});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kFailedText);
}

TEST_F(UpdateCheck, TheFlagIsSetFromTheDownloadUntilTheLastMessageIsAnswered) {
    std::vector<std::int32_t> flagDuringDownload;
    shell.OnDownload([&] { flagDuringDownload.push_back(modalDialogOpen); });
    shell.ServeDownload(kNewer);
    Run(true);
    shell.ServeDownload(kSame);
    Run(true);
    shell.FailNextDownload();
    Run(false);
    EXPECT_EQ(flagDuringDownload, (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(host.flagDuringBox, (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(modalDialogOpen, 0);
}

}  // namespace
}  // namespace tandrel
