// Where Cascade and Tile put each window of the target list, and the size they announce to it.
// Pure arithmetic: the metrics come in as numbers, so every table can be checked on its own.
#pragma once
#include <cstddef>
#include <vector>

namespace tandrel {

// A window's new place (screen coordinates of its outer top-left corner) and the client size
// announced to it.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

// Cascade: groups of ten going down and to the right in steps of `step` (the caption button
// height); each group starts again at the top, one step left of the previous group's last one.
Placement CascadePlacement(std::size_t index, int step, int width, int height);

// Tile: at most four windows per column; as many rows as the columns need.
struct TileGrid {
    int columns = 0;
    int rows = 0;
    bool operator==(const TileGrid&) const = default;
};
TileGrid TileGridFor(std::size_t count);

// The announced height of a tile is its cell's height less this, so that the frame a terminal
// adds around the client area stays inside the cell.
inline constexpr int kTileHeightReserve = 20;

// Every cell of the grid for `count` windows over a full-screen client area of `fullWidth` by
// `fullHeight`, filled row by row from the top-left corner. Empty for no window.
std::vector<Placement> TilePlacements(std::size_t count, int fullWidth, int fullHeight);

}  // namespace tandrel
