// Where Cascade and Tile put the windows: the positions, the grid and the announced sizes.
#include <gtest/gtest.h>

#include <vector>

#include "arrange/arrange_geometry.h"

namespace tandrel {
namespace {

TEST(CascadePlacement, ElevenWindowsInStepsOfEighteen) {
    const std::vector<Placement> expected = {
        {18, 18, 642, 386},   {36, 36, 642, 386},   {54, 54, 642, 386},   {72, 72, 642, 386},
        {90, 90, 642, 386},   {108, 108, 642, 386}, {126, 126, 642, 386}, {144, 144, 642, 386},
        {162, 162, 642, 386}, {180, 180, 642, 386}, {162, 18, 642, 386},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(CascadePlacement(i, 18, 642, 386), expected[i]) << "window " << i;
    }
}

TEST(CascadePlacement, EveryGroupOfTenStartsAtTheTopEightStepsFurtherRight) {
    // Group k starts at x = s(1 + 8k), one step left of the previous group's last window.
    EXPECT_EQ(CascadePlacement(20, 18, 1, 1), (Placement{306, 18, 1, 1}));
    EXPECT_EQ(CascadePlacement(29, 18, 1, 1), (Placement{468, 180, 1, 1}));
    EXPECT_EQ(CascadePlacement(30, 20, 1, 1), (Placement{500, 20, 1, 1}));
    EXPECT_EQ(CascadePlacement(19, 18, 1, 1).x - CascadePlacement(20, 18, 1, 1).x, 18);
}

TEST(CascadePlacement, AnnouncesTheCascadeSizeWhateverThePosition) {
    for (std::size_t i : {0u, 9u, 10u, 57u}) {
        const Placement p = CascadePlacement(i, 25, 98, 802);
        EXPECT_EQ(p.width, 98);
        EXPECT_EQ(p.height, 802);
    }
}

TEST(TileGridFor, ColumnsOfAtMostFourAndTheRowsTheyNeed) {
    struct Row {
        std::size_t count;
        TileGrid grid;
    };
    const Row table[] = {
        {1, {1, 1}},  {2, {1, 2}},  {3, {1, 3}},  {4, {1, 4}},  {5, {2, 3}},  {6, {2, 3}},  {7, {2, 4}},
        {8, {2, 4}},  {9, {3, 3}},  {10, {3, 4}}, {11, {3, 4}}, {12, {3, 4}}, {13, {4, 4}}, {14, {4, 4}},
        {15, {4, 4}}, {16, {4, 4}}, {17, {5, 4}}, {18, {5, 4}}, {19, {5, 4}}, {20, {5, 4}},
    };
    for (const Row& r : table) {
        const TileGrid g = TileGridFor(r.count);
        EXPECT_EQ(g, r.grid) << r.count << " windows: " << g.columns << " x " << g.rows;
        EXPECT_GE(g.columns * g.rows, static_cast<int>(r.count));
    }
}

TEST(TilePlacements, FiveWindowsOnTwelveEightyByNineNinetyFour) {
    const std::vector<Placement> expected = {
        {0, 0, 640, 311}, {640, 0, 640, 311}, {0, 331, 640, 311}, {640, 331, 640, 311}, {0, 662, 640, 311},
    };
    EXPECT_EQ(TilePlacements(5, 1280, 994), expected);
}

TEST(TilePlacements, OneWindowTakesTheWholeAreaLessTwentyInHeight) {
    EXPECT_EQ(TilePlacements(1, 1280, 994), (std::vector<Placement>{{0, 0, 1280, 974}}));
}

TEST(TilePlacements, RemaindersAreDroppedAndRowsFillLeftToRight) {
    // 10 windows: 3 columns by 4 rows over 1000 by 801: cells of 333 by 200.
    const std::vector<Placement> cells = TilePlacements(10, 1000, 801);
    ASSERT_EQ(cells.size(), 10u);
    EXPECT_EQ(cells[0], (Placement{0, 0, 333, 180}));
    EXPECT_EQ(cells[2], (Placement{666, 0, 333, 180}));
    EXPECT_EQ(cells[3], (Placement{0, 200, 333, 180}));
    EXPECT_EQ(cells[9], (Placement{0, 600, 333, 180}));
}

TEST(TilePlacements, NoWindowNoCell) {
    EXPECT_TRUE(TilePlacements(0, 1280, 994).empty());
    EXPECT_EQ(TileGridFor(0), (TileGrid{0, 0}));
}

}  // namespace
}  // namespace tandrel
