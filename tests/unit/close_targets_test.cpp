// Close: the question, and which processes are ended on Yes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrange_fixture.h"

namespace tandrel {
namespace {

using fakes::FakeDesktop;
using fakes::FakeDialogHost;
using fakes::ShownMessageBox;

using Trace = std::vector<std::string>;

const std::wstring kQuestion = L"Are you sure you want to\nclose filtered PuTTYs?";

TEST(CloseTargets, NoTargetNoQuestion) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
    t.dialog.selectedFilter = 1;
    t.Terminal(L"db01", 200);
    t.desktop.ClearCalls();

    t.dialog.CloseTargets();

    EXPECT_TRUE(t.host.MessageBoxes().empty());
    EXPECT_TRUE(t.Trace().empty());
}

TEST(CloseTargets, AsksOnceAndAnsweringNoEndsNothingAndLeavesTheFocus) {
    ArrangeOn<> t;
    t.Terminal(L"web01", 200);
    t.Terminal(L"web02", 300);
    t.desktop.ClearCalls();
    t.host.AnswerNextMessageBox(mb::kIdNo);

    t.dialog.CloseTargets();

    ASSERT_EQ(t.host.MessageBoxes().size(), 1u);
    const ShownMessageBox& box = t.host.MessageBoxes()[0];
    EXPECT_EQ(box.text, kQuestion);
    EXPECT_EQ(box.caption, L"Tandrel");
    EXPECT_EQ(box.flags, mb::kYesNo | mb::kIconExclamation);
    EXPECT_TRUE(t.Trace().empty());
    EXPECT_EQ(t.dialog.TargetList.size(), 2u);
}

TEST(CloseTargets, AnyAnswerButYesEndsNothing) {
    for (const int answer : {mb::kIdCancel, mb::kIdOk, 0}) {
        ArrangeOn<> t;
        t.Terminal(L"web01", 200);
        t.desktop.ClearCalls();
        t.host.AnswerNextMessageBox(answer);
        t.dialog.CloseTargets();
        EXPECT_TRUE(t.desktop.CallsStartingWith("end-process").empty()) << answer;
    }
}

TEST(CloseTargets, YesEndsEachOwningProcessOnceAndNoOther) {
    ArrangeOn<> t;
    t.dialog.filterList = {L"All PuTTYs||+*", L"Web||web*"};
    t.dialog.selectedFilter = 1;
    t.desktop.SetCurrentProcessId(42);
    t.Terminal(L"web04", 300);
    t.Terminal(L"web01", 200);
    t.Terminal(L"web03", 200);  // a second window of the same process
    t.Terminal(L"web02", 0);    // its owner cannot be told
    t.Terminal(L"web05", 42);   // Tandrel's own process owns no terminal, but never ends itself
    t.Terminal(L"db01", 400);   // filtered out
    const WindowId decoy = t.desktop.AddWindow(L"Notepad", L"web06");
    t.desktop.Window(decoy).processId = 500;
    t.desktop.ClearCalls();
    t.host.AnswerNextMessageBox(mb::kIdYes);

    t.dialog.CloseTargets();

    EXPECT_EQ(t.Trace(), (Trace{"end-process 200 4294967295", "end-process 300 4294967295"}));
    EXPECT_EQ(t.host.MessageBoxes().size(), 1u);
    EXPECT_TRUE(t.desktop.Exists(decoy));
}

// The operator's answer takes as long as it takes: a window may close meanwhile, and its handle
// may come to name some other program's window.
class ReusingHost : public FakeDialogHost {
  public:
    using FakeDialogHost::FakeDialogHost;
    FakeDesktop* desktop = nullptr;
    WindowId reused = kNoWindow;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override {
        desktop->Window(reused).className = L"Notepad";
        desktop->Window(reused).processId = 900;
        FakeDialogHost::ShowMessageBox(text, caption, flags);
        return mb::kIdYes;
    }
};

TEST(CloseTargets, AWindowThatIsNoLongerATerminalWhenTheAnswerComesIsLeftAlone) {
    ArrangeOn<FakeDesktop, ReusingHost> t;
    const WindowId reused = t.Terminal(L"web01", 200);
    t.Terminal(L"web02", 300);
    t.host.desktop = &t.desktop;
    t.host.reused = reused;
    t.desktop.ClearCalls();

    t.dialog.CloseTargets();

    EXPECT_EQ(t.Trace(), (Trace{"end-process 300 4294967295"}));
    EXPECT_TRUE(t.desktop.Exists(reused));
}

TEST(CloseTargets, WithoutAWindowToAskFromNothingIsEnded) {
    ArrangeOn<> t;
    t.Terminal(L"web01", 200);
    t.dialog.Attach(nullptr);
    t.desktop.ClearCalls();
    t.dialog.CloseTargets();
    EXPECT_TRUE(t.desktop.CallsStartingWith("end-process").empty());
}

TEST(CloseTargets, AProcessThatCannotBeOpenedIsPassedOver) {
    // The fake refuses to end a process that owns no window, as Windows refuses another user's.
    class RefusingDesktop : public FakeDesktop {
      public:
        bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) override {
            if (processId == 200) {
                FakeDesktop::EndProcess(0, exitCode);  // recorded, ends nothing
                return false;
            }
            return FakeDesktop::EndProcess(processId, exitCode);
        }
    };
    ArrangeOn<RefusingDesktop> t;
    const WindowId refused = t.Terminal(L"web01", 200);
    const WindowId ended = t.Terminal(L"web02", 300);
    t.host.AnswerNextMessageBox(mb::kIdYes);

    t.dialog.CloseTargets();

    EXPECT_TRUE(t.desktop.Exists(refused));
    EXPECT_FALSE(t.desktop.Exists(ended));
    EXPECT_EQ(t.host.MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace tandrel
