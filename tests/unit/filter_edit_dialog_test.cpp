// The filter editor: what it shows, what it trims, and when OK can confirm it.
#include <gtest/gtest.h>

#include "fakes/fake_dialog_host.h"
#include "ui/filter_edit_dialog.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;

constexpr int kName = CFilterEditDialog::kNameEdit;
constexpr int kRules = CFilterEditDialog::kRulesEdit;
constexpr int kOk = CFilterEditDialog::kOkButton;

struct Editor {
    explicit Editor(std::wstring caption = L"Add Filter", std::wstring name = L"", std::wstring rules = L"")
        : dialog([this] { ++helpCalls; }) {
        dialog.caption = std::move(caption);
        dialog.filterName = std::move(name);
        dialog.filterRules = std::move(rules);
        host.AttachDialog(&dialog);
        dialog.Attach(&host);
        dialog.Dispatch(DialogEvent::kInit);
    }
    int helpCalls = 0;
    CFilterEditDialog dialog;
    FakeDialogHost host;
};

TEST(FilterEditDialog, InitialisationShowsTheCallersCaptionNameAndRules) {
    Editor e(L"Copy Filter", L"Copy of All PuTTYs", L"+*");
    EXPECT_EQ(e.host.Title(), L"Copy Filter");
    EXPECT_EQ(e.host.ItemText(kName), L"Copy of All PuTTYs");
    EXPECT_EQ(e.host.ItemText(kRules), L"+*");
    EXPECT_TRUE(e.host.IsItemEnabled(kOk));
}

TEST(FilterEditDialog, AnEmptyEditorOpensWithOkGreyed) {
    Editor e;
    EXPECT_EQ(e.host.Title(), L"Add Filter");
    EXPECT_FALSE(e.host.IsItemEnabled(kOk));
}

TEST(FilterEditDialog, GivenValuesAreHeldTrimmedWhileTheBoxesShowThemAsGiven) {
    Editor e(L"Add Filter", L"  Web ", L"\t+web*\r\n");
    EXPECT_EQ(e.host.ItemText(kName), L"  Web ");
    EXPECT_EQ(e.dialog.filterName, L"Web");
    EXPECT_EQ(e.dialog.filterRules, L"+web*");
}

struct ValidationCase {
    const wchar_t* name;
    const wchar_t* rules;
    bool okEnabled;
};

TEST(FilterEditDialog, OkIsEnabledExactlyForAGivenNameAndRulesWithoutTheSeparator) {
    const ValidationCase cases[] = {
        {L"", L"+*", false},          {L"Web", L"", false},
        {L"   ", L"+*", false},                                       // empty once trimmed
        {L"Web", L" \r\n\t ", false},                                 // empty once trimmed
        {L"a||b", L"+*", false},                                      // the separator in the name
        {L"||", L"+*", false},        {L"Web", L"+web*||-x", false},  // the separator in the rules
        {L"Web", L"||", false},       {L"a|b", L"+*", true},          // a single bar is an ordinary character
        {L"|", L"+a|b", true},        {L"Web", L"web01", true},       // rules without a prefix are accepted
        {L"Web", L"-*test*", true},                                   // so are exclusions alone
        {L" x ", L" y ", true},
    };
    for (const ValidationCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "name \"" << c.name << "\", rules \"" << c.rules << "\"");
        Editor e;
        e.host.UserSetsText(kName, c.name);
        e.host.UserSetsText(kRules, c.rules);
        EXPECT_EQ(e.host.IsItemEnabled(kOk), c.okEnabled);
        // Given at initialisation instead of typed, the verdict is the same.
        Editor given(L"Add Filter", c.name, c.rules);
        EXPECT_EQ(given.host.IsItemEnabled(kOk), c.okEnabled);
    }
}

TEST(FilterEditDialog, OkFollowsEveryChangeOfEitherBox) {
    Editor e(L"Add Filter", L"Web", L"+web*");
    e.host.UserSetsText(kName, L"We||b");
    EXPECT_FALSE(e.host.IsItemEnabled(kOk));
    e.host.UserSetsText(kName, L"Web");
    EXPECT_TRUE(e.host.IsItemEnabled(kOk));
    e.host.UserSetsText(kRules, L"  ");
    EXPECT_FALSE(e.host.IsItemEnabled(kOk));
    e.host.UserSetsText(kRules, L"+web*");
    EXPECT_TRUE(e.host.IsItemEnabled(kOk));
}

TEST(FilterEditDialog, OkHandsBackTheTrimmedValuesWithLineBreaksKeptInside) {
    Editor e;
    e.host.UserSetsText(kName, L"  Web servers\t");
    e.host.UserSetsText(kRules, L"\r\n +web*;\r\n-*test*; \r\n");
    e.host.UserClicks(kOk);
    ASSERT_TRUE(e.host.Ended());
    EXPECT_EQ(e.host.EndResult(), mb::kIdOk);
    EXPECT_EQ(e.dialog.filterName, L"Web servers");
    EXPECT_EQ(e.dialog.filterRules, L"+web*;\r\n-*test*;");
}

TEST(FilterEditDialog, OkReachedWhileGreyedDoesNotEndTheEditor) {
    Editor e(L"Add Filter", L"a||b", L"+*");
    e.dialog.Dispatch(DialogEvent::kCommand, kOk, notify::kButtonClicked);
    EXPECT_FALSE(e.host.Ended());
}

TEST(FilterEditDialog, CancelEndsWithCancel) {
    Editor e(L"Add Filter", L"Web", L"+web*");
    e.host.UserClicks(mb::kIdCancel);
    ASSERT_TRUE(e.host.Ended());
    EXPECT_EQ(e.host.EndResult(), mb::kIdCancel);
}

TEST(FilterEditDialog, HelpOpensTheHomePageAndNothingElse) {
    Editor e(L"Add Filter", L"Web", L"+web*");
    EXPECT_TRUE(e.dialog.Dispatch(DialogEvent::kHelp));
    EXPECT_EQ(e.helpCalls, 1);
    EXPECT_FALSE(e.host.Ended());
    EXPECT_EQ(e.dialog.filterName, L"Web");
}

TEST(FilterEditDialog, WithoutAHelpActionHelpIsHandledAndDoesNothing) {
    CFilterEditDialog d{std::function<void()>()};
    FakeDialogHost h;
    h.AttachDialog(&d);
    d.Attach(&h);
    d.Dispatch(DialogEvent::kInit);
    EXPECT_TRUE(d.Dispatch(DialogEvent::kHelp));
    EXPECT_FALSE(h.Ended());
}

}  // namespace
}  // namespace tandrel
