// The "PuTTY Filters" dialog: the operator's list of named filters, worked on as a copy of the
// main window's list and written back by Apply and OK. The first filter stays first: it can be
// copied, never edited, removed or moved, and nothing moves above it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace tandrel {

class CFilterEditDialog;

class CFiltersDialog : public CDialog {
  public:
    static constexpr int kTemplate = 114;
    static constexpr int kMaxFilters = 100;  // the profile's filter slots

    static constexpr int kList = 1200;
    static constexpr int kPreview = 1301;
    static constexpr int kAdd = 1201;
    static constexpr int kCopy = 1202;
    static constexpr int kRemove = 1203;
    static constexpr int kRemoveAll = 1204;
    static constexpr int kEdit = 1205;
    static constexpr int kMoveUp = 1206;
    static constexpr int kMoveDown = 1207;
    static constexpr int kOk = 1209;
    static constexpr int kCancel = 1210;
    static constexpr int kApply = 1212;

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
