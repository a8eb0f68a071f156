// The update check from the main window: the tray's "Check for Updates..." and the silent check
// of the window's initialisation, with the main window owning the messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/dialog_host_variants.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/main_window_on.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {
namespace {

using fakes::FilterListingHost;

constexpr char kNewer[] = R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)";
constexpr char kSame[] = R"(<app name="Tandrel" intVersion="010700" version="1.7"/>)";

// The host notes, at each message box, whether the filter combo box had been filled yet: the
// start-up check comes before the rest of the initialisation.
class MainWindowUpdateCheck : public ::testing::Test,
                              public fakes::MainWindowOn<fakes::FakeDesktop, FilterListingHost> {
  protected:
    MainWindowUpdateCheck() : MainWindowOn({.title = nullptr, .tray = false, .marks = false}) {}
    void Open() { Init(); }
    void ChooseTrayCommand() { dialog.Dispatch(DialogEvent::kCommand, mainid::kTrayCheckForUpdates, 0); }
};

TEST_F(MainWindowUpdateCheck, TrayCommandOffersTheNewVersionAndYesOpensTheHomePage) {
    shell.FailNextDownload();  // the start-up check finds nothing
    Open();
    std::vector<std::int32_t> flag;
    shell.OnDownload([&] { flag.push_back(dialog.modalDialogOpen); });
    shell.ServeDownload(kNewer);
    host.AnswerNextMessageBox(mb::kIdYes);
    ChooseTrayCommand();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].text.find(L"Current version: 1.7\nLatest version: 1.8"),
              std::wstring::npos);
    EXPECT_EQ(host.MessageBoxes()[0].flags, mb::kYesNo | mb::kIconInformation);
    EXPECT_EQ(shell.OpenedUrls(), std::vector<std::wstring>{HomePageUrl(fakes::kTestWebHost)});
    EXPECT_EQ(flag, std::vector<std::int32_t>{1});
    EXPECT_EQ(dialog.modalDialogOpen, 0);
}

TEST_F(MainWindowUpdateCheck, TrayCommandWithNothingNewerSaysSo) {
    shell.FailNextDownload();
    Open();
    shell.ServeDownload(kSame);
    ChooseTrayCommand();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"No updates found. Tandrel 1.7 is the latest version.");
    EXPECT_EQ(host.MessageBoxes()[0].caption, L"Tandrel");
    EXPECT_TRUE(shell.OpenedUrls().empty());
}

TEST_F(MainWindowUpdateCheck, StartUpReportsANewerVersionBeforeTheRestOfTheInitialisation) {
    shell.ServeDownload(kNewer);
    Open();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.filtersListedAtBox, std::vector<int>{0});
    EXPECT_TRUE(shell.OpenedUrls().empty());  // answered No
}

}  // namespace
}  // namespace tandrel
