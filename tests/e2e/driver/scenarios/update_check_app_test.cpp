// tandrel.exe's update check against a version record served on 127.0.0.1. The program asks for
// its record at the maker's host; the scenario starts it with Wine's http_proxy pointed at the
// local server, which then receives the request for the record's whole address and answers it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "res/resource.h"
#include "app_steps.h"
#include "e2e_files.h"
#include "local_http_server.h"
#include "tandrel_client.h"
#include "ui/web_pages.h"
#include "update/update_check.h"

namespace e2e {
namespace {

constexpr int kCheckForUpdates = IDM_TRAY_CHECK_FOR_UPDATES;
constexpr DWORD kBoundMs = kWaitMs;

std::string Record(const std::string& intVersion, const std::string& version) {
    return "<?xml version=\"1.0\"?>\n<software>\n<app name=\"Tandrel\" intVersion=\"" + intVersion +
           "\" version=\"" + version + "\" />\n</software>\n";
}

const std::wstring kNewVersionText =
    L"A new version of Tandrel is available for download.\n\nCurrent version: 1.7\nLatest version: 1.8\n\n"
    L"Would you like to go to the Tandrel homepage?";
const std::wstring kNoUpdatesText = L"No updates found. Tandrel 1.7 is the latest version.";

// The tray's "Check for Updates..." chosen: the message box that answers, or none.
HWND CheckFromTheTray(const TandrelApp& app, DWORD boundMs = kBoundMs) {
    Click(app.Window(), kCheckForUpdates);
    return WaitForMessageBox(app.ProcessId(), boundMs);
}

class UpdateCheckAppTest : public ::testing::Test {
  protected:
    // Serves a record with one line for this program to the programs started afterwards, and
    // writes their profile.
    void Serve(const std::string& intVersion, const std::string& version, bool checkAtStartUp) {
        server_ = std::make_unique<LocalHttpServer>(
            LocalHttpServer::Mode::kRespond, LocalHttpServer::Response(200, Record(intVersion, version)));
        ASSERT_TRUE(server_->Listening());
        proxy_ = std::make_unique<ScopedHttpProxy>(server_->Port());
        WriteAppProfile(folder_, std::string("checkForUpdates=") + (checkAtStartUp ? "1" : "0") +
                                     "\r\nminimizeToSysTray=1\r\n");
    }

    TempFolder folder_{L"e2e-update"};
    std::wstring urlFile_ = folder_.File(L"url.txt");
    std::unique_ptr<LocalHttpServer> server_;
    std::unique_ptr<ScopedHttpProxy> proxy_;
};

TEST_F(UpdateCheckAppTest, ANewerVersionIsOfferedNoDoesNothingMoreAndYesOpensTheHomePage) {
    ASSERT_NO_FATAL_FAILURE(Serve("010800", "1.8", false));
    HttpHandlerOverride handler(urlFile_);
    ASSERT_TRUE(handler.Ok());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    HWND box = CheckFromTheTray(app);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kNewVersionText);
    ASSERT_FALSE(server_->RequestLines().empty());
    // Through a proxy the request names the whole address (Wine adds the port 80).
    const std::string request = server_->RequestLines()[0];
    EXPECT_EQ(request.rfind("GET http://" + Narrow(kUpdateTestHost), 0), 0u) << request;
    EXPECT_NE(request.find("/software.php?app=Tandrel&iv=010700 HTTP/1.1"), std::string::npos) << request;
    EXPECT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_TRUE(IsWindowVisible(app.Window()));

    // The second check comes after everything the first one did: a page opened on the "No" would
    // be in the file before the one the "Yes" opens.
    box = CheckFromTheTray(app);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(AnswerMessageBox(box, IDYES));
    const std::string home = Narrow(tandrel::HomePageUrl(kUpdateTestHost));
    // The whole line, its end included: the command writes the address and the line end apart.
    std::string opened;
    EXPECT_TRUE(WaitUntil(
        [&] {
            opened = ReadWholeFile(urlFile_);
            return opened.find(home) != std::string::npos && opened.ends_with('\n');
        },
        kBoundMs))
        << opened << " expected " << home;
    EXPECT_EQ(opened.find('\n'), opened.size() - 1) << "one page, opened once: " << opened;
}

TEST_F(UpdateCheckAppTest, TheRunningVersionIsReportedAsTheLatest) {
    ASSERT_NO_FATAL_FAILURE(Serve("010700", "1.7", false));
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    HWND box = CheckFromTheTray(app);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kNoUpdatesText);
    EXPECT_TRUE(AnswerMessageBox(box, IDOK));
    EXPECT_EQ(server_->RequestLines().size(), 1u);
}

// At start-up a newer version is told before the main window is shown; the window follows once
// the question is answered.
TEST_F(UpdateCheckAppTest, AtStartUpANewerVersionIsToldBeforeTheWindowShows) {
    ASSERT_NO_FATAL_FAILURE(Serve("010800", "1.8", true));
    TandrelApp app(folder_);
    HWND box = WaitForMessageBox(app.ProcessId(), kBoundMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kNewVersionText);
    EXPECT_FALSE(app.Window() != nullptr && IsWindowVisible(app.Window()));
    EXPECT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_TRUE(Shown(app));
}

TEST_F(UpdateCheckAppTest, WithTheServerGoneTheCheckAnswersInTimeAndStartUpSaysNothing) {
    ScopedHttpProxy proxy(UnusedLocalPort());
    WriteAppProfile(folder_, "checkForUpdates=1\r\nminimizeToSysTray=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    EXPECT_FALSE(MessageBoxShown(app.ProcessId()));

    HWND box = CheckFromTheTray(app);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), tandrel::DownloadFailedMessage());
    EXPECT_TRUE(AnswerMessageBox(box, IDOK));
}

// A server that accepts and never answers: start-up goes on once the download's bound ran out,
// and the interactive form answers by then too.
TEST_F(UpdateCheckAppTest, ASilentServerHoldsTheCheckNoLongerThanTheBound) {
    LocalHttpServer server(LocalHttpServer::Mode::kSilent, "");
    ASSERT_TRUE(server.Listening());
    ScopedHttpProxy proxy(server.Port());
    WriteAppProfile(folder_, "checkForUpdates=1\r\nminimizeToSysTray=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    EXPECT_TRUE(WaitVisible(app.Window(), tandrel::update::kDownloadTimeoutMs + kWaitMs));
    EXPECT_FALSE(MessageBoxShown(app.ProcessId()));

    HWND box = CheckFromTheTray(app, tandrel::update::kDownloadTimeoutMs + kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), tandrel::DownloadFailedMessage());
    EXPECT_TRUE(AnswerMessageBox(box, IDOK));
}

}  // namespace
}  // namespace e2e
