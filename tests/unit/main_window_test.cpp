// The main window against the fake desktop, storage, shell and dialog host: initialisation,
// appearance, the history, the keyboard routing, system commands and the tray messages.
#include <gtest/gtest.h>

#include <memory>

#include "main_window_fixture.h"
#include "ui/show_targets.h"
#include "ui/web_pages.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;
using fakes::FakeMarks;

TEST_F(MainWindow, InitialisationFillsTheWindowFromTheProfile) {
    Profile(
        L"filter00=All PuTTYs||+*\r\nfilter01=Web||+web*\r\nfilter=1\r\nsendCR=0\r\ncheckForUpdates=0\r\n");
    CMainDialog& d = Open();
    EXPECT_EQ(host.Control(mainid::kFilterCombo).items, (std::vector<std::wstring>{L"All PuTTYs", L"Web"}));
    EXPECT_EQ(host.ListSelection(mainid::kFilterCombo), 1);
    EXPECT_FALSE(host.IsChecked(mainid::kReturnToggle));
    for (int id : {1008, 1009, 1012, 1013, 1014, 1015})
        EXPECT_EQ(host.Control(id).font.pointTenths, 100) << id;
    for (int id : {1010, 1016}) EXPECT_EQ(host.Control(id).font.pointTenths, 80) << id;
    EXPECT_EQ(host.Control(mainid::kReturnToggle).font.face, L"Symbol");
    // A glyph is a picture: the text, which a screen reader reads, and the tooltip name the button.
    for (int id : {1007, 1008, 1009, 1010, 1012, 1013, 1014, 1015, 1016}) {
        EXPECT_FALSE(host.Control(id).glyph.empty()) << id;
        EXPECT_GT(host.Control(id).text.size(), 5u) << id;
        EXPECT_EQ(host.Control(id).tip, host.Control(id).text) << id;
    }
    EXPECT_EQ(host.Control(mainid::kHistoryOlder).text, L"Older command");
    EXPECT_EQ(d.normalWindowHeight, 300);
    // No Maximize; a separator and the About item at the end.
    const std::vector<std::wstring>& menu = host.SystemMenu();
    ASSERT_GE(menu.size(), 3u);
    EXPECT_EQ(menu[menu.size() - 3], L"-");
    EXPECT_EQ(menu[menu.size() - 2], L"About Tandrel...:16");
    EXPECT_EQ(menu.back(), L"Exit:48");  // reached by keyboard even where Alt+F4 only hides
    for (const std::wstring& item : menu) EXPECT_EQ(item.find(L":61488"), std::wstring::npos);
    // The tray icon came before the window preferences; the focus is in the command box.
    EXPECT_EQ(tray.calls, std::vector<std::wstring>{L"add Tandrel 1.7"});
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(host.DefaultButton(), mainid::kSend);
    EXPECT_TRUE(shell.Downloads().empty());  // checkForUpdates=0: no update check
}

TEST_F(MainWindow, AnUnreadableProfileIsNamedOnceAndTheWindowRunsOnDefaults) {
    Profile(L"checkForUpdates=0\r\nfilter00=Web||+web*\r\n");
    storage.unreadableFiles.insert(L"C:\\Tools\\tandrel.ini");
    Open();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].text.find(L"\nC:\\Tools\\tandrel.ini\n"), std::wstring::npos);
    EXPECT_EQ(host.MessageBoxes()[0].caption, L"Tandrel");
    EXPECT_EQ(host.Control(mainid::kFilterCombo).items, std::vector<std::wstring>{L"All PuTTYs"});
}

TEST_F(MainWindow, TheStartUpCheckRunsBeforeTheComboBoxIsFilled) {
    Profile(L"checkForUpdates=1\r\n");
    shell.OnDownload([this] { EXPECT_EQ(host.ListCount(mainid::kFilterCombo), 0); });
    Open();
    EXPECT_EQ(shell.Downloads().size(), 1u);
    EXPECT_TRUE(host.MessageBoxes().empty());  // nothing newer, said nothing
}

TEST_F(MainWindow, ToolWindowTitleHeightAndStyleFollowThePreference) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    // Caption 19: half of it, 9, comes off the 300 measured at initialisation.
    EXPECT_EQ(host.Title(), L"Tandrel 1.7 - Keyfanner");
    EXPECT_NE(host.ExtendedStyle() & 0x80u, 0u);
    EXPECT_EQ(desktop.Window(main).rect.Height(), 291);
    for (int round = 0; round < 3; ++round) {
        d.settings.toolWindow = 0;
        d.ApplyWindowPreferences();
        EXPECT_EQ(host.Title(), L"Tandrel 1.7");
        EXPECT_EQ(host.ExtendedStyle() & 0x80u, 0u);
        EXPECT_EQ(desktop.Window(main).rect.Height(), 300);
        d.settings.toolWindow = 1;
        d.ApplyWindowPreferences();
        EXPECT_EQ(desktop.Window(main).rect.Height(), 291);  // never drifts
    }
    // Moved to a monitor at 150%: the system makes the tool window 436 high, and the normal
    // height follows.
    d.OnDpiChanged(436);
    d.settings.toolWindow = 0;
    d.ApplyWindowPreferences();
    EXPECT_EQ(desktop.Window(main).rect.Height(), 445);
}

TEST_F(MainWindow, OpacityIsTheLowByteAndTheWindowIsAlwaysLayered) {
    Profile(L"checkForUpdates=0\r\nwindowOpacity=300\r\nalwaysOnTop=0\r\n");
    Open();
    EXPECT_EQ(host.LayeredAlpha(), 300 & 0xFF);
    EXPECT_NE(host.ExtendedStyle() & 0x80000u, 0u);
    const auto places = desktop.CallsStartingWith("place " + std::to_string(main));
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places.back(),
              "place " + std::to_string(main) + " -2 0 0 380 291 0x2");  // not topmost, no move
}

TEST_F(MainWindow, WithoutLayeredWindowsTheOpacityIsNotApplied) {
    Profile(L"checkForUpdates=0\r\nwindowOpacity=100\r\n");
    host.SetHasLayeredAttributes(false);
    Open();
    EXPECT_EQ(host.ExtendedStyle() & 0x80000u, 0u);
    EXPECT_EQ(host.LayeredAlpha(), 255);
}

TEST_F(MainWindow, HistoryStepsWrapAndKeepCommandsAsTyped) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    Type(L"  ls -l  ");
    host.UserClicks(mainid::kSend);
    EXPECT_EQ(Box(), L"");
    Type(L"uptime");
    host.UserClicks(mainid::kSend);
    Type(L" \t\r\n ");
    host.UserClicks(mainid::kSend);  // blank: broadcast, not stored
    EXPECT_EQ(d.commandHistory, (std::vector<std::wstring>{L"  ls -l  ", L"uptime"}));
    EXPECT_EQ(d.historyCursor, 2);
    EXPECT_EQ(Box(), L"");
    host.UserClicks(mainid::kHistoryOlder);
    EXPECT_EQ(Box(), L"uptime");
    host.UserClicks(mainid::kHistoryOlder);
    EXPECT_EQ(Box(), L"  ls -l  ");
    host.UserClicks(mainid::kHistoryOlder);  // from the oldest to the newest
    EXPECT_EQ(Box(), L"uptime");
    host.UserClicks(mainid::kHistoryNewer);  // from the newest to the oldest
    EXPECT_EQ(Box(), L"  ls -l  ");
    // The caret is after the last character, nothing selected.
    EXPECT_EQ(host.Control(mainid::kCommandBox).selStart, 9);
    EXPECT_EQ(host.Control(mainid::kCommandBox).selEnd, 9);
}

TEST_F(MainWindow, AfterASubmissionNewerShowsTheOldestEntry) {
    Profile(L"checkForUpdates=0\r\ncmdhistory03=first\r\ncmdhistory07=second\r\n");
    Open();
    Type(L"third");
    host.UserClicks(mainid::kSend);
    host.UserClicks(mainid::kHistoryNewer);
    EXPECT_EQ(Box(), L"first");
}

TEST_F(MainWindow, TheHistoryKeepsTheHundredNewestAndDuplicates) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    for (int i = 0; i < 101; ++i) {
        Type(L"cmd" + std::to_wstring(i));
        host.UserClicks(mainid::kSend);
    }
    Type(L"cmd100");
    host.UserClicks(mainid::kSend);
    ASSERT_EQ(d.commandHistory.size(), 100u);
    EXPECT_EQ(d.commandHistory.front(), L"cmd2");
    EXPECT_EQ(d.commandHistory[98], L"cmd100");
    EXPECT_EQ(d.commandHistory[99], L"cmd100");
}

TEST_F(MainWindow, ClearAsksAndOnlyYesEmptiesHistoryAndBox) {
    Profile(L"checkForUpdates=0\r\ncmdhistory00=ls\r\n");
    CMainDialog& d = Open();
    EXPECT_TRUE(host.IsItemEnabled(mainid::kHistoryClear));
    Type(L"typed meanwhile");
    host.AnswerNextMessageBox(mb::kIdNo);
    host.UserClicks(mainid::kHistoryClear);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"Are you sure you want to\nclear the command history?");
    EXPECT_EQ(host.MessageBoxes()[0].caption, L"Tandrel");
    EXPECT_EQ(host.MessageBoxes()[0].flags, mb::kYesNo | mb::kIconExclamation);
    EXPECT_EQ(d.commandHistory.size(), 1u);
    EXPECT_EQ(Box(), L"typed meanwhile");
    host.AnswerNextMessageBox(mb::kIdYes);
    host.UserClicks(mainid::kHistoryClear);
    EXPECT_TRUE(d.commandHistory.empty());
    EXPECT_EQ(d.historyCursor, 0);
    EXPECT_EQ(Box(), L"");
    for (int id : {mainid::kHistoryOlder, mainid::kHistoryNewer, mainid::kHistoryClear}) {
        EXPECT_FALSE(host.IsItemEnabled(id)) << id;
    }
    host.Control(mainid::kHistoryClear).enabled = true;  // even if reached: no question on empty
    host.UserClicks(mainid::kHistoryClear);
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
}

TEST_F(MainWindow, ACommandReachesEveryPassingTerminalWithEnter) {
    Profile(L"checkForUpdates=0\r\nfilter00=All PuTTYs||+*\r\nfilter01=Web||+web*\r\nfilter=1\r\n");
    const WindowId web = Terminal(L"web01");
    const WindowId db = Terminal(L"db01");
    Open();
    Type(L"echo {%INC%}");
    host.UserClicks(mainid::kSend);
    EXPECT_EQ(desktop.Window(web).text, L"echo 1\r");
    EXPECT_EQ(desktop.Window(db).text, L"");
    EXPECT_EQ(desktop.Foreground(), main);     // the main window came back
    EXPECT_TRUE(host.MessageBoxes().empty());  // every target served: nothing to say
}

// One message box after the run names every window passed over and what it missed; while the
// main window is hidden in the tray, a balloon from the icon says it instead.
TEST_F(MainWindow, WhatARunMissedIsToldOnceAfterIt) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId a = Terminal(L"web01");
    const WindowId b = Terminal(L"web02");
    const WindowId c = Terminal(L"web03");
    desktop.Window(a).hung = true;
    desktop.Window(c).hung = true;
    Open();
    Type(L"uptime");
    host.UserClicks(mainid::kSend);
    EXPECT_EQ(desktop.Window(b).text, L"uptime\r");
    const std::wstring named = L"\n\nweb01: did not answer\nweb03: did not answer";
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"These terminal windows missed the command:" + named);
    EXPECT_EQ(host.MessageBoxes()[0].flags, mb::kOk | mb::kIconExclamation);
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);

    dialog.OnSysCommand(sc::kMinimize);  // into the tray
    host.UserClicks(1017);               // Ctrl-C from the tray's window
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    // The balloon holds a summary; the list shows once the window is opened from the tray.
    EXPECT_EQ(tray.calls.back(),
              L"balloon Tandrel|2 terminals missed the quick key. Open the main window for "
              L"the list; tandrel.exe /targets lists the terminals.");
    host.UserClicks(mainid::kTrayOpen);
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[1].text, L"These terminal windows missed the quick key:" + named);
}

TEST_F(MainWindow, SendAndTabCompletionWithNoMatchingTerminalSaySo) {
    Profile(L"checkForUpdates=0\r\nfilter00=All PuTTYs||+*\r\nfilter01=Web||+web*\r\nfilter=1\r\n");
    Terminal(L"db01");
    CMainDialog& d = Open();
    d.settings.tabCompletion = 1;
    Type(L"uptime");
    host.UserClicks(mainid::kSend);
    Type(L"cd /us");
    Press(vk::kTab);
    const std::wstring said =
        L"No terminal window passes the filter Web: nothing was sent.\n\nOpen a terminal whose title the "
        L"filter "
        L"takes, or choose another filter; the command waits in the history.";
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].text, said);
    EXPECT_EQ(host.MessageBoxes()[1].text, said);
    EXPECT_EQ(d.commandHistory, (std::vector<std::wstring>{L"uptime", L"cd /us"}));
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
    Terminal(L"web01");
    host.UserClicks(mainid::kSend);
    EXPECT_EQ(host.MessageBoxes().size(), 2u);  // a target: nothing to say
}

struct RoutingRow {
    const char* name;
    bool shift;  // Shift held with the key
    std::uint32_t key;
    int focused;
    std::int32_t tabCompletion;
    std::int32_t scrollThrough;
    std::uint32_t keyAfter;   // what the dialog manager then sees
    const wchar_t* boxAfter;  // the command box afterwards
    const wchar_t* terminal;  // what the terminal received
};

class KeyboardRouting : public MainWindow, public testing::WithParamInterface<RoutingRow> {};

TEST_P(KeyboardRouting, KeysInTheMainWindow) {
    const RoutingRow& r = GetParam();
    Profile(L"checkForUpdates=0\r\ncmdhistory00=old\r\ncmdhistory01=new\r\n");
    const WindowId term = Terminal(L"t1");
    CMainDialog& d = Open();
    d.settings.tabCompletion = r.tabCompletion;
    d.settings.cmdhistoryScrollThrough = r.scrollThrough;
    Type(L"cd /us");
    if (r.shift) {
        desktop.SetFocusNow(main);
        desktop.KeyEvent(vk::kShift, 0, 0);  // Shift held in the main window
    }
    EXPECT_EQ(Press(r.key, r.focused), r.keyAfter);
    EXPECT_EQ(Box(), r.boxAfter);
    EXPECT_EQ(desktop.Window(term).text, r.terminal);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardRouting,
    testing::Values(
        RoutingRow{"EscapeInTheBox", false, vk::kEscape, mainid::kCommandBox, 0, 1, 0, L"cd /us", L""},
        RoutingRow{"EscapeOnAButton", false, vk::kEscape, mainid::kSend, 0, 1, 0, L"cd /us", L""},
        RoutingRow{"TabCompletes", false, vk::kTab, mainid::kCommandBox, 1, 1, 0, L"", L"cd /us\t"},
        RoutingRow{"ShiftTabMovesTheFocusBack", true, vk::kTab, mainid::kCommandBox, 1, 1, vk::kTab,
                   L"cd /us", L""},
        RoutingRow{"TabMovesTheFocus", false, vk::kTab, mainid::kCommandBox, 0, 1, vk::kTab, L"cd /us", L""},
        RoutingRow{"TabOnAButton", false, vk::kTab, mainid::kSend, 1, 1, vk::kTab, L"cd /us", L""},
        RoutingRow{"UpRecalls", false, vk::kUp, mainid::kCommandBox, 0, 1, vk::kUp, L"new", L""},
        RoutingRow{"DownRecalls", false, vk::kDown, mainid::kCommandBox, 0, 1, vk::kDown, L"old", L""},
        RoutingRow{"UpMovesTheCaret", false, vk::kUp, mainid::kCommandBox, 0, 0, vk::kUp, L"cd /us", L""},
        RoutingRow{"UpOnAButton", false, vk::kUp, mainid::kSend, 0, 1, vk::kUp, L"cd /us", L""}),
    [](const testing::TestParamInfo<RoutingRow>& info) { return std::string(info.param.name); });

TEST_F(MainWindow, MinimiseAndCloseHideIntoTheTrayOnlyWhereThereIsOne) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    EXPECT_TRUE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kClose));
    EXPECT_FALSE(desktop.Window(main).visible);
    EXPECT_EQ(tray.calls.back(), L"modify Tandrel 1.7");
    d.settings.minimizeToSysTray = 0;
    EXPECT_FALSE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kMinimize));  // default processing
    EXPECT_FALSE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kMaximize));
}

TEST_F(MainWindow, TheIconIsTriedAgainAndTheWindowNeverHidesWithoutOne) {
    Profile(L"checkForUpdates=0\r\n");
    tray.failingAdds = 6;
    CMainDialog& d = Open();
    EXPECT_EQ(tray.calls.size(), 3u);
    EXPECT_FALSE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kClose));  // three more tries, then default
    EXPECT_TRUE(desktop.Window(main).visible);
    EXPECT_TRUE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kMinimize));  // the shell takes it now
    EXPECT_FALSE(desktop.Window(main).visible);
    EXPECT_EQ(tray.calls.size(), 7u);
}

class MainWindowWithoutTray : public MainWindow {
  protected:
    MainWindowWithoutTray() : MainWindow({.tray = false}) {}
};

TEST_F(MainWindowWithoutTray, WithoutANotificationAreaTheWindowIsNeverHidden) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    EXPECT_FALSE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kClose));
    EXPECT_TRUE(desktop.Window(main).visible);
    EXPECT_FALSE(d.trayIconShown);
}

TEST_F(MainWindow, TheAboutItemOfTheSystemMenuRunsTheAboutDialog) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    host.OnModal(111, [&d](CDialog&, FakeDialogHost&) {
        EXPECT_EQ(d.modalDialogOpen, 1);
        return mb::kIdOk;
    });
    EXPECT_TRUE(d.Dispatch(DialogEvent::kSysCommand, 0, 0, 16));
    EXPECT_EQ(host.ModalRuns(), std::vector<int>{111});
    EXPECT_EQ(d.modalDialogOpen, 0);
}

TEST_F(MainWindow, TrayDoubleClickHidesAndShowsButNotWhileADialogIsOpen) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kLButtonDblClk);
    EXPECT_FALSE(desktop.Window(main).visible);
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kLButtonDblClk);
    EXPECT_TRUE(desktop.Window(main).visible);
    d.modalDialogOpen = 1;
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kLButtonDblClk);
    EXPECT_TRUE(desktop.Window(main).visible);
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kRButtonDown);
    EXPECT_EQ(tray.calls.back(), L"menu greyed");
    d.modalDialogOpen = 0;
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, 0x0205);  // right button released
    EXPECT_EQ(tray.calls.back(), L"menu greyed");
    // The menu's "Type in the background" flips the preference, saves it, and shows it checked.
    d.Dispatch(DialogEvent::kCommand, mainid::kTrayTypeInBackground, 0, 0);
    EXPECT_EQ(d.settings.typeInBackground, 1);
    EXPECT_NE(DecodeText(storage.files[L"C:\\Tools\\tandrel.ini"]).find(L"typeInBackground=1"),
              std::wstring::npos);
    EXPECT_EQ(host.Control(mainid::kSend).tip, L"Send to 0 terminals in the background");
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kRButtonDown);
    EXPECT_EQ(tray.calls.back(), L"menu background");
    // Hidden in the tray, the window the menu ran in holds the foreground: after Tile the keyboard
    // goes to the frontmost terminal, not to a window nobody can see.
    const WindowId a = Terminal(L"a");
    const WindowId b = Terminal(L"b");
    d.Dispatch(DialogEvent::kUser, wm::kTrayNotifyMessage, 0, wm::kLButtonDblClk);
    desktop.BringToForeground(main);
    d.Dispatch(DialogEvent::kCommand, mainid::kTrayHide, 0, 0);
    EXPECT_EQ(desktop.Foreground(), main);  // no shown terminal left: it stays, traced
    d.Dispatch(DialogEvent::kCommand, mainid::kTrayTile, 0, 0);
    EXPECT_FALSE(desktop.Window(main).visible);
    EXPECT_TRUE(desktop.Foreground() == a || desktop.Foreground() == b) << desktop.Foreground();
}

TEST_F(MainWindow, ARestartedShellGetsTheIconBack) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    d.taskbarCreatedMessage = 0xC123;
    d.Dispatch(DialogEvent::kUser, 0xC123, 0, 0);
    EXPECT_EQ(tray.calls, (std::vector<std::wstring>{L"add Tandrel 1.7", L"forget", L"add Tandrel 1.7"}));
}

TEST_F(MainWindow, SessionEndAndExitSaveTheHistoryAndExitRemovesTheIcon) {
    Profile(L"checkForUpdates=0\r\nminimizeToSysTray=1\r\n");
    Open();
    const auto saved = [this](const std::wstring& line) {
        return DecodeText(storage.files[L"C:\\Tools\\tandrel.ini"]).find(line) != std::wstring::npos;
    };
    for (const std::uint32_t message : {wm::kQueryEndSession, wm::kEndSession}) {
        Type(L"make " + std::to_wstring(message));
        host.UserClicks(mainid::kSend);
        dialog.Dispatch(DialogEvent::kUser, static_cast<int>(message), 0, 0);
        EXPECT_TRUE(saved(L"=make " + std::to_wstring(message) + L"\r\n")) << message;
    }
    Type(L"make");
    host.UserClicks(mainid::kSend);
    dialog.OnDestroyWindow();
    DestroyDialog();
    EXPECT_EQ(tray.calls.back(), L"delete");
    EXPECT_TRUE(saved(L"cmdhistory02=make\r\n"));
}

TEST_F(MainWindow, QuickKeysAndMarkers) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId term = Terminal(L"t1");
    Open();
    host.UserClicks(1017);  // Ctrl-C
    EXPECT_EQ(desktop.Window(term).text, L"\x03");
    Type(L"ls ");
    host.SetEditSelection(mainid::kCommandBox, 3, 3);
    host.UserClicks(mainid::kInc);
    EXPECT_EQ(Box(), L"ls {%INC%}");
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
}

TEST(ShowTargetsTexts, TheTipCountsTheTerminalsAndTheNoteThoseThatCannotBeMarked) {
    const struct {
        std::size_t marked, hidden, minimised;
        const wchar_t* tip;
        const wchar_t* note;
    } cases[] = {
        {0, 0, 0, L"Send to 0 terminals", L"No terminal passes the filter"},
        {1, 0, 0, L"Send to 1 terminal", L""},
        {4, 2, 1, L"Send to 7 terminals", L"2 hidden, 1 minimised"},
        {0, 1, 0, L"Send to 1 terminal", L"1 hidden"},
        {1, 0, 3, L"Send to 4 terminals", L"3 minimised"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SendButtonTip(c.marked + c.hidden + c.minimised), c.tip);
        EXPECT_EQ(SendButtonTip(c.marked + c.hidden + c.minimised, true),
                  std::wstring(c.tip) + L" in the background");
        EXPECT_EQ(TargetsNote(c.marked, c.hidden, c.minimised), c.note);
    }
}

TEST_F(MainWindow, ShowTargetsNumbersTheVisibleTargetsAndTheTipFollowsTheFilter) {
    Profile(L"checkForUpdates=0\r\nfilter00=All PuTTYs||+*\r\nfilter01=Web||+web*\r\nfilter=0\r\n");
    const WindowId web3 = Terminal(L"web03");
    const WindowId db = Terminal(L"db01");
    desktop.Window(Terminal(L"web01")).visible = false;
    desktop.Window(Terminal(L"web02")).showState = sw::kShowMinimized;
    Open();
    EXPECT_EQ(host.Control(mainid::kSend).tip, L"Send to 4 terminals");

    desktop.SetFocusNow(main);
    desktop.KeyEvent(vk::kControl, 0, 0);  // Ctrl held in the main window
    EXPECT_EQ(Press('T', mainid::kSend), 0u);
    dialog.OnSysCommand(mainid::kShowTargetsSysCommand);
    dialog.Dispatch(DialogEvent::kCommand, mainid::kTrayShowTargets, notify::kButtonClicked);
    ASSERT_EQ(marks.shown.size(), 3u);
    for (const FakeMarks::Shown& s : marks.shown) {
        EXPECT_EQ(s.marks, (std::vector<TargetMark>{{db, 1}, {web3, 4}}));
        EXPECT_EQ(s.note, L"1 hidden, 1 minimised");
        EXPECT_EQ(s.over, main);
        EXPECT_EQ(s.ms, kTargetMarksMs);
    }
    // Nothing is typed.
    EXPECT_EQ(desktop.Window(db).text, L"");

    host.UserSelects(mainid::kFilterCombo, 1);
    EXPECT_EQ(host.Control(mainid::kSend).tip, L"Send to 3 terminals");
}

TEST(WebHost, OnlyARealHostIsEverContacted) {
    const std::pair<const wchar_t*, bool> hosts[] = {
        {L"www.example.com", false},  {L"EXAMPLE.org.", false}, {L"cdn.example.net", false}, {L"", false},
        {L"example.community", true}, {L"myexample.com", true}, {fakes::kTestWebHost, true},
    };
    for (const auto& [host, real] : hosts)
        EXPECT_EQ(IsRealWebHost(host), real) << ::testing::PrintToString(host);
}

TEST_F(MainWindow, WithoutARealWebHostNothingIsFetchedAndHelpOpensTheGuide) {
    Profile(L"checkForUpdates=1\r\n");
    shell.webHost = L"www.example.com";
    Open();
    dialog.OnCheckForUpdates();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, L"This build of Tandrel has no update address.");
    dialog.OnHelp();
    OpenDonationPage(shell);
    EXPECT_EQ(shell.OpenedUrls(), std::vector<std::wstring>{L"C:\\Tools\\USER-GUIDE.html"});
    EXPECT_TRUE(shell.Downloads().empty());
}

}  // namespace
}  // namespace tandrel
