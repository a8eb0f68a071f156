// Cascade and Tile: every target through the placement sequence, at its computed place.
#include <vector>

#include "arrange/arrange_geometry.h"
#include "ui/main_dialog.h"

namespace tandrel {

void CMainDialog::CascadeTargets() {
    const int step = platform.windows.Metric(sm::kCySize);
    CollectTargets();
    for (std::size_t i = 0; i < TargetList.size(); ++i) {
        const Placement p = CascadePlacement(i, step, cascadeWidth, cascadeHeight);
        PlaceTarget(TargetList[i], p.x, p.y, p.width, p.height);
    }
    RestoreCommandFocus();
}

void CMainDialog::TileTargets() {
    CollectTargets();
    if (!TargetList.empty()) {
        const int fullWidth = platform.windows.Metric(sm::kCxFullScreen);
        const int fullHeight = platform.windows.Metric(sm::kCyFullScreen);
        const std::vector<Placement> cells = TilePlacements(TargetList.size(), fullWidth, fullHeight);
        for (std::size_t i = 0; i < TargetList.size(); ++i) {
            PlaceTarget(TargetList[i], cells[i].x, cells[i].y, cells[i].width, cells[i].height);
        }
    }
    RestoreCommandFocus();
}

}  // namespace tandrel
