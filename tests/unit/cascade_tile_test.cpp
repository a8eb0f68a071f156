// Cascade and Tile on the fake desktop: the exact message trace, where each window ends up,
// terminals that fit themselves and terminals that have to be sized, hung terminals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/desktop_variants.h"
#include "arrange_fixture.h"

namespace tandrel {
namespace {

using fakes::FakeWindow;
using fakes::HangsOnSizeDesktop;

using Trace = std::vector<std::string>;

// Outer rectangle of a window that was given the client size: the fake frame is 8 by 30.
Rect Outer(int x, int y, int clientWidth, int clientHeight) {
    return Rect{x, y, x + clientWidth + 8, y + clientHeight + 30};
}

TEST(CascadeTargets, SendsTheEightStepsToEachTargetInTitleOrderThenRestoresTheFocus) {
    ArrangeOn<> t;
    const WindowId b = t.Terminal(L"web02");
    const WindowId a = t.Terminal(L"web01");
    t.desktop.ClearCalls();

    t.dialog.CascadeTargets();

    Trace expected = PlacementSteps(a, 18, 18, 642, 386);
    Append(expected, PlacementSteps(b, 36, 36, 642, 386));
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.host.DefaultButton(), 1024);
    EXPECT_EQ(t.host.FocusedItem(), 1011);
}

TEST(CascadeTargets, ElevenWindowsLandAtTheirPlacesWithTheCascadeSizeAndTheLastOnTop) {
    ArrangeOn<> t;
    t.desktop.SetMetric(sm::kCySize, 18);
    t.desktop.SetMetric(sm::kCxFullScreen, 300);  // the screen plays no part in a cascade
    t.desktop.SetMetric(sm::kCyFullScreen, 200);
    t.dialog.settings.cascadeWidth = 500;
    t.dialog.settings.cascadeHeight = 300;
    std::vector<WindowId> windows;
    for (const wchar_t* title : {L"h", L"c", L"k", L"a", L"e", L"i", L"b", L"g", L"d", L"j", L"f"})
        windows.push_back(t.Terminal(title));
    const WindowId decoy = t.desktop.AddWindow(L"Notepad", L"a note");

    t.dialog.CascadeTargets();

    ASSERT_EQ(t.dialog.TargetList.size(), 11u);
    for (std::size_t i = 0; i < 11; ++i) {
        const FakeWindow& w = t.desktop.Window(t.dialog.TargetList[i]);
        const int x = i < 10 ? 18 * static_cast<int>(i + 1) : 162;
        const int y = i < 10 ? 18 * static_cast<int>(i + 1) : 18;
        EXPECT_EQ(w.rect, Outer(x, y, 500, 300)) << "window " << i;
        EXPECT_TRUE(w.visible);
        EXPECT_EQ(w.showState, sw::kShowNormal);
    }
    EXPECT_EQ(t.desktop.Window(t.dialog.TargetList[10]).title, L"k");
    EXPECT_EQ(t.ZOrder().front(), t.dialog.TargetList.back());
    EXPECT_TRUE(t.desktop.Window(decoy).messages.empty());
}

TEST(CascadeTargets, OnlyTheSelectedFilterIsArrangedAndHiddenOrMinimisedOnesComeBack) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
    t.dialog.selectedFilter = 1;
    const WindowId hidden = t.Terminal(L"web01");
    const WindowId minimised = t.Terminal(L"web02");
    const WindowId other = t.Terminal(L"db01");
    t.desktop.Window(hidden).visible = false;
    t.desktop.Window(minimised).showState = sw::kShowMinimized;

    t.dialog.CascadeTargets();

    for (WindowId w : {hidden, minimised}) {
        EXPECT_TRUE(t.desktop.Window(w).visible);
        EXPECT_EQ(t.desktop.Window(w).showState, sw::kShowNormal);
    }
    EXPECT_EQ(t.desktop.Window(hidden).rect, Outer(18, 18, 642, 386));
    EXPECT_EQ(t.desktop.Window(minimised).rect, Outer(36, 36, 642, 386));
    EXPECT_TRUE(t.desktop.Window(other).messages.empty());
    EXPECT_EQ(t.desktop.Window(other).rect, (Rect{0, 0, 400, 300}));
}

TEST(CascadeTargets, ATerminalThatIgnoresTheAnnouncedSizeIsSizedDirectly) {
    ArrangeOn<> t;
    const WindowId fits = t.Terminal(L"a-fits");
    const WindowId ignores = t.Terminal(L"b-ignores");
    t.desktop.Window(ignores).fitsAnnouncedSize = false;
    t.desktop.ClearCalls();

    t.dialog.CascadeTargets();

    Trace expected = PlacementSteps(fits, 18, 18, 642, 386);
    Append(expected, PlacementSteps(ignores, 36, 36, 642, 386));
    expected.push_back("size-client " + std::to_string(ignores) + " 642 386");
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.desktop.Window(fits).rect, Outer(18, 18, 642, 386));
    EXPECT_EQ(t.desktop.Window(ignores).rect, Outer(36, 36, 642, 386));
}

TEST(CascadeTargets, NoTargetOnlyRestoresTheFocus) {
    ArrangeOn<> t;
    t.desktop.AddWindow(L"putty", L"not a terminal class");
    t.desktop.ClearCalls();
    t.dialog.CascadeTargets();
    EXPECT_EQ(t.Trace(), (Trace{t.RestoredFocus()}));
}

TEST(CascadeTargets, AHungTerminalIsPassedOverNeverHiddenAndNamedAndASlowOneIsPlaced) {
    ArrangeOn<> t;
    const WindowId hung = t.Terminal(L"a-hung");
    const WindowId slow = t.Terminal(L"b-slow");
    t.desktop.Window(hung).hung = true;
    t.desktop.Window(slow).answerDelayMs = 1500;
    t.desktop.Window(slow).visible = false;
    t.desktop.ClearCalls();

    t.dialog.CascadeTargets();

    Trace expected = {"send " + std::to_string(hung) + " 0x112 0xf120 0"};
    // The next window keeps its place in the list: the second position.
    Append(expected, PlacementSteps(slow, 36, 36, 642, 386));
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_TRUE(t.desktop.Window(hung).visible);
    EXPECT_TRUE(t.desktop.Window(slow).visible);
    EXPECT_EQ(t.desktop.Window(slow).showState, sw::kShowNormal);
    EXPECT_EQ(t.desktop.Window(slow).rect, Outer(36, 36, 642, 386));
    ASSERT_EQ(t.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(t.host.MessageBoxes()[0].text,
              L"These terminal windows missed the cascade:\n\na-hung: did not answer");
    EXPECT_EQ(t.host.MessageBoxes()[0].caption, L"Tandrel");
}

TEST(CascadeTargets, ATerminalThatHangsHalfwayIsShownAgainAndLeftAlone) {
    ArrangeOn<HangsOnSizeDesktop> t;
    const WindowId w = t.Terminal(L"web01");
    t.desktop.ClearCalls();

    t.dialog.CascadeTargets();

    Trace steps = PlacementSteps(w, 18, 18, 642, 386);
    Trace expected(steps.begin(), steps.begin() + 5);  // up to the size message, unanswered
    expected.push_back("show " + std::to_string(w) + " 5");
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    // Hidden while it hangs; the show waits in its queue and brings it back once it answers.
    EXPECT_FALSE(t.desktop.IsVisible(w));
    t.desktop.Window(w).hung = false;
    EXPECT_TRUE(t.desktop.IsVisible(w));
    EXPECT_EQ(t.host.MessageBoxes().size(), 1u);
}

TEST(CascadeTargets, SizesThatCannotBeGivenDirectlyAreOnlyAnnounced) {
    // A hand-edited profile may hold any number; the size message cuts it to 16 bits.
    ArrangeOn<> t;
    const WindowId w = t.Terminal(L"web01");
    t.desktop.Window(w).fitsAnnouncedSize = false;
    t.dialog.settings.cascadeWidth = -5;
    t.dialog.settings.cascadeHeight = 70000;
    t.desktop.ClearCalls();

    t.dialog.CascadeTargets();

    Trace expected = PlacementSteps(w, 18, 18, -5, 70000);
    EXPECT_EQ(expected[4],
              "send " + std::to_string(w) + " 0x5 0x0 " + std::to_string((4464LL << 16) | 65531));
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
}

TEST(TileTargets, FiveWindowsOnTwelveEightyByNineNinetyFour) {
    ArrangeOn<> t;
    t.desktop.SetMetric(sm::kCxFullScreen, 1280);
    t.desktop.SetMetric(sm::kCyFullScreen, 994);
    const wchar_t* titles[] = {L"t1", L"t2", L"t3", L"t4", L"t5"};
    std::vector<WindowId> windows;
    for (const wchar_t* title : titles) windows.push_back(t.Terminal(title));
    t.desktop.Window(windows[4]).fitsAnnouncedSize = false;
    t.desktop.SetMetric(sm::kCyScreen, 980);
    t.desktop.ClearCalls();

    t.dialog.TileTargets();

    const Rect places[] = {{0, 0}, {640, 0}, {0, 331}, {640, 331}, {0, 662}};
    Trace expected;
    for (std::size_t i = 0; i < 5; ++i) {
        Append(expected, PlacementSteps(windows[i], places[i].left, places[i].top, 640, 311));
        // The one that did not fit itself is sized whole to its cell, frame and all, within the
        // screen.
        if (i == 4)
            expected.push_back("place " + std::to_string(windows[i]) + " 0 0 0 640 318 0x16");
        EXPECT_EQ(t.desktop.Window(windows[i]).rect,
                  i == 4 ? (Rect{0, 662, 640, 980}) : Outer(places[i].left, places[i].top, 640, 311));
    }
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.ZOrder().front(), windows[4]);
    EXPECT_TRUE(t.host.MessageBoxes().empty());  // every window placed: nothing to say
}

TEST(TileTargets, OneWindowTakesTheWholeFullScreenAreaLessTwentyInHeight) {
    ArrangeOn<> t;
    t.desktop.SetMetric(sm::kCxFullScreen, 1920);
    t.desktop.SetMetric(sm::kCyFullScreen, 1050);
    const WindowId w = t.Terminal(L"only");
    t.desktop.ClearCalls();

    t.dialog.TileTargets();

    Trace expected = PlacementSteps(w, 0, 0, 1920, 1030);
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.desktop.Window(w).clientWidth, 1920);
    EXPECT_EQ(t.desktop.Window(w).clientHeight, 1030);
}

TEST(TileTargets, NoTargetOnlyRestoresTheFocus) {
    ArrangeOn<> t;
    t.desktop.SetMetric(sm::kCxFullScreen, 0);  // no division by an empty grid either way
    t.desktop.ClearCalls();
    t.dialog.TileTargets();
    EXPECT_EQ(t.Trace(), (Trace{t.RestoredFocus()}));
}

}  // namespace
}  // namespace tandrel
