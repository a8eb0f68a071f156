// Cascade and Tile: every target through the placement sequence, at its computed place.
#include <algorithm>
#include <vector>

#include "arrange/arrange.h"

namespace tandrel {

void CascadeWindows(IWindowSystem& windows, const std::vector<WindowId>& targets, int step, int width,
                    int height, const PassedOver& passedOver) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Placement p = CascadePlacement(i, step, width, height);
        if (!PlaceWindow(windows, targets[i], p.x, p.y, p.width, p.height))
            passedOver(targets[i]);
    }
}

void TileWindows(IWindowSystem& windows, const std::vector<WindowId>& targets, const PassedOver& passedOver) {
    if (targets.empty())
        return;
    const int fullWidth = windows.Metric(sm::kCxFullScreen);
    const int fullHeight = windows.Metric(sm::kCyFullScreen);
    const int screenWidth = windows.Metric(sm::kCxScreen);
    const int screenHeight = windows.Metric(sm::kCyScreen);
    const std::vector<Placement> cells = TilePlacements(targets.size(), fullWidth, fullHeight);
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Placement& p = cells[i];
        // A window that Tandrel sizes itself is given its cell, within the screen (Wine's
        // full-screen height may exceed the screen's).
        const Rect cell{p.x, p.y, std::min(p.x + p.width, screenWidth),
                        std::min(p.y + p.height + kTileHeightReserve, screenHeight)};
        if (!PlaceWindow(windows, targets[i], p.x, p.y, p.width, p.height, &cell))
            passedOver(targets[i]);
    }
}

}  // namespace tandrel
