// Minimize, Hide, the unhiding at exit and Find's collection of every terminal window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrange_fixture.h"

namespace tandrel {
namespace {

using Trace = std::vector<std::string>;

std::string N(WindowId w) {
    return std::to_string(w);
}

TEST(MinimizeTargets, ShowsAHiddenWindowFirstThenMinimisesEveryTarget) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
    t.dialog.selectedFilter = 1;
    const WindowId shown = t.Terminal(L"web01");
    const WindowId hidden = t.Terminal(L"web02");
    const WindowId other = t.Terminal(L"db01");
    t.desktop.Window(hidden).visible = false;
    t.desktop.ClearCalls();

    t.dialog.MinimizeTargets();

    EXPECT_EQ(t.Trace(), (Trace{"send " + N(shown) + " 0x112 0xf020 0", "show " + N(hidden) + " 5",
                                "send " + N(hidden) + " 0x112 0xf020 0", t.RestoredFocus()}));
    for (WindowId w : {shown, hidden}) {
        EXPECT_TRUE(t.desktop.Window(w).visible);
        EXPECT_EQ(t.desktop.Window(w).showState, sw::kShowMinimized);
    }
    EXPECT_EQ(t.desktop.Window(other).showState, sw::kShowNormal);
}

TEST(MinimizeTargets, NoTargetOnlyRestoresTheFocus) {
    ArrangeOn<> t;
    t.desktop.ClearCalls();
    t.dialog.MinimizeTargets();
    EXPECT_EQ(t.Trace(), (Trace{t.RestoredFocus()}));
}

TEST(HideTargets, HidesVisibleAndMinimisedTargetsAndPassesOverInvisibleOnes) {
    ArrangeOn<> t;
    const WindowId normal = t.Terminal(L"a");
    const WindowId minimised = t.Terminal(L"b");
    const WindowId hidden = t.Terminal(L"c");
    t.desktop.Window(minimised).showState = sw::kShowMinimized;
    t.desktop.Window(hidden).visible = false;
    t.desktop.ClearCalls();

    t.dialog.HideTargets();

    EXPECT_EQ(t.Trace(),
              (Trace{"show " + N(normal) + " 0", "show " + N(minimised) + " 0", t.RestoredFocus()}));
    for (WindowId w : {normal, minimised, hidden}) EXPECT_FALSE(t.desktop.Window(w).visible);
}

TEST(HideTargets, HiddenWindowsStayInLaterCollectionsAndCascadeBringsThemBack) {
    ArrangeOn<> t;
    const WindowId w = t.Terminal(L"web01");
    t.dialog.HideTargets();
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList, (std::vector<WindowId>{w}));
    t.dialog.CascadeTargets();
    EXPECT_TRUE(t.desktop.Window(w).visible);
}

TEST(UnhideTargetsAtExit, ShowsEveryHiddenTerminalWindowWhateverTheFilter) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
    t.dialog.selectedFilter = 1;
    const WindowId hiddenElsewhere = t.Terminal(L"db01");  // hidden by Hide under another filter
    const WindowId hiddenHere = t.Terminal(L"web01");
    const WindowId minimised = t.Terminal(L"web02");
    const WindowId visible = t.Terminal(L"web03");
    const WindowId busy = t.Terminal(L"web04");  // its hide still waits in its queue
    const WindowId decoy = t.desktop.AddWindow(L"Notepad", L"hidden note");
    for (WindowId w : {hiddenElsewhere, hiddenHere, decoy}) t.desktop.Window(w).visible = false;
    t.desktop.Window(minimised).showState = sw::kShowMinimized;
    t.desktop.Window(busy).hung = true;
    t.desktop.Show(busy, sw::kHide);
    t.desktop.ClearCalls();

    t.dialog.UnhideTargetsAtExit();

    EXPECT_TRUE(t.dialog.isExiting);
    // Each terminal is asked first whether it has handled what it was sent; only the hidden ones
    // and the one that does not answer are shown, and nothing else is touched, not even the focus.
    Trace expected;
    for (WindowId w : {hiddenElsewhere, hiddenHere, minimised, visible, busy}) {
        expected.push_back("send " + N(w) + " 0x0 0x0 0");
        if (w != minimised && w != visible)
            expected.push_back("show " + N(w) + " 5");
    }
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.desktop.Window(minimised).showState, sw::kShowMinimized);
    EXPECT_EQ(t.desktop.Window(visible).messages, (std::vector<std::string>{"0x0 0x0 0"}));
    t.desktop.Window(busy).hung = false;
    EXPECT_TRUE(t.desktop.IsVisible(busy));
    EXPECT_FALSE(t.desktop.Window(decoy).visible);
    // The selected filter is left as it was, for the settings saved after this.
    EXPECT_EQ(t.dialog.selectedFilter, 1);
}

TEST(UnhideTargetsAtExit, WithUnhideOnExitClearOnlyMarksTheExit) {
    ArrangeOn<> t;
    t.dialog.settings.unhideOnExit = 0;
    const WindowId hidden = t.Terminal(L"web01");
    t.desktop.Window(hidden).visible = false;
    t.desktop.ClearCalls();

    t.dialog.UnhideTargetsAtExit();

    EXPECT_TRUE(t.dialog.isExiting);
    EXPECT_TRUE(t.Trace().empty());
    EXPECT_FALSE(t.desktop.Window(hidden).visible);
}

TEST(CollectEveryTerminalWindow, CollectsEveryTerminalWhateverFilterIsSelected) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"None||-*"};
    t.dialog.selectedFilter = 1;
    const WindowId b = t.Terminal(L"web02");
    const WindowId a = t.Terminal(L"web01");
    const WindowId hidden = t.Terminal(L"web03");
    t.desktop.Window(hidden).visible = false;
    t.desktop.AddWindow(L"Notepad", L"web00");

    const std::vector<WindowId>& found = t.dialog.CollectEveryTerminalWindow();

    EXPECT_EQ(found, (std::vector<WindowId>{a, b, hidden}));
    EXPECT_EQ(&found, &t.dialog.TargetList);
    EXPECT_EQ(t.dialog.selectedFilter, 1);
    // Measuring only looks.
    EXPECT_TRUE(t.Trace().empty());

    // The next collection is under the selected filter again.
    t.dialog.CollectTargets();
    EXPECT_TRUE(t.dialog.TargetList.empty());
}

}  // namespace
}  // namespace tandrel
