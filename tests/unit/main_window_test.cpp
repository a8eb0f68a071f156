// The main window's life against the fake host: initialisation in order, the three appearance
// preferences, the system menu and system commands, the return toggle, and the keyboard routing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace tandrel {
namespace {

using fakes::MainWindowOn;
using Log = std::vector<std::string>;

constexpr std::uint32_t kExTool = 0x80;        // WS_EX_TOOLWINDOW
constexpr std::uint32_t kExLayered = 0x80000;  // WS_EX_LAYERED
constexpr std::uint32_t kExApp = 0x40000;      // WS_EX_APPWINDOW, from the template

TEST(MainWindowInit, RunsItsStepsInOrder) {
    MainWindowOn t;
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
                          "sysmenu 16 About Tandrel...",
                          "measure",  // normalWindowHeight
                          // ApplyWindowPreferences
                          "measure", "title Tandrel 1.7 - Keyfanner", "exstyle 0xc0080", "sleep 20",
                          "alpha 200", "place " + self + " -1 0 0 387 285 0x2",
                          // RestoreCommandFocus
                          "default 1024", "focus 1011", "enable 1008 1", "enable 1009 1", "enable 1010 1",
                          "foreground " + self};
    EXPECT_EQ(t.log, expected);
    EXPECT_EQ(t.dialog.normalWindowHeight, 296);
    EXPECT_EQ(t.dialog.historyCursor, 1);
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(t.host.DefaultButton(), mainid::kSend);
}

TEST(MainWindowInit, CopiesTheCommandBoxFlagsAndLeavesTheUpdateCheckOutWhenOff) {
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\nemulateCopyPaste=0\r\ncmdhistoryScrollThrough=0\r\n");
    t.Init();
    EXPECT_EQ(t.dialog.commandBox.emulateCopyPaste, 0);
    EXPECT_EQ(t.dialog.commandBox.cmdhistoryScrollThrough, 0);
    EXPECT_TRUE(t.shell.Downloads().empty());
    // An empty history leaves the three history buttons disabled.
    EXPECT_FALSE(t.host.IsItemEnabled(mainid::kHistoryOlder));
    EXPECT_FALSE(t.host.IsItemEnabled(mainid::kHistoryNewer));
    EXPECT_FALSE(t.host.IsItemEnabled(mainid::kHistoryClear));
}

TEST(MainWindowInit, TheSystemMenuHasNoMaximizeAndEndsWithAbout) {
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    const std::vector<std::wstring> menu = t.host.SystemMenu();
    ASSERT_GE(menu.size(), 2u);
    EXPECT_EQ(std::count(menu.begin(), menu.end(), L"Maximize:61488"), 0);
    EXPECT_EQ(menu[menu.size() - 2], L"-");
    EXPECT_EQ(menu.back(), L"About Tandrel...:16");
}

struct LookRow {
    std::int32_t toolWindow;
    std::int32_t alwaysOnTop;
    std::int32_t opacity;
    bool layered;  // the system has SetLayeredWindowAttributes
    const char* title;
    std::uint32_t exStyle;
    int height;
    const char* insertAfter;
    int alpha;  // -1: not called
};

TEST(ApplyWindowPreferences, TitleStyleHeightZOrderAndOpacity) {
    // Made 296 pixels high; half of a 23-pixel caption is 11.
    const LookRow rows[] = {
        {1, 1, 255, true, "Tandrel 1.7 - Keyfanner", kExApp | kExTool | kExLayered, 285, "-1", 255},
        {0, 1, 255, true, "Tandrel 1.7", kExApp | kExLayered, 296, "-1", 255},
        {0, 0, 128, true, "Tandrel 1.7", kExApp | kExLayered, 296, "-2", 128},
        {1, 0, 0x1C8, true, "Tandrel 1.7 - Keyfanner", kExApp | kExTool | kExLayered, 285, "-2", 0xC8},
        {1, 1, 100, false, "Tandrel 1.7 - Keyfanner", kExApp | kExTool, 285, "-1", -1},
    };
    for (const LookRow& r : rows) {
        SCOPED_TRACE(r.title + std::string(" tool=") + std::to_string(r.toolWindow) +
                     " top=" + std::to_string(r.alwaysOnTop) + " opacity=" + std::to_string(r.opacity));
        MainWindowOn t;
        t.Profile(L"checkForUpdates=0\r\n");
        t.host.SetExtendedStyle(kExApp);
        t.host.SetHasLayeredAttributes(r.layered);
        t.Init();
        t.dialog.toolWindow = r.toolWindow;
        t.dialog.alwaysOnTop = r.alwaysOnTop;
        t.dialog.windowOpacity = r.opacity;
        t.host.SetLayeredAlpha(7);
        t.log.clear();
        t.dialog.ApplyWindowPreferences();
        t.host.Flush();
        EXPECT_EQ(fakes::LoggingHost::Narrow(t.host.Title()), r.title);
        EXPECT_EQ(t.host.ExtendedStyle(), r.exStyle);
        const std::string place = "place " + std::to_string(t.main) + " " + r.insertAfter + " 0 0 387 " +
                                  std::to_string(r.height) + " 0x2";
        EXPECT_NE(std::find(t.log.begin(), t.log.end(), place), t.log.end()) << testing::PrintToString(t.log);
        EXPECT_EQ(std::count(t.log.begin(), t.log.end(), "sleep 20"), r.layered ? 1 : 0);
        EXPECT_EQ(t.host.LayeredAlpha(), r.alpha < 0 ? 7 : r.alpha);
        EXPECT_EQ(t.log.back(), "foreground " + std::to_string(t.main));
    }
}

TEST(ApplyWindowPreferences, SwitchingTheToolWindowBackAndForthNeverDrifts) {
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    for (int i = 0; i < 3; ++i) {
        for (std::int32_t tool : {0, 1}) {
            t.dialog.toolWindow = tool;
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
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    ASSERT_TRUE(t.host.IsChecked(mainid::kReturnToggle));
    t.host.FocusItem(mainid::kFilterCombo);
    t.host.UserClicks(mainid::kReturnToggle);
    EXPECT_EQ(t.dialog.sendCR, 0);
    EXPECT_FALSE(t.host.IsChecked(mainid::kReturnToggle));
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    t.host.UserClicks(mainid::kReturnToggle);
    EXPECT_EQ(t.dialog.sendCR, 1);
    EXPECT_TRUE(t.host.IsChecked(mainid::kReturnToggle));
}

TEST(MainWindowCommands, CtrlAndIncInsertTheirMarkersAtTheCaret) {
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\n");
    t.Init();
    t.host.UserSetsText(mainid::kCommandBox, L"echo  done");
    t.host.SetEditSelection(mainid::kCommandBox, 5, 5);
    t.host.FocusItem(mainid::kInc);
    t.host.UserClicks(mainid::kInc);
    EXPECT_EQ(t.Box(), L"echo {%INC%} done");
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    // Over a selection, the marker replaces it.
    t.host.SetEditSelection(mainid::kCommandBox, 0, 4);
    t.host.UserClicks(mainid::kCtrl);
    EXPECT_EQ(t.Box(), L"{%CTRL%} {%INC%} done");
}

TEST(MainWindowCommands, MinimiseAndCloseGoToTheTrayOnlyWhereThereIsOne) {
    // The tray is not part of this platform: the window then minimises and closes as usual
    // rather than hiding where nothing could bring it back.
    MainWindowOn t;
    t.Profile(L"checkForUpdates=0\r\nminimizeToSysTray=1\r\n");
    t.Init();
    EXPECT_FALSE(t.dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kMinimize));
    EXPECT_FALSE(t.dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kClose | 0x2));
    EXPECT_TRUE(t.desktop.Window(t.main).visible);
    // Anything else is the system's, whatever the preference.
    EXPECT_FALSE(t.dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, sc::kRestore));
}

TEST(MainWindowCommands, AnotherInstanceHandsOverWithActivateMessage) {
    MainWindowOn t;
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
        MainWindowOn t;
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

// ---- the keyboard routing of the main window ----

enum class Effect { kNone, kOlder, kNewer, kSubmitTab };

struct KeyRow {
    const char* name;
    std::uint32_t key;
    int focus;
    std::int32_t tabCompletion;
    std::int32_t scrollThrough;
    std::uint32_t keyAfter;  // what the dialog manager then sees
    Effect effect;
};

TEST(KeyboardRouting, EveryKeyOfTheTable) {
    const KeyRow rows[] = {
        {"Escape in the box", vk::kEscape, 1011, 1, 1, 0, Effect::kNone},
        {"Escape on Send", vk::kEscape, 1024, 0, 0, 0, Effect::kNone},
        {"Escape on the combo box", vk::kEscape, 1001, 0, 0, 0, Effect::kNone},
        {"Tab with completion", vk::kTab, 1011, 1, 1, 0, Effect::kSubmitTab},
        {"Tab without completion", vk::kTab, 1011, 0, 1, vk::kTab, Effect::kNone},
        {"Tab on a button", vk::kTab, 1024, 1, 1, vk::kTab, Effect::kNone},
        {"Up walking the history", vk::kUp, 1011, 0, 1, vk::kUp, Effect::kOlder},
        {"Down walking the history", vk::kDown, 1011, 0, 1, vk::kDown, Effect::kNewer},
        {"Up moving the caret", vk::kUp, 1011, 0, 0, vk::kUp, Effect::kNone},
        {"Down moving the caret", vk::kDown, 1011, 0, 0, vk::kDown, Effect::kNone},
        {"Up on the combo box", vk::kUp, 1001, 0, 1, vk::kUp, Effect::kNone},
        {"Enter is the dialog manager's", vk::kReturn, 1011, 1, 1, vk::kReturn, Effect::kNone},
    };
    for (const KeyRow& r : rows) {
        SCOPED_TRACE(r.name);
        MainWindowOn t;
        t.Profile(L"checkForUpdates=0\r\ncmdhistory00=oldest\r\ncmdhistory01=newest\r\n");
        t.Init();
        t.dialog.tabCompletion = r.tabCompletion;
        t.dialog.cmdhistoryScrollThrough = r.scrollThrough;
        const WindowId term = t.Terminal(L"web01");
        t.host.UserSetsText(mainid::kCommandBox, L"cd /us");
        std::uint32_t key = r.key;
        t.dialog.PreTranslateKeyDown(r.focus, key);
        EXPECT_EQ(key, r.keyAfter);
        switch (r.effect) {
            case Effect::kNone:
                EXPECT_EQ(t.Box(), L"cd /us");
                EXPECT_EQ(t.dialog.commandHistory.size(), 2u);
                break;
            case Effect::kOlder:
                EXPECT_EQ(t.Box(), L"newest");
                break;
            case Effect::kNewer:
                EXPECT_EQ(t.Box(), L"oldest");
                break;
            case Effect::kSubmitTab:
                EXPECT_EQ(t.Box(), L"");
                EXPECT_EQ(t.dialog.commandHistory.back(), L"cd /us");
                EXPECT_EQ(t.desktop.Window(term).text, L"cd /us\t");
                EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
                break;
        }
        if (r.effect != Effect::kSubmitTab) {
            EXPECT_EQ(t.desktop.Window(term).text, L"");
        }
    }
}

}  // namespace
}  // namespace tandrel
