// A change of filter: the selection is stored, and the automatic arrangement runs as the
// settings say.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "arrange_fixture.h"

namespace tandrel {
namespace {

using Trace = std::vector<std::string>;

constexpr int kFilterCombo = 1001;

// Three filters in the combo box; web01 and web02 pass "Web", db01 passes "Db".
struct FilterDesk : ArrangeOn<> {
    WindowId db = Terminal(L"db01");
    WindowId web1 = Terminal(L"web01");
    WindowId web2 = Terminal(L"web02");

    FilterDesk() {
        dialog.filterList = {L"All PuTTYs||+*", L"Db||db*", L"Web||web*"};
        for (const wchar_t* name : {L"All PuTTYs", L"Db", L"Web"}) host.AddListItem(kFilterCombo, name);
        host.SelectListItem(kFilterCombo, 1);
        dialog.selectedFilter = 1;
        desktop.ClearCalls();
    }

    void Choose(int index) {
        host.SelectListItem(kFilterCombo, index);
        dialog.FilterSelectionChanged();
    }

    // Where in the trace a call first appears.
    std::size_t At(const std::string& call) const {
        const std::vector<std::string> trace = ArrangeOn<>::Trace();
        return static_cast<std::size_t>(std::find(trace.begin(), trace.end(), call) - trace.begin());
    }
};

std::string Minimise(WindowId w) {
    return "send " + std::to_string(w) + " 0x112 0xf020 0";
}

TEST(FilterSelectionChanged, WithAutoArrangeOffOnlyTheSelectionChanges) {
    for (const std::int32_t off : {1, 0, 4, -1}) {
        for (const std::int32_t autoMinimize : {0, 1}) {
            FilterDesk t;
            t.dialog.settings.autoArrange = off;
            t.dialog.settings.autoMinimize = autoMinimize;
            t.Choose(2);
            EXPECT_EQ(t.dialog.selectedFilter, 2);
            EXPECT_EQ(t.Trace(), (Trace{t.RestoredFocus()})) << off << " " << autoMinimize;
        }
    }
}

TEST(FilterSelectionChanged, CascadeArrangesTheNewSelectionOnly) {
    FilterDesk t;
    t.dialog.settings.autoArrange = 2;

    t.Choose(2);

    Trace expected = PlacementSteps(t.web1, 18, 18, 642, 386);
    Append(expected, PlacementSteps(t.web2, 36, 36, 642, 386));
    expected.push_back(t.RestoredFocus());  // the cascade's own
    expected.push_back(t.RestoredFocus());  // the change of filter's
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.dialog.selectedFilter, 2);
    EXPECT_EQ(t.desktop.SleptMs(), 0u);
}

TEST(FilterSelectionChanged, TileArrangesTheNewSelectionOnly) {
    FilterDesk t;
    t.dialog.settings.autoArrange = 3;

    t.Choose(2);

    Trace expected = PlacementSteps(t.web1, 0, 0, 1280, 477);
    Append(expected, PlacementSteps(t.web2, 0, 497, 1280, 477));
    expected.push_back(t.RestoredFocus());
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_TRUE(t.desktop.Window(t.db).messages.empty());
}

TEST(FilterSelectionChanged, WithAutoMinimizeTheFirstFiltersWindowsAreMinimisedThenAfter250MsTiled) {
    FilterDesk t;
    t.dialog.settings.autoArrange = 3;
    t.dialog.settings.autoMinimize = 1;

    t.Choose(2);

    Trace expected = {Minimise(t.db), Minimise(t.web1), Minimise(t.web2), t.RestoredFocus(), "sleep 250"};
    Append(expected, PlacementSteps(t.web1, 0, 0, 1280, 477));
    Append(expected, PlacementSteps(t.web2, 0, 497, 1280, 477));
    expected.push_back(t.RestoredFocus());
    expected.push_back(t.RestoredFocus());
    EXPECT_EQ(t.Trace(), expected);
    EXPECT_EQ(t.desktop.SleptMs(), 250u);
    EXPECT_EQ(t.dialog.selectedFilter, 2);
    // The others stay minimised; the new selection is tiled and shown.
    EXPECT_EQ(t.desktop.Window(t.db).showState, sw::kShowMinimized);
    for (WindowId w : {t.web1, t.web2}) {
        EXPECT_EQ(t.desktop.Window(w).showState, sw::kShowNormal);
        EXPECT_TRUE(t.desktop.Window(w).visible);
    }
}

TEST(FilterSelectionChanged, WithAutoMinimizeTheCascadeFollowsThePauseToo) {
    FilterDesk t;
    t.dialog.settings.autoArrange = 2;
    t.dialog.settings.autoMinimize = 7;  // any non-zero value

    t.Choose(1);

    EXPECT_LT(t.At(Minimise(t.web2)), t.At("sleep 250"));
    EXPECT_LT(t.At("sleep 250"), t.At(PlacementSteps(t.db, 18, 18, 642, 386)[0]));
    EXPECT_EQ(t.desktop.Window(t.db).showState, sw::kShowNormal);
    EXPECT_EQ(t.desktop.Window(t.web1).showState, sw::kShowMinimized);
    EXPECT_EQ(t.dialog.selectedFilter, 1);
}

TEST(FilterSelectionChanged, TheMinimisingTakesTheFirstFilterWhateverItSays) {
    FilterDesk t;
    t.dialog.filterList[0] = L"Db first||db*";
    t.dialog.settings.autoArrange = 3;
    t.dialog.settings.autoMinimize = 1;

    t.Choose(2);

    EXPECT_EQ(t.desktop.Window(t.db).showState, sw::kShowMinimized);
    EXPECT_EQ(t.desktop.CallsStartingWith(Minimise(t.web1)).size(), 1u);  // the tile's own only
}

TEST(FilterSelectionChanged, AComboBoxWithoutASelectionKeepsTheSelectedFilter) {
    FilterDesk t;
    t.dialog.settings.autoArrange = 2;
    t.Choose(-1);
    EXPECT_EQ(t.dialog.selectedFilter, 1);
    // The arrangement runs under the filter that stays selected.
    EXPECT_EQ(t.desktop.Window(t.db).rect.left, 18);
    EXPECT_TRUE(t.desktop.Window(t.web1).messages.empty());
}

}  // namespace
}  // namespace tandrel
