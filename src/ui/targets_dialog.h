// The Targets window: what the selected filter collects, in the order {%INC%} numbers it, each
// window with a check box that leaves it out of everything the main window does while unticked.
// Modeless and small; it follows the windows as they open, close and retitle, without taking
// the focus, and remembers its place.
#pragma once
#include <vector>

#include "res/resource.h"
#include "ui/dialog.h"

namespace tandrel {

class CMainDialog;

class CTargetsDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_TARGETS;
    static constexpr int kList = IDC_TARGETS_LIST;
    static constexpr int kRefreshTimer = 1;
    // Often enough for a change to show within a second.
    static constexpr std::uint32_t kRefreshMs = 500;

    explicit CTargetsDialog(CMainDialog& main) : main_(main) {}

    int TemplateId() const override { return kTemplate; }

    // ---- handlers ----
    void OnInitDialog();
    // Collects anew and updates the rows in place.
    void Refresh();
    void OnRowTicked(int row, bool ticked);
    // Brings the row's window forward, restored when minimised or hidden.
    void OnRowDoubleClicked(int row);
    void OnCancel() override;
    void OnOK() override { OnCancel(); }

    // The windows of the rows, in row order.
    const std::vector<WindowId>& Rows() const { return rows_; }

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    CMainDialog& main_;
    std::vector<WindowId> rows_;
};

}  // namespace tandrel
