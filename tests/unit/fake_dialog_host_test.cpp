// The fake dialog host stands in for every dialog window in the unit tests: check the parts of
// the edit-control and message-map behaviour the dialogs rely on.
#include <gtest/gtest.h>

#include "fakes/fake_dialog_host.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;

class Probe : public CDialog {
  public:
    int TemplateId() const override { return 999; }
    void OnPing() { ++pings; }
    int pings = 0;

  protected:
    const std::vector<MapEntry>& MessageMap() const override {
        static const std::vector<MapEntry> map = {
            {DialogEvent::kCommand, 7, notify::kButtonClicked, &Bind<Probe, &Probe::OnPing>},
        };
        return map;
    }
};

TEST(FakeDialogHost, ClicksReachTheBoundHandlerOnlyWhileEnabled) {
    Probe p;
    FakeDialogHost h;
    h.AttachDialog(&p);
    p.Attach(&h);
    h.UserClicks(7);
    h.UserClicks(8);
    h.EnableItem(7, false);
    h.UserClicks(7);
    EXPECT_EQ(p.pings, 1);
}

TEST(FakeDialogHost, EditSelectionAtTheEndThenReplaceInsertsAtTheCaret) {
    FakeDialogHost h;
    h.SetItemText(1011, L"ls -l");
    h.SetEditSelection(1011, 5, -1);
    h.ReplaceEditSelection(1011, L"{%INC%}");
    EXPECT_EQ(h.ItemText(1011), L"ls -l{%INC%}");
    h.SetEditSelection(1011, 0, 2);
    h.ReplaceEditSelection(1011, L"X");
    EXPECT_EQ(h.ItemText(1011), L"X -l{%INC%}");
}

TEST(FakeDialogHost, NestedModalRunsTheScriptAndReturnsTheEndResult) {
    FakeDialogHost h;
    Probe p;
    h.OnModal(999, [](CDialog& d, FakeDialogHost&) {
        d.OnOK();
        return mb::kIdCancel;  // overridden by the dialog's own end
    });
    EXPECT_EQ(h.RunModal(p), mb::kIdOk);
    EXPECT_EQ(h.ModalRuns(), std::vector<int>{999});
    EXPECT_EQ(p.Host(), nullptr);
}

}  // namespace
}  // namespace tandrel
