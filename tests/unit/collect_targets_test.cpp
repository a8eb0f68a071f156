// Target collection: which windows are collected and in which order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/desktop_variants.h"
#include "fakes/main_window_on.h"

namespace tandrel {
namespace {

using fakes::DialogOn;
using fakes::DialogOnFakeDesktop;
using fakes::RepeatingDesktop;
using fakes::RetitlingDesktop;

using Titles = std::vector<std::wstring>;

TEST(CollectTargets, SortsWholeTitlesByCodeUnitWhateverTheEnumerationOrder) {
    Titles enumeration = {L"b", L"B", L"a10", L"a9"};
    std::sort(enumeration.begin(), enumeration.end());
    do {
        DialogOnFakeDesktop t;
        for (const std::wstring& title : enumeration) t.desktop.AddWindow(L"PuTTY", title);
        t.dialog.CollectTargets();
        EXPECT_EQ(t.TargetTitles(), (Titles{L"B", L"a10", L"a9", L"b"}));
    } while (std::next_permutation(enumeration.begin(), enumeration.end()));
}

// UTF-16 order: a character beyond U+FFFF sorts by its surrogates, before U+E000 and above.
TEST(CollectTargets, OrdinalOrderKnowsNoLocale) {
    DialogOnFakeDesktop t;
    for (const wchar_t* title : {L"\uFFFD", L"\u00e9", L"a", L"\U0001F600", L"_", L"Z", L"1", L"", L"\uE000",
                                 L"\u00c9", L"\U0001F600!"}) {
        t.desktop.AddWindow(L"PuTTY", title);
    }
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"", L"1", L"Z", L"_", L"a", L"\u00c9", L"\u00e9", L"\U0001F600",
                                        L"\U0001F600!", L"\uE000", L"\uFFFD"}));
}

TEST(CollectTargets, TakesEveryTerminalClassAndNoOther) {
    DialogOnFakeDesktop t;
    for (const wchar_t* cls : {L"PuTTY", L"PuTTYtel", L"TuTTY", L"PieTTY"}) {
        t.desktop.AddWindow(cls, std::wstring(L"term ") + cls);
    }
    for (const wchar_t* cls : {L"putty", L"PUTTY", L"Putty", L"puttytel", L"PuTTYTel", L"tutty", L"PIETTY",
                               L"PuTTY ", L" PuTTY", L"PuTTYtelx", L"PuTT", L"", L"Notepad"}) {
        t.desktop.AddWindow(cls, std::wstring(L"decoy ") + cls);
    }
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"term PieTTY", L"term PuTTY", L"term PuTTYtel", L"term TuTTY"}));
}

TEST(CollectTargets, HiddenAndMinimisedWindowsAreCollected) {
    DialogOnFakeDesktop t;
    const WindowId hidden = t.desktop.AddWindow(L"PuTTY", L"web01");
    const WindowId minimised = t.desktop.AddWindow(L"PuTTY", L"web02");
    t.desktop.AddWindow(L"PuTTY", L"web03");
    t.desktop.Window(hidden).visible = false;
    t.desktop.Window(minimised).showState = sw::kShowMinimized;
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"web01", L"web02", L"web03"}));
    // Collecting only looks: nothing is sent, shown or focused.
    EXPECT_TRUE(t.desktop.Calls().empty());
    EXPECT_FALSE(t.desktop.Window(hidden).visible);
}

TEST(CollectTargets, UsesTheSelectedFilter) {
    DialogOnFakeDesktop t;
    for (const wchar_t* title : {L"web01", L"web-test", L"db1", L"Web02"})
        t.desktop.AddWindow(L"PuTTY", title);
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||+web*;-*test*", L"Db||db*"};
    t.dialog.selectedFilter = 1;
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"web01"}));
    t.dialog.selectedFilter = 2;
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"db1"}));
    t.dialog.selectedFilter = 0;
    t.dialog.CollectTargets();
    EXPECT_EQ(t.TargetTitles(), (Titles{L"Web02", L"db1", L"web-test", L"web01"}));
}

TEST(CollectTargets, ExitingOrMeasuringCollectsEveryTerminalWindow) {
    for (const bool exiting : {true, false}) {
        DialogOnFakeDesktop t;
        for (const wchar_t* title : {L"old01", L"web01", L""}) t.desktop.AddWindow(L"TuTTY", title);
        t.desktop.AddWindow(L"putty", L"old02");
        t.dialog.filterList = {L"All PuTTYs||+*", L"Old||-*old*", L"None"};
        t.dialog.selectedFilter = 1;
        t.dialog.CollectTargets();
        EXPECT_TRUE(t.dialog.TargetList.empty());

        const auto collect = [&] {
            if (exiting)
                t.dialog.CollectTargets();
            else
                t.dialog.CollectEveryTerminalWindow();
        };
        t.dialog.isExiting = exiting;
        collect();
        EXPECT_EQ(t.TargetTitles(), (Titles{L"", L"old01", L"web01"}));
        t.dialog.selectedFilter = 2;
        collect();
        EXPECT_EQ(t.TargetTitles(), (Titles{L"", L"old01", L"web01"}));
    }
}

TEST(CollectTargets, ASelectedIndexThatNamesNoFilterCollectsNothing) {
    for (const std::int32_t index : {-1, 2, 100}) {
        DialogOnFakeDesktop t;
        t.desktop.AddWindow(L"PuTTY", L"web01");
        t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
        t.dialog.selectedFilter = index;
        t.dialog.CollectTargets();
        EXPECT_TRUE(t.dialog.TargetList.empty()) << index;
        t.dialog.isExiting = true;
        t.dialog.CollectTargets();
        EXPECT_EQ(t.TargetTitles(), (Titles{L"web01"})) << index;
    }
    DialogOnFakeDesktop empty;
    empty.desktop.AddWindow(L"PuTTY", L"web01");
    empty.dialog.filterList.clear();
    empty.dialog.CollectTargets();
    EXPECT_TRUE(empty.dialog.TargetList.empty());
}

TEST(CollectTargets, WindowsWithTheSameTitleBothAppearSideBySide) {
    DialogOnFakeDesktop t;
    const WindowId first = t.desktop.AddWindow(L"PuTTY", L"web01");
    t.desktop.AddWindow(L"PuTTY", L"web00");
    t.desktop.AddWindow(L"PuTTY", L"web02");
    const WindowId second = t.desktop.AddWindow(L"PieTTY", L"web01");
    t.dialog.CollectTargets();
    ASSERT_EQ(t.TargetTitles(), (Titles{L"web00", L"web01", L"web01", L"web02"}));
    const std::vector<WindowId> middle(t.dialog.TargetList.begin() + 1, t.dialog.TargetList.begin() + 3);
    EXPECT_TRUE(middle == (std::vector<WindowId>{first, second}) ||
                middle == (std::vector<WindowId>{second, first}));
}

TEST(CollectTargets, EveryCollectionStartsAfresh) {
    DialogOnFakeDesktop t;
    t.dialog.TargetList = {77, 78};
    t.dialog.CollectTargets();
    EXPECT_TRUE(t.dialog.TargetList.empty());

    const WindowId a = t.desktop.AddWindow(L"PuTTY", L"a");
    const WindowId b = t.desktop.AddWindow(L"PuTTY", L"b");
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList, (std::vector<WindowId>{a, b}));
    t.desktop.Window(a).title = L"c";
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList, (std::vector<WindowId>{b, a}));
    t.desktop.Window(b).className = L"Closed";
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList, (std::vector<WindowId>{a}));
}

TEST(CollectTargets, FiltersOnTheFirst299UnitsAndSortsOnWholeTitles) {
    DialogOnFakeDesktop t;
    const std::wstring head(299, L'x');
    t.desktop.AddWindow(L"PuTTY", head + L"tail");
    t.dialog.filterList = {L"All PuTTYs||+*", L"Tail||+*tail", L"Head||+x*;-*t*"};
    t.dialog.selectedFilter = 1;
    t.dialog.CollectTargets();
    EXPECT_TRUE(t.dialog.TargetList.empty());
    t.dialog.selectedFilter = 2;
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList.size(), 1u);
    t.desktop.Window(t.dialog.TargetList[0]).title = std::wstring(298, L'x') + L"tail";
    t.dialog.CollectTargets();
    EXPECT_TRUE(t.dialog.TargetList.empty());

    // Titles alike far past the filtering buffer (and past any first guess at a title's
    // length) still sort by the units where they differ.
    DialogOnFakeDesktop s;
    for (const std::size_t common : {350u, 600u, 1500u}) {
        const std::wstring same(common, L'x');
        s.desktop.AddWindow(L"PuTTY", same + L"b");
        s.desktop.AddWindow(L"PuTTY", same + L"a");
        s.desktop.AddWindow(L"PuTTY", same + L"c");
        s.dialog.CollectTargets();
        EXPECT_EQ(s.TargetTitles(), (Titles{same + L"a", same + L"b", same + L"c"})) << common;
        s.desktop.EndProcess(100, 0);  // every fake window belongs to process 100
    }
}

TEST(CollectTargets, TitlesChangingWhileCollectingStillGiveEveryWindowOnce) {
    DialogOn<RetitlingDesktop> t;
    std::vector<WindowId> all;
    for (int i = 0; i < 60; ++i) all.push_back(t.desktop.AddWindow(L"PuTTY", L"start"));
    t.dialog.CollectTargets();
    std::vector<WindowId> collected = t.dialog.TargetList;
    std::sort(collected.begin(), collected.end());
    EXPECT_EQ(collected, all);
}

TEST(CollectTargets, AWindowListedTwiceIsCollectedOnce) {
    DialogOn<RepeatingDesktop> t;
    const WindowId a = t.desktop.AddWindow(L"PuTTY", L"a");
    const WindowId b = t.desktop.AddWindow(L"PuTTY", L"b");
    t.dialog.CollectTargets();
    EXPECT_EQ(t.dialog.TargetList, (std::vector<WindowId>{a, b}));
}

}  // namespace
}  // namespace tandrel
