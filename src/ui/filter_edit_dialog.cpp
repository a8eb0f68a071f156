#include "ui/filter_edit_dialog.h"

#include <utility>

#include "platform/text_util.h"

namespace tandrel {

namespace {

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<CFilterEditDialog&>(self).OnInitDialog();
    return true;  // the focus goes to the first tab stop, the name
}

bool CancelHandler(CDialog& self, int, int, std::uintptr_t) {
    self.OnCancel();
    return true;
}

}  // namespace

CFilterEditDialog::CFilterEditDialog(std::function<void()> openHomePage)
    : openHomePage_(std::move(openHomePage)) {}

const std::vector<CDialog::MapEntry>& CFilterEditDialog::MessageMap() const {
    using D = CFilterEditDialog;
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &InitHandler},
        {DialogEvent::kCommand, kNameEdit, notify::kEditChange, &Bind<D, &D::OnNameChanged>},
        {DialogEvent::kCommand, kRulesEdit, notify::kEditChange, &Bind<D, &D::OnRulesChanged>},
        {DialogEvent::kCommand, kOkButton, notify::kButtonClicked, &Bind<D, &D::OnOK>},
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &CancelHandler},
        {DialogEvent::kHelp, -1, -1, &Bind<D, &D::OnHelp>},
    };
    return map;
}

bool CFilterEditDialog::IsValidDefinition(const std::wstring& name, const std::wstring& rules) {
    return !name.empty() && !rules.empty() && name.find(L"||") == std::wstring::npos &&
           rules.find(L"||") == std::wstring::npos;
}

void CFilterEditDialog::OnInitDialog() {
    host->SetTitle(caption);
    // Filling an edit control reports a change, which already reads and trims it back; the
    // values given are trimmed here as well, whatever the window reports.
    const std::wstring name = filterName;
    const std::wstring rules = filterRules;
    host->SetItemText(kNameEdit, name);
    host->SetItemText(kRulesEdit, rules);
    filterName = TrimWhiteSpace(name);
    filterRules = TrimWhiteSpace(rules);
    Validate();
}

void CFilterEditDialog::OnNameChanged() {
    filterName = TrimWhiteSpace(host->ItemText(kNameEdit));
    Validate();
}

void CFilterEditDialog::OnRulesChanged() {
    filterRules = TrimWhiteSpace(host->ItemText(kRulesEdit));
    Validate();
}

void CFilterEditDialog::OnOK() {
    // Enter reaches the default button's command even when the window lets it through while
    // OK is greyed: an invalid definition is never confirmed.
    if (!IsValidDefinition(filterName, filterRules))
        return;
    CDialog::OnOK();
}

void CFilterEditDialog::OnHelp() {
    if (openHomePage_)
        openHomePage_();
}

void CFilterEditDialog::Validate() {
    host->EnableItem(kOkButton, IsValidDefinition(filterName, filterRules));
}

}  // namespace tandrel
