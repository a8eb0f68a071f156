#include "ui/filters_action.h"

#include "targets/filter.h"
#include "ui/filters_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {

namespace {
constexpr int kFilterCombo = 1001;
}

void OpenFiltersDialog(CMainDialog& main, IDialogHost& mainHost) {
    main.modalDialogOpen = 1;

    CFiltersDialog dialog(main.filterList, [&main] { OpenHomePage(main.platform.shell); });
    dialog.dialogSelection = main.selectedFilter;
    mainHost.RunModal(dialog);  // what was applied stays applied, however it ended

    mainHost.ClearList(kFilterCombo);
    for (const std::wstring& definition : main.filterList)
        mainHost.AddListItem(kFilterCombo, GetFilterName(definition));
    // The selection always names an entry; a dialog that ended without one keeps the first.
    const int count = static_cast<int>(main.filterList.size());
    main.selectedFilter =
        dialog.dialogSelection >= 0 && dialog.dialogSelection < count ? dialog.dialogSelection : 0;
    mainHost.SelectListItem(kFilterCombo, main.selectedFilter);

    main.SaveSettings();
    main.RestoreCommandFocus();
    main.modalDialogOpen = 0;
}

}  // namespace tandrel
