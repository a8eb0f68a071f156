#include "ui/filters_action.h"

#include "targets/filter.h"
#include "ui/filters_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {

namespace {
constexpr int kFilterCombo = 1001;
}

void OpenFiltersDialog(CMainDialog& mainDialog, IDialogHost& mainHost) {
    mainDialog.modalDialogOpen = 1;

    CFiltersDialog dialog(mainDialog.filterList, [&mainDialog] { OpenHomePage(mainDialog.platform.shell); });
    dialog.dialogSelection = mainDialog.selectedFilter;
    mainHost.RunModal(dialog);  // what was applied stays applied, however it ended

    mainHost.ClearList(kFilterCombo);
    for (const std::wstring& definition : mainDialog.filterList)
        mainHost.AddListItem(kFilterCombo, GetFilterName(definition));
    // The selection always names an entry: a dialog that ended with none selects the first.
    const int count = static_cast<int>(mainDialog.filterList.size());
    mainDialog.selectedFilter =
        dialog.dialogSelection >= 0 && dialog.dialogSelection < count ? dialog.dialogSelection : 0;
    mainHost.SelectListItem(kFilterCombo, mainDialog.selectedFilter);

    mainDialog.SaveSettings();
    mainDialog.RestoreCommandFocus();
    mainDialog.modalDialogOpen = 0;
}

}  // namespace tandrel
