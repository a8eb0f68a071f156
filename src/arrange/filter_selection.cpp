// A change of filter in the combo box, with the automatic arrangement it may trigger.
#include <cstdint>

#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {
constexpr int kFilterCombo = 1001;
constexpr std::int32_t kAutoCascade = 2;
constexpr std::int32_t kAutoTile = 3;
// Between minimising the others and arranging the new selection.
constexpr std::uint32_t kAutoMinimizePauseMs = 250;
}  // namespace

void CMainDialog::FilterSelectionChanged() {
    // The combo box is the only way the selected filter changes. A combo box without a
    // selection (or one naming no filter) leaves the selection as it was.
    if (host != nullptr) {
        const int selection = host->ListSelection(kFilterCombo);
        if (selection >= 0 && static_cast<std::size_t>(selection) < filterList.size())
            selectedFilter = selection;
    }

    if (autoArrange == kAutoCascade || autoArrange == kAutoTile) {
        if (autoMinimize != 0) {
            // The windows of the first filter are minimised first: with the built-in first
            // filter, every terminal window.
            const std::int32_t chosen = selectedFilter;
            selectedFilter = 0;
            MinimizeTargets();
            platform.clock.Sleep(kAutoMinimizePauseMs);
            selectedFilter = chosen;
        }
        if (autoArrange == kAutoCascade)
            CascadeTargets();
        else
            TileTargets();
    }
    RestoreCommandFocus();
}

}  // namespace tandrel
