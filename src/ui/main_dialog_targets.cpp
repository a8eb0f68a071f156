// The main window's target list: the filter in force and the collections under it.
#include "targets/filter.h"
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

void CMainDialog::ReportNoTarget() {
    if (!TargetList.empty() || host == nullptr)
        return;
    host->ShowMessageBox(L"No terminal window passes the filter " + GetFilterName(FilterInForce()) +
                             L": nothing was sent.\n\nOpen a terminal whose title the filter takes, or "
                             L"choose another filter; the command waits in the history.",
                         L"Tandrel", mb::kOk | mb::kIconExclamation);
    RestoreCommandFocus();
}

const std::vector<WindowId>& CMainDialog::CollectEveryTerminalWindow() {
    CollectTargets(kBuiltInFilter);
    return TargetList;
}

}  // namespace tandrel
