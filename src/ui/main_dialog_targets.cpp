// The main window's target list: the filter in force and the collections under it.
#include "targets/targets.h"
#include "ui/main_dialog.h"

namespace tandrel {

std::wstring_view CMainDialog::FilterInForce(std::int32_t index) const {
    if (isExiting)
        return kBuiltInFilter;
    // The selected index always names an entry; should it ever not, the filter selects nothing
    // rather than reaching windows the operator did not choose.
    if (index < 0 || static_cast<std::size_t>(index) >= filterList.size())
        return {};
    return filterList[static_cast<std::size_t>(index)];
}

void CMainDialog::CollectTargets(std::wstring_view definition) {
    TargetList = tandrel::CollectTargets(platform.windows, definition);
}

const std::vector<WindowId>& CMainDialog::CollectEveryTerminalWindow() {
    CollectTargets(kBuiltInFilter);
    return TargetList;
}

}  // namespace tandrel
