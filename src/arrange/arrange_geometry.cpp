#include "arrange/arrange_geometry.h"

namespace tandrel {

namespace {
constexpr std::size_t kCascadeGroup = 10;
constexpr int kGroupShift = 8;  // steps between the first windows of two groups
constexpr std::size_t kTilesPerColumn = 4;
}  // namespace

Placement CascadePlacement(std::size_t index, int step, int width, int height) {
    const int group = static_cast<int>(index / kCascadeGroup);
    const int inGroup = static_cast<int>(index % kCascadeGroup);
    return Placement{step * (1 + kGroupShift * group + inGroup), step * (1 + inGroup), width, height};
}

TileGrid TileGridFor(std::size_t count) {
    if (count == 0)
        return TileGrid{};
    const std::size_t columns = count / kTilesPerColumn + (count % kTilesPerColumn != 0 ? 1 : 0);
    const std::size_t rows = count / columns + (count % columns != 0 ? 1 : 0);
    return TileGrid{static_cast<int>(columns), static_cast<int>(rows)};
}

std::vector<Placement> TilePlacements(std::size_t count, int fullWidth, int fullHeight) {
    std::vector<Placement> cells;
    if (count == 0)
        return cells;
    const TileGrid grid = TileGridFor(count);
    const int cellWidth = fullWidth / grid.columns;
    const int cellHeight = fullHeight / grid.rows;
    const auto columns = static_cast<std::size_t>(grid.columns);
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        cells.push_back(Placement{static_cast<int>(i % columns) * cellWidth,
                                  static_cast<int>(i / columns) * cellHeight, cellWidth,
                                  cellHeight - kTileHeightReserve});
    }
    return cells;
}

}  // namespace tandrel
