// The preferences dialog against the fake host and the fake desktop: initialisation from the
// seventeen values, the enabling rules and OK's bounds, the percentage label, every handler,
// the slider, Find, and how the dialog ends.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/fake_shell.h"
#include "ui/preferences_dialog.h"

namespace tandrel {
namespace {

using D = CPreferencesDialog;
using fakes::FakeDesktop;
using fakes::FakeDialogHost;
using fakes::FakeShell;

// The values the main window hands in, all distinct where they can be, all in range.
struct Values : Settings {
    Values() {
        savePassword = 1, autoArrange = 2, autoMinimize = 1, arrangeOnStartup = 0;
        cascadeWidth = 700, cascadeHeight = 400, unhideOnExit = 1, toolWindow = 0;
        alwaysOnTop = 1, minimizeToSysTray = 0, windowOpacity = 200, transition = 40;
        emulateCopyPaste = 0, cmdhistoryScrollThrough = 1, tabCompletion = 0;
        runOnSystemStartup = 1, checkForUpdates = 0, typeInBackground = 1;
    }
};

struct Prefs {
    FakeShell shell;
    FakeDesktop desk;
    std::vector<WindowId> terminals;  // what the main window collects for Find
    int collections = 0;
    D dialog{shell, desk, [this] {
                 ++collections;
                 return terminals;
             }};
    FakeDialogHost host;

    void Open(const Values& v = Values{}, bool layered = true) {
        dialog.SetValues(v);
        host.SetHasLayeredAttributes(layered);
        host.AttachDialog(&dialog);
        dialog.Attach(&host);
        EXPECT_TRUE(dialog.Dispatch(DialogEvent::kInit));
    }

    const Settings& Read() const { return dialog.Values(); }

    // An automatic check box toggles itself when clicked, if it is enabled.
    void Toggle(int id) {
        if (!host.IsItemEnabled(id))
            return;
        host.SetCheck(id, !host.IsChecked(id));
        host.UserClicks(id);
    }
    // An automatic radio button checks itself and clears the others of its group.
    void Choose(int id) {
        for (const int r : {D::kArrangeOff, D::kArrangeCascade, D::kArrangeTile}) host.SetCheck(r, r == id);
        host.UserClicks(id);
    }
    void Slide(int position) {
        host.SetSliderPosition(D::kOpacitySlider, position);
        dialog.Dispatch(DialogEvent::kHScroll, D::kOpacitySlider);
    }
    bool OkEnabled() { return host.IsItemEnabled(D::kOk); }
    std::wstring Percent() { return host.ItemText(D::kOpacityPercent); }

    WindowId Terminal(const std::wstring& title, int clientWidth, int clientHeight, bool visible = true) {
        const WindowId w = desk.AddWindow(L"PuTTY", title);
        desk.Window(w).clientWidth = clientWidth;
        desk.Window(w).clientHeight = clientHeight;
        desk.Window(w).visible = visible;
        terminals.push_back(w);
        return w;
    }
};

TEST(PreferencesDialog, InitialisationShowsEveryValue) {
    Prefs p;
    const Values v;
    p.Open(v);
    const struct {
        int id;
        bool checked;
    } boxes[] = {
        {D::kSavePassword, true},       {D::kAutoMinimize, true},       {D::kArrangeOnStartup, false},
        {D::kUnhideOnExit, true},       {D::kToolWindow, false},        {D::kAlwaysOnTop, true},
        {D::kMinimizeToSysTray, false}, {D::kTabCompletion, false},     {D::kScrollThrough, true},
        {D::kEmulateCopyPaste, false},  {D::kRunOnSystemStartup, true}, {D::kCheckForUpdates, false},
        {D::kTypeInBackground, true},   {D::kArrangeOff, false},        {D::kArrangeCascade, true},
        {D::kArrangeTile, false},
    };
    for (const auto& b : boxes) EXPECT_EQ(p.host.IsChecked(b.id), b.checked) << b.id;
    EXPECT_EQ(p.host.ItemText(D::kTransition), L"40");
    EXPECT_EQ(p.host.ItemText(D::kCascadeWidth), L"700");
    EXPECT_EQ(p.host.ItemText(D::kCascadeHeight), L"400");
    const fakes::FakeControl& slider = p.host.Control(D::kOpacitySlider);
    EXPECT_EQ(slider.sliderLow, 50);
    EXPECT_EQ(slider.sliderHigh, 255);
    EXPECT_EQ(slider.sliderPos, 200);
    EXPECT_EQ(p.Percent(), L"73%");
    EXPECT_TRUE(p.OkEnabled());
    EXPECT_TRUE(p.host.IsItemEnabled(D::kAutoMinimize));
    EXPECT_TRUE(p.host.IsItemEnabled(D::kArrangeOnStartup));
    // Showing the values changed none of them.
    EXPECT_EQ(p.Read(), v);
}

TEST(PreferencesDialog, ExactlyTheRadioButtonOfTheArrangementIsChecked) {
    const struct {
        std::int32_t autoArrange;
        bool off, cascade, tile;
        bool optionsEnabled;
    } cases[] = {
        {1, true, false, false, false}, {2, false, true, false, true},  {3, false, false, true, true},
        {0, false, false, false, true}, {4, false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.autoArrange);
        Prefs p;
        Values v;
        v.autoArrange = c.autoArrange;
        p.Open(v);
        EXPECT_EQ(p.host.IsChecked(D::kArrangeOff), c.off);
        EXPECT_EQ(p.host.IsChecked(D::kArrangeCascade), c.cascade);
        EXPECT_EQ(p.host.IsChecked(D::kArrangeTile), c.tile);
        EXPECT_EQ(p.host.IsItemEnabled(D::kAutoMinimize), c.optionsEnabled);
        EXPECT_EQ(p.host.IsItemEnabled(D::kArrangeOnStartup), c.optionsEnabled);
        EXPECT_EQ(p.dialog.Values().autoArrange, c.autoArrange);
    }
}

TEST(PreferencesDialog, OkIsEnabledOnlyWhileTheEditsAreInRange) {
    const struct {
        int edit;
        const wchar_t* text;
        std::int32_t value;
        bool okEnabled;
    } cases[] = {
        {D::kTransition, L"0", 0, false},
        {D::kTransition, L"1", 1, true},
        {D::kTransition, L"1500", 1500, true},
        {D::kTransition, L"1501", 1501, false},
        {D::kCascadeWidth, L"97", 97, false},
        {D::kCascadeWidth, L"98", 98, true},
        {D::kCascadeWidth, L"1042", 1042, true},
        {D::kCascadeWidth, L"1043", 1043, false},
        {D::kCascadeHeight, L"17", 17, false},
        {D::kCascadeHeight, L"18", 18, true},
        {D::kCascadeHeight, L"802", 802, true},
        {D::kCascadeHeight, L"803", 803, false},
        // An empty edit, or one that holds no number, reads as 0.
        {D::kTransition, L"", 0, false},
        {D::kCascadeWidth, L"", 0, false},
        {D::kCascadeHeight, L"", 0, false},
        {D::kTransition, L"abc", 0, false},
        {D::kCascadeWidth, L"-500", -500, false},
        {D::kTransition, L"12ms", 12, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edit << " " << testing::PrintToString(std::wstring(c.text)));
        Prefs p;
        p.Open();
        p.host.UserSetsText(c.edit, c.text);
        EXPECT_EQ(p.OkEnabled(), c.okEnabled);
        // A greyed OK says why, naming the value and its bounds.
        const std::wstring note = p.host.ItemText(D::kRangeNote);
        const std::wstring named = c.edit == D::kTransition ? L"Transition must be from 1 to 1500 ms"
                                   : c.edit == D::kCascadeWidth
                                       ? L"Cascade width must be from 98 to 1042 pixels"
                                       : L"Cascade height must be from 18 to 802 pixels";
        EXPECT_EQ(note, c.okEnabled ? L"" : named + L" before OK can be pressed.");
        const std::int32_t read = c.edit == D::kTransition     ? p.dialog.Values().transition
                                  : c.edit == D::kCascadeWidth ? p.dialog.Values().cascadeWidth
                                                               : p.dialog.Values().cascadeHeight;
        EXPECT_EQ(read, c.value);
    }
}

TEST(PreferencesDialog, OutOfRangeValuesHandedInGreyOkUntilCorrected) {
    Prefs p;
    Values v;
    v.transition = 5000;
    p.Open(v);
    EXPECT_FALSE(p.OkEnabled());
    EXPECT_TRUE(p.host.MessageBoxes().empty());  // no message box: the note says it
    EXPECT_EQ(p.host.ItemText(D::kRangeNote),
              L"Transition must be from 1 to 1500 ms before OK can be pressed.");
    p.host.UserSetsText(D::kTransition, L"25");
    EXPECT_TRUE(p.OkEnabled());
    EXPECT_EQ(p.host.ItemText(D::kRangeNote), L"");
}

TEST(PreferencesDialog, OpacityHasALowerBoundOnly) {
    const struct {
        std::int32_t opacity;
        bool okEnabled;
        const wchar_t* percent;
    } cases[] = {
        {49, false, L"1%"},  // (-1 * 100 / 206) truncates toward zero
        {50, true, L"1%"},
        {300, true, L"122%"},
        {0, false, L"-23%"},
        {INT_MAX, true, L"1042467766%"},
        {INT_MIN, false, L"-1042467813%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opacity);
        Prefs p;
        Values v;
        v.windowOpacity = c.opacity;
        p.Open(v);
        EXPECT_EQ(p.OkEnabled(), c.okEnabled);
        EXPECT_EQ(p.Percent(), c.percent);
    }
}

TEST(PreferencesDialog, TheSliderSetsTheOpacityAndItsPercentage) {
    const struct {
        int position;
        const wchar_t* percent;
    } cases[] = {
        {50, L"1%"}, {51, L"1%"}, {153, L"51%"}, {200, L"73%"}, {254, L"100%"}, {255, L"100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        Prefs p;
        p.Open();
        p.Slide(c.position);
        EXPECT_EQ(p.dialog.Values().windowOpacity, c.position);
        EXPECT_EQ(p.Percent(), c.percent);
    }
}

TEST(PreferencesDialog, AScrollFromAnotherControlOnlyRefreshesTheStates) {
    Prefs p;
    p.Open();
    p.host.SetSliderPosition(D::kOpacitySlider, 60);
    p.host.SetItemText(D::kOpacityPercent, L"stale");
    EXPECT_FALSE(p.dialog.Dispatch(DialogEvent::kHScroll, 4242));  // the default handling follows
    EXPECT_EQ(p.dialog.Values().windowOpacity, 200);
    EXPECT_EQ(p.Percent(), L"73%");
}

TEST(PreferencesDialog, WithoutTranslucencyTheOpacityControlsAreHiddenAndTheValuePassesThrough) {
    Prefs p;
    Values v;
    v.windowOpacity = 120;
    p.Open(v, /*layered=*/false);
    for (const int id : {D::kOpacityLabel, D::kOpacitySlider, D::kOpacityPercent})
        EXPECT_FALSE(p.host.IsItemShown(id)) << id;
    EXPECT_EQ(p.host.Control(D::kOpacitySlider).sliderPos, 0);  // never set up
    p.host.UserClicks(D::kOk);
    EXPECT_EQ(p.host.EndResult(), mb::kIdOk);
    EXPECT_EQ(p.dialog.Values().windowOpacity, 120);
}

TEST(PreferencesDialog, OffDisablesTheTwoArrangementOptionsWithoutChangingThem) {
    Prefs p;
    Values v;
    v.autoArrange = 2;
    v.autoMinimize = 1;
    v.arrangeOnStartup = 1;
    p.Open(v);

    p.Choose(D::kArrangeOff);
    EXPECT_EQ(p.dialog.Values().autoArrange, 1);
    for (const int id : {D::kAutoMinimize, D::kArrangeOnStartup}) {
        EXPECT_FALSE(p.host.IsItemEnabled(id)) << id;
        EXPECT_TRUE(p.host.IsChecked(id)) << id;
    }
    EXPECT_EQ(p.dialog.Values().autoMinimize, 1);
    EXPECT_EQ(p.dialog.Values().arrangeOnStartup, 1);

    p.Choose(D::kArrangeTile);
    EXPECT_EQ(p.dialog.Values().autoArrange, 3);
    EXPECT_TRUE(p.host.IsItemEnabled(D::kAutoMinimize));
    EXPECT_TRUE(p.host.IsItemEnabled(D::kArrangeOnStartup));

    p.Choose(D::kArrangeCascade);
    EXPECT_EQ(p.dialog.Values().autoArrange, 2);
    EXPECT_TRUE(p.host.IsItemEnabled(D::kAutoMinimize));
}

TEST(PreferencesDialog, EveryCheckBoxWritesItsOwnValue) {
    const struct {
        int id;
        std::int32_t Settings::*get;
    } boxes[] = {
        {D::kSavePassword, &Settings::savePassword},
        {D::kAutoMinimize, &Settings::autoMinimize},
        {D::kArrangeOnStartup, &Settings::arrangeOnStartup},
        {D::kUnhideOnExit, &Settings::unhideOnExit},
        {D::kToolWindow, &Settings::toolWindow},
        {D::kAlwaysOnTop, &Settings::alwaysOnTop},
        {D::kMinimizeToSysTray, &Settings::minimizeToSysTray},
        {D::kTabCompletion, &Settings::tabCompletion},
        {D::kScrollThrough, &Settings::cmdhistoryScrollThrough},
        {D::kEmulateCopyPaste, &Settings::emulateCopyPaste},
        {D::kRunOnSystemStartup, &Settings::runOnSystemStartup},
        {D::kCheckForUpdates, &Settings::checkForUpdates},
        {D::kTypeInBackground, &Settings::typeInBackground},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.id);
        Prefs p;
        p.Open();
        const Settings before = p.Read();
        const std::int32_t was = p.Read().*b.get;
        p.Toggle(b.id);
        EXPECT_EQ(p.Read().*b.get, was ? 0 : 1);
        p.Toggle(b.id);
        EXPECT_EQ(p.Read().*b.get, was ? 1 : 0);
        EXPECT_EQ(p.Read(), before);  // no other value moved
    }
}

TEST(PreferencesDialog, ACheckBoxValueOfTwoIsShownCheckedAndWrittenBackAsOne) {
    Prefs p;
    Values v;
    v.toolWindow = 2;
    p.Open(v);
    EXPECT_TRUE(p.host.IsChecked(D::kToolWindow));
    EXPECT_EQ(p.dialog.Values().toolWindow, 2);  // untouched, it passes through
    p.Toggle(D::kToolWindow);
    p.Toggle(D::kToolWindow);
    EXPECT_EQ(p.dialog.Values().toolWindow, 1);
}

TEST(PreferencesDialog, OkEndsTheDialogWithTheEditedValues) {
    Prefs p;
    p.Open();
    p.host.UserSetsText(D::kTransition, L"250");
    p.Toggle(D::kToolWindow);
    p.Choose(D::kArrangeTile);
    p.Slide(100);
    p.host.UserClicks(D::kOk);
    ASSERT_TRUE(p.host.Ended());
    EXPECT_EQ(p.host.EndResult(), mb::kIdOk);
    Values expected;
    expected.transition = 250;
    expected.toolWindow = 1;
    expected.autoArrange = 3;
    expected.windowOpacity = 100;
    EXPECT_EQ(p.Read(), expected);
}

TEST(PreferencesDialog, HelpOpensTheHomePage) {
    Prefs p;
    p.Open();
    EXPECT_TRUE(p.dialog.Dispatch(DialogEvent::kHelp));
    ASSERT_EQ(p.shell.OpenedUrls().size(), 1u);
    EXPECT_NE(p.shell.OpenedUrls()[0].find(L"/tandrel?m=h&app=Tandrel&iv=010700"), std::wstring::npos);
    EXPECT_FALSE(p.host.Ended());
}

// ---- Find ----

const std::wstring kNoneVisible =
    L"Find measures the largest visible PuTTY window, and no PuTTY window is open and visible.\n\n"
    L"Open or show one, then press Find again. The cascade dimensions are left as they were.";
const std::wstring kTooWide =
    L"The largest visible PuTTY window measures 1100 x 500 pixels; cascade dimensions must be from 98 x 18 "
    L"to "
    L"1042 x 802 pixels.\n\nResize that window, then press Find again. The cascade dimensions are left as "
    L"they were.";

TEST(PreferencesDialog, FindTakesTheLargestVisibleTerminal) {
    Prefs p;
    p.Terminal(L"db01", 500, 300);
    p.Terminal(L"web01", 800, 600);
    p.Terminal(L"web02", 1000, 700, /*visible=*/false);  // larger, but hidden
    Values v;
    v.cascadeWidth = 5;  // out of range: OK greyed until Find fills a good size
    p.Open(v);
    EXPECT_FALSE(p.OkEnabled());
    p.host.UserClicks(D::kFind);
    EXPECT_EQ(p.collections, 1);
    EXPECT_TRUE(p.host.MessageBoxes().empty());
    EXPECT_EQ(p.dialog.Values().cascadeWidth, 800);
    EXPECT_EQ(p.dialog.Values().cascadeHeight, 600);
    EXPECT_EQ(p.host.ItemText(D::kCascadeWidth), L"800");
    EXPECT_EQ(p.host.ItemText(D::kCascadeHeight), L"600");
    EXPECT_TRUE(p.OkEnabled());
    EXPECT_FALSE(p.host.Ended());
}

TEST(PreferencesDialog, FindAcceptsSizesWithinTheBoundsOnly) {
    const struct {
        int width, height;
        bool accepted;
    } cases[] = {
        {98, 18, true},   {1042, 802, true}, {97, 400, false},   {1043, 400, false},
        {600, 17, false}, {600, 803, false}, {1100, 700, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Prefs p;
        p.Terminal(L"web01", c.width, c.height);
        p.Open();
        p.host.UserClicks(D::kFind);
        EXPECT_EQ(p.host.MessageBoxes().size(), c.accepted ? 0u : 1u);
        EXPECT_EQ(p.dialog.Values().cascadeWidth, c.accepted ? c.width : Values{}.cascadeWidth);
        EXPECT_EQ(p.dialog.Values().cascadeHeight, c.accepted ? c.height : Values{}.cascadeHeight);
    }
}

TEST(PreferencesDialog, FindWithoutAUsableWindowSaysWhatItMeasuredAndKeepsTheTypedValues) {
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> visible;  // client sizes of visible terminals
        bool hiddenOne;
        const std::wstring& message;
    } cases[] = {
        {"no terminal at all", {}, false, kNoneVisible},
        {"only a hidden one", {}, true, kNoneVisible},
        {"the largest is 1100 wide", {{600, 400}, {1100, 500}}, false, kTooWide},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prefs p;
        for (const auto& [w, h] : c.visible) p.Terminal(L"t", w, h);
        if (c.hiddenOne)
            p.Terminal(L"hidden", 600, 400, /*visible=*/false);
        p.Open();
        p.host.UserSetsText(D::kCascadeWidth, L"123");  // typed, and kept
        p.host.UserClicks(D::kFind);
        ASSERT_EQ(p.host.MessageBoxes().size(), 1u);
        const fakes::ShownMessageBox& box = p.host.MessageBoxes()[0];
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.caption, L"Tandrel");
        EXPECT_EQ(box.flags, mb::kOk | mb::kIconExclamation);
        EXPECT_EQ(p.host.ItemText(D::kCascadeWidth), L"123");
        EXPECT_EQ(p.dialog.Values().cascadeWidth, 123);
        EXPECT_EQ(p.dialog.Values().cascadeHeight, Values{}.cascadeHeight);
        EXPECT_TRUE(p.OkEnabled());
    }
}

TEST(PreferencesDialog, FindKeepsTheEarlierOfTwoWindowsOfEqualArea) {
    Prefs first;
    first.Terminal(L"a", 400, 300);
    first.Terminal(L"b", 300, 400);
    first.Open();
    first.host.UserClicks(D::kFind);
    EXPECT_EQ(first.dialog.Values().cascadeWidth, 400);
    EXPECT_EQ(first.dialog.Values().cascadeHeight, 300);

    Prefs swapped;
    swapped.Terminal(L"b", 300, 400);
    swapped.Terminal(L"a", 400, 300);
    swapped.Open();
    swapped.host.UserClicks(D::kFind);
    EXPECT_EQ(swapped.dialog.Values().cascadeWidth, 300);
    EXPECT_EQ(swapped.dialog.Values().cascadeHeight, 400);
}

TEST(PreferencesDialog, CancelEndsWithCancelAfterAnyChange) {
    // Cancel, Escape and the close button all arrive as command 2; the main window then takes
    // nothing back.
    Prefs p;
    p.Terminal(L"web01", 800, 600);
    p.Open();
    p.host.UserSetsText(D::kTransition, L"999");
    p.host.UserClicks(D::kFind);
    p.host.UserClicks(mb::kIdCancel);
    ASSERT_TRUE(p.host.Ended());
    EXPECT_EQ(p.host.EndResult(), mb::kIdCancel);
}

}  // namespace
}  // namespace tandrel
