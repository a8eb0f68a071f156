// Close: the question, and which processes are ended on Yes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/desktop_variants.h"
#include "fakes/dialog_host_variants.h"
#include "arrange_fixture.h"

namespace tandrel {
namespace {

using fakes::FakeDesktop;
using fakes::RefusingDesktop;
using fakes::ReusingHost;
using fakes::ShownMessageBox;

using Trace = std::vector<std::string>;

const std::wstring kQuestion = L"End the 2 terminals of filter All PuTTYs?";

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
    EXPECT_EQ(box.flags, mb::kYesNo | mb::kIconExclamation | mb::kDefButton2);  // No is the default
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
    ASSERT_EQ(t.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(t.host.MessageBoxes()[0].text, L"End the 5 terminals of filter Web?");
    EXPECT_TRUE(t.desktop.Exists(decoy));
}

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
    ArrangeOn<RefusingDesktop> t;
    t.desktop.refusedProcess = 200;
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
