#include "ui/filters_dialog.h"

#include <utility>

#include "targets/filter.h"
#include "ui/filter_edit_dialog.h"

namespace tandrel {

namespace {

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<CFiltersDialog&>(self).OnInitDialog();
    return true;  // the focus goes to the first tab stop, the list box
}

bool CancelHandler(CDialog& self, int, int, std::uintptr_t) {
    self.OnCancel();
    return true;
}

std::wstring Definition(const std::wstring& name, const std::wstring& rules) {
    return name + L"||" + rules;
}

}  // namespace

CFiltersDialog::CFiltersDialog(std::vector<std::wstring>& list, std::function<void()> openHomePage)
    : workingList(list), filterList(list), openHomePage_(std::move(openHomePage)) {}

const std::vector<CDialog::MapEntry>& CFiltersDialog::MessageMap() const {
    using D = CFiltersDialog;
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &InitHandler},
        {DialogEvent::kCommand, kList, notify::kListSelChange, &Bind<D, &D::OnSelectionChanged>},
        {DialogEvent::kCommand, kList, notify::kListDblClk, &Bind<D, &D::OnEdit>},
        {DialogEvent::kCommand, kAdd, notify::kButtonClicked, &Bind<D, &D::OnAdd>},
        {DialogEvent::kCommand, kEdit, notify::kButtonClicked, &Bind<D, &D::OnEdit>},
        {DialogEvent::kCommand, kCopy, notify::kButtonClicked, &Bind<D, &D::OnCopy>},
        {DialogEvent::kCommand, kRemove, notify::kButtonClicked, &Bind<D, &D::OnRemove>},
        {DialogEvent::kCommand, kRemoveAll, notify::kButtonClicked, &Bind<D, &D::OnRemoveAll>},
        {DialogEvent::kCommand, kMoveUp, notify::kButtonClicked, &Bind<D, &D::OnMoveUp>},
        {DialogEvent::kCommand, kMoveDown, notify::kButtonClicked, &Bind<D, &D::OnMoveDown>},
        {DialogEvent::kCommand, kApply, notify::kButtonClicked, &Bind<D, &D::OnApply>},
        {DialogEvent::kCommand, kOk, notify::kButtonClicked, &Bind<D, &D::OnOK>},
        // Cancel, Escape and the caption's close button.
        {DialogEvent::kCommand, kCancel, notify::kButtonClicked, &CancelHandler},
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &CancelHandler},
        {DialogEvent::kHelp, -1, -1, &Bind<D, &D::OnHelp>},
    };
    return map;
}

void CFiltersDialog::OnInitDialog() {
    modified = false;
    Fill(dialogSelection);
}

void CFiltersDialog::OnSelectionChanged() {
    Refresh();
}

void CFiltersDialog::Fill(int index) {
    host->ClearList(kList);
    for (const std::wstring& definition : workingList) host->AddListItem(kList, GetFilterName(definition));
    host->SelectListItem(kList, index);
    Refresh();
}

int CFiltersDialog::Selection() {
    const int sel = host->ListSelection(kList);
    return sel >= 0 && sel < Count() ? sel : -1;
}

void CFiltersDialog::Refresh() {
    const int sel = Selection();
    const int n = Count();
    // The preview always belongs to the selected entry: a definition without "||" has no rules
    // to show, and without a selection there is nothing to preview.
    host->SetItemText(kPreview, sel >= 0 ? GetFilterRules(workingList[static_cast<std::size_t>(sel)]) : L"");

    host->EnableItem(kAdd, n < kMaxFilters);
    host->EnableItem(kCopy, n < kMaxFilters && sel >= 0);
    host->EnableItem(kEdit, sel >= 1);
    host->EnableItem(kRemove, sel >= 1);
    host->EnableItem(kRemoveAll, n > 1);
    host->EnableItem(kMoveUp, sel >= 2);
    host->EnableItem(kMoveDown, sel >= 1 && sel < n - 1);
    host->EnableItem(kApply, modified);
}

bool CFiltersDialog::RunEditor(CFilterEditDialog& editor) {
    return host->RunModal(editor) == mb::kIdOk;
}

void CFiltersDialog::Changed(int index) {
    modified = true;
    Fill(index);
}

void CFiltersDialog::OnAdd() {
    if (Count() >= kMaxFilters)
        return;
    CFilterEditDialog editor(openHomePage_);
    editor.caption = L"Add Filter";
    if (!RunEditor(editor))
        return;
    workingList.push_back(Definition(editor.filterName, editor.filterRules));
    Changed(Count() - 1);
}

void CFiltersDialog::OnEdit() {
    const int sel = Selection();
    if (sel < 1)
        return;
    const std::wstring& entry = workingList[static_cast<std::size_t>(sel)];
    CFilterEditDialog editor(openHomePage_);
    editor.caption = L"Edit Filter";
    editor.filterName = GetFilterName(entry);
    editor.filterRules = GetFilterRules(entry);
    if (!RunEditor(editor))
        return;
    workingList[static_cast<std::size_t>(sel)] = Definition(editor.filterName, editor.filterRules);
    Changed(sel);
}

void CFiltersDialog::OnCopy() {
    const int sel = Selection();
    if (sel < 0 || Count() >= kMaxFilters)
        return;
    const std::wstring& entry = workingList[static_cast<std::size_t>(sel)];
    CFilterEditDialog editor(openHomePage_);
    editor.caption = L"Copy Filter";
    editor.filterName = L"Copy of " + GetFilterName(entry);
    editor.filterRules = GetFilterRules(entry);
    if (!RunEditor(editor))
        return;
    workingList.push_back(Definition(editor.filterName, editor.filterRules));
    Changed(Count() - 1);
}

void CFiltersDialog::OnRemove() {
    const int sel = Selection();
    if (sel < 1)
        return;
    workingList.erase(workingList.begin() + sel);
    Changed(sel < Count() ? sel : Count() - 1);
}

void CFiltersDialog::OnRemoveAll() {
    if (Count() <= 1)
        return;  // only the first filter is left: nothing changes
    while (Count() > 1) workingList.pop_back();
    Changed(0);
}

void CFiltersDialog::OnMoveUp() {
    const int sel = Selection();
    if (sel < 2)
        return;
    std::swap(workingList[static_cast<std::size_t>(sel)], workingList[static_cast<std::size_t>(sel - 1)]);
    Changed(sel - 1);
}

void CFiltersDialog::OnMoveDown() {
    const int sel = Selection();
    if (sel < 1 || sel >= Count() - 1)
        return;
    std::swap(workingList[static_cast<std::size_t>(sel)], workingList[static_cast<std::size_t>(sel + 1)]);
    Changed(sel + 1);
}

void CFiltersDialog::OnApply() {
    filterList = workingList;
    dialogSelection = host->ListSelection(kList);
    modified = false;
    Refresh();
}

void CFiltersDialog::OnOK() {
    OnApply();
    CDialog::OnOK();
}

void CFiltersDialog::OnHelp() {
    if (openHomePage_)
        openHomePage_();
}

}  // namespace tandrel
