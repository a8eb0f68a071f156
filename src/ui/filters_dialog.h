// The "PuTTY Filters" dialog: the operator's list of named filters, worked on as a copy of the
// main window's list and written back by Apply and OK. The first filter stays first: it can be
// copied, never edited, removed or moved, and nothing moves above it.
#pragma once
#include "res/resource.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace tandrel {

class CFilterEditDialog;

class CFiltersDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_FILTERS;
    static constexpr int kMaxFilters = 100;  // the profile's filter slots

    static constexpr int kList = IDC_FILTER_LIST;
    static constexpr int kPreview = IDC_FILTER_RULES;
    static constexpr int kAdd = IDC_FILTER_ADD;
    static constexpr int kCopy = IDC_FILTER_COPY;
    static constexpr int kRemove = IDC_FILTER_REMOVE;
    static constexpr int kRemoveAll = IDC_FILTER_REMOVE_ALL;
    static constexpr int kEdit = IDC_FILTER_EDIT;
    static constexpr int kMoveUp = IDC_FILTER_MOVE_UP;
    static constexpr int kMoveDown = IDC_FILTER_MOVE_DOWN;
    static constexpr int kOk = IDC_OK;
    static constexpr int kCancel = IDC_FILTERS_CANCEL;
    static constexpr int kApply = IDC_FILTERS_APPLY;

    // Works on a copy of `filterList`, which Apply overwrites. `openHomePage` is the help (F1)
    // action, here and in the editor.
    CFiltersDialog(std::vector<std::wstring>& filterList, std::function<void()> openHomePage);

    int TemplateId() const override { return kTemplate; }

    std::vector<std::wstring> workingList;
    std::vector<std::wstring>& filterList;
    bool modified = false;  // the working list changed since the dialog opened or the last Apply
    // On entry the main window's selection; the list box's selection as of the last Apply.
    std::int32_t dialogSelection = 0;

    // ---- handlers ----
    void OnInitDialog();
    void OnSelectionChanged();
    void OnAdd();
    void OnEdit();
    void OnCopy();
    void OnRemove();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnApply();
    void OnOK() override;
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    // Empties the list box, adds every working-list name in order, selects `index`, refreshes.
    void Fill(int index);
    // Shows the selected filter's rules and enables the buttons.
    void Refresh();
    // The list box's selection when it names a working-list entry, otherwise -1.
    int Selection();
    int Count() const { return static_cast<int>(workingList.size()); }
    // Runs the editor nested; true when it ended with OK.
    bool RunEditor(CFilterEditDialog& editor);
    // Records a change of the working list and shows it, selecting `index`.
    void Changed(int index);

    std::function<void()> openHomePage_;
};

}  // namespace tandrel
