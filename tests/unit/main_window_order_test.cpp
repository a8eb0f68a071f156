// The main window's steps in the order they run, seen through one log of host and desktop calls:
// initialisation, the appearance kept from drifting, the return toggle, the hand-over from a
// second instance, the exit's unhiding, and the history steps' quieter edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/logging_host.h"
#include "fakes/logging_storage.h"
#include "fakes/main_window_on.h"

namespace tandrel {
namespace {

using fakes::FakeDesktop;
using fakes::LoggingHost;
using fakes::LoggingStorage;
using Log = std::vector<std::string>;
using History = std::vector<std::wstring>;

constexpr std::uint32_t kExApp = 0x40000;  // WS_EX_APPWINDOW, from the template

// The main window with a logging host and a profile in logging storage: one log interleaves what
// the window did to its host with what it asked of the desktop.
struct LoggedMainWindow : fakes::MainWindowOn<FakeDesktop, LoggingHost, LoggingStorage> {
    LoggedMainWindow() : MainWindowOn({.tray = false, .marks = false}) {
        desktop.SetMetric(sm::kCyCaption, 23);
        host.SetWindowRect(Rect{100, 100, 487, 396});  // 387 by 296, as made from the template
        shell.OnDownload([this] { log.push_back("update check"); });
    }
};

TEST(MainWindowInit, RunsItsStepsInOrder) {
    LoggedMainWindow t;
    t.Profile(
        L"filter00=All PuTTYs||+*\r\nfilter01=web||+web*\r\nfilter=1\r\nsendCR=0\r\nwindowOpacity=200\r\n"
        L"cmdhistory00=uptime\r\n");
    t.host.SetExtendedStyle(kExApp);
    t.log.clear();
    const std::string self = std::to_string(t.main);

    EXPECT_FALSE(t.Init());  // the focus is already placed

    const Log expected = {"read profile", "update check", "list 1001 All PuTTYs", "list 1001 web",
                          "select 1001 1", "font 1008 Marlett 100", "font 1009 Marlett 100",
                          "font 1012 Marlett 100", "font 1015 Marlett 100", "font 1013 Marlett 100",
                          "font 1014 Marlett 100", "font 1010 Marlett 80", "font 1016 Marlett 80",
                          "font 1007 Symbol 70", "check 1007 0", "sysmenu remove 61488", "sysmenu separator",
                          "sysmenu 32 Show Targets\tCtrl+T", "sysmenu 80 Targets...\tCtrl+L",
                          "sysmenu 112 Open Sessions...\tCtrl+O", "sysmenu separator",
                          "sysmenu 16 About Tandrel...", "sysmenu 48 Exit",
                          "measure",  // normalWindowHeight
                          // ApplyWindowPreferences
                          "measure", "title Tandrel 1.7 - Keyfanner", "exstyle 0xc0080", "sleep 20",
                          "alpha 200", "place " + self + " -1 0 0 387 285 0x2",
                          // RestoreCommandFocus: forward first, so that the window in front has
                          // finished its own activation before the command box's focus activates this one
                          "foreground " + self, "default 1024", "focus 1011", "enable 1008 1",
                          "enable 1009 1", "enable 1010 1"};
    EXPECT_EQ(t.log, expected);
    EXPECT_EQ(t.dialog.normalWindowHeight, 296);
    EXPECT_EQ(t.dialog.historyCursor, 1);
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(t.host.DefaultButton(), mainid::kSend);
}

TEST(ApplyWindowPreferences, SwitchingTheToolWindowBackAndForthNeverDrifts) {
    LoggedMainWindow t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    for (int i = 0; i < 3; ++i) {
        for (std::int32_t tool : {0, 1}) {
            t.dialog.settings.toolWindow = tool;
            t.log.clear();
            t.dialog.ApplyWindowPreferences();
            t.host.Flush();
            const std::string height = tool != 0 ? "285" : "296";
            EXPECT_NE(std::find(t.log.begin(), t.log.end(),
                                "place " + std::to_string(t.main) + " -1 0 0 387 " + height + " 0x2"),
                      t.log.end());
        }
    }
    EXPECT_EQ(t.dialog.normalWindowHeight, 296);
}

TEST(MainWindowCommands, TheReturnToggleFlipsSendCrAndItsCheck) {
    LoggedMainWindow t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    ASSERT_TRUE(t.host.IsChecked(mainid::kReturnToggle));
    t.host.FocusItem(mainid::kFilterCombo);
    t.host.UserClicks(mainid::kReturnToggle);
    EXPECT_EQ(t.dialog.settings.sendCR, 0);
    EXPECT_FALSE(t.host.IsChecked(mainid::kReturnToggle));
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    t.host.UserClicks(mainid::kReturnToggle);
    EXPECT_EQ(t.dialog.settings.sendCR, 1);
    EXPECT_TRUE(t.host.IsChecked(mainid::kReturnToggle));
}

TEST(MainWindowCommands, AnotherInstanceHandsOverWithActivateMessage) {
    LoggedMainWindow t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    t.desktop.Show(t.main, sw::kMinimize);
    t.log.clear();
    t.dialog.Dispatch(DialogEvent::kUser, static_cast<int>(wm::kActivateMessage), 0, 0);
    t.host.Flush();
    const std::string self = std::to_string(t.main);
    const Log expected = {"send " + self + " 0x112 0xf150 " + self, "send " + self + " 0x112 0xf120 " + self,
                          "foreground " + self};
    EXPECT_EQ(t.log, expected);
    EXPECT_TRUE(t.desktop.Window(t.main).visible);
}

TEST(MainWindowExit, DestroyingTheWindowShowsEveryHiddenTerminalWhenAsked) {
    for (std::int32_t unhide : {1, 0}) {
        SCOPED_TRACE(unhide);
        LoggedMainWindow t;
        t.Profile(L"checkForUpdates=0\r\nfilter00=web||+web*\r\nunhideOnExit=" + std::to_wstring(unhide) +
                  L"\r\n");
        t.Init();
        const WindowId db = t.Terminal(L"db01");  // the selected filter would pass it over
        t.desktop.Show(db, sw::kHide);
        t.dialog.OnDestroyWindow();
        EXPECT_TRUE(t.dialog.isExiting);
        EXPECT_EQ(t.desktop.Window(db).visible, unhide == 1);
    }
}

class HistoryTest : public testing::Test {
  protected:
    void SetUp() override {
        t.Profile(L"checkForUpdates=0\r\n");
        t.Init();
        term = t.Terminal(L"web01");
    }
    void Type(const std::wstring& text) { t.host.UserSetsText(mainid::kCommandBox, text); }
    void Send() { t.host.UserClicks(mainid::kSend); }
    void Older() { t.host.UserClicks(mainid::kHistoryOlder); }
    void Newer() { t.host.UserClicks(mainid::kHistoryNewer); }
    void Submit(const std::wstring& text) {
        Type(text);
        Send();
    }
    History& history() { return t.dialog.commandHistory; }

    LoggedMainWindow t;
    WindowId term = kNoWindow;
};

TEST_F(HistoryTest, ACommandIsStoredAndRecalledExactlyAsTyped) {
    Submit(L"  ls -l  ");
    Submit(L"echo one\r\necho two");
    EXPECT_EQ(history(), (History{L"  ls -l  ", L"echo one\r\necho two"}));
    Older();
    Older();
    EXPECT_EQ(t.Box(), L"  ls -l  ");
    // Editing a recalled command changes only the box.
    Type(L"  ls -la  ");
    Older();
    EXPECT_EQ(history()[0], L"  ls -l  ");
}

TEST_F(HistoryTest, WithNoTerminalOpenSendStillStoresAndEmpties) {
    t.desktop.Window(term).className = L"Notepad";  // no terminal window anywhere
    Submit(L"date");
    EXPECT_EQ(history(), History{L"date"});
    EXPECT_EQ(t.Box(), L"");
}

TEST_F(HistoryTest, TabCompletionStoresAndEmptiesLikeSend) {
    t.dialog.settings.tabCompletion = 1;
    Type(L"cd /et");
    std::uint32_t key = vk::kTab;
    t.dialog.PreTranslateKeyDown(mainid::kCommandBox, key);
    EXPECT_EQ(history(), History{L"cd /et"});
    EXPECT_EQ(t.Box(), L"");
    EXPECT_EQ(t.dialog.historyCursor, 1);
}

TEST_F(HistoryTest, OnAnEmptyHistoryTheStepsDoNothingAtAll) {
    Type(L"draft");
    t.host.FocusItem(mainid::kFilterCombo);
    t.desktop.ClearCalls();
    t.dialog.HistoryOlder();
    t.dialog.HistoryNewer();
    std::uint32_t key = vk::kUp;
    t.dialog.PreTranslateKeyDown(mainid::kCommandBox, key);
    EXPECT_EQ(t.Box(), L"draft");
    EXPECT_EQ(t.host.FocusedItem(), mainid::kFilterCombo);  // no RestoreCommandFocus either
    EXPECT_TRUE(t.desktop.Calls().empty());
}

}  // namespace
}  // namespace tandrel
