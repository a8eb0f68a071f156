#include "ui/filters_action.h"

#include "platform/modal_scope.h"
#include "targets/filter.h"
#include "ui/filters_dialog.h"
#include "ui/web_pages.h"
#include "res/resource.h"

namespace tandrel {

void OpenFiltersDialog(CMainDialog& mainDialog, IDialogHost& mainHost) {
    const ModalScope modal(mainDialog.modalDialogOpen);
    CFiltersDialog dialog(mainDialog.filterList, [&mainDialog] { OpenHomePage(mainDialog.platform.shell); });
    dialog.dialogSelection = mainDialog.selectedFilter;
    mainHost.RunModal(dialog);  // what was applied stays applied, however it ended

    mainHost.ClearList(IDC_FILTER_COMBO);
    for (const std::wstring& definition : mainDialog.filterList)
        mainHost.AddListItem(IDC_FILTER_COMBO, GetFilterName(definition));
    // The selection always names an entry: a dialog that ended with none selects the first.
    const int count = static_cast<int>(mainDialog.filterList.size());
    mainDialog.selectedFilter =
        dialog.dialogSelection >= 0 && dialog.dialogSelection < count ? dialog.dialogSelection : 0;
    mainHost.SelectListItem(IDC_FILTER_COMBO, mainDialog.selectedFilter);

    mainDialog.SaveSettings();
    mainDialog.UpdateSendTip();
    mainDialog.RestoreCommandFocus();
}

}  // namespace tandrel
