// The filter editor: one filter's name and rule list, checked only for being given and for not
// holding the separator "||". Runs nested in the filters dialog for Add, Edit and Copy.
#pragma once
#include "res/resource.h"
#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace tandrel {

class CFilterEditDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_FILTER_EDIT;
    static constexpr int kNameEdit = IDC_FILTER_NAME;
    static constexpr int kRulesEdit = IDC_FILTER_RULES;
    static constexpr int kOkButton = IDC_OK;

    // `openHomePage` is the help (F1) action.
    explicit CFilterEditDialog(std::function<void()> openHomePage);

    int TemplateId() const override { return kTemplate; }

    // True when the name and the rule list make a definition: both given, neither holding "||".
    static bool IsValidDefinition(const std::wstring& name, const std::wstring& rules);

    // Set by the caller before the run; read back after it ends with OK. The name and the rules
    // are held without leading and trailing white space.
    std::wstring filterName;
    std::wstring filterRules;
    std::wstring caption;

    // ---- handlers ----
    void OnInitDialog();
    void OnNameChanged();
    void OnRulesChanged();
    void OnOK() override;
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    // Enables OK exactly while the name and the rules are valid.
    void Validate();

    std::function<void()> openHomePage_;
};

}  // namespace tandrel
