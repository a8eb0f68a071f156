// The filters dialog against the fake host: its buttons' enabling, every list operation with the
// editor it runs, and what Apply, OK and Cancel leave in the main window's list.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "fakes/fake_dialog_host.h"
#include "ui/filter_edit_dialog.h"
#include "ui/filters_dialog.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;

using D = CFiltersDialog;
using List = std::vector<std::wstring>;

const std::wstring kAll = L"All PuTTYs||+*";

// n filters: the built-in one, then "F1||+f1*", "F2||+f2*" and so on.
List Filters(int n) {
    List list{kAll};
    for (int i = 1; i < n; ++i)
        list.push_back(L"F" + std::to_wstring(i) + L"||+f" + std::to_wstring(i) + L"*");
    return list;
}

// What the editor was given, and how the scripted operator answers it.
struct EditorSeen {
    std::wstring title;
    std::wstring name;
    std::wstring rules;
};
struct EditorAnswer {
    bool ok = false;
    std::optional<std::wstring> name;  // typed over the given text when set
    std::optional<std::wstring> rules;
};

class FiltersDialogTest : public testing::Test {
  protected:
    void Open(List list, int selection) {
        mainList = std::move(list);
        dialog = std::make_unique<D>(mainList, [this] { ++helpCalls; });
        dialog->dialogSelection = selection;
        host.AttachDialog(dialog.get());
        dialog->Attach(&host);
        dialog->Dispatch(DialogEvent::kInit);
        host.OnModal(CFilterEditDialog::kTemplate, [this](CDialog&, FakeDialogHost& h) {
            seen.push_back({h.Title(), h.ItemText(CFilterEditDialog::kNameEdit),
                            h.ItemText(CFilterEditDialog::kRulesEdit)});
            if (answer.ok) {
                if (answer.name)
                    h.UserSetsText(CFilterEditDialog::kNameEdit, *answer.name);
                if (answer.rules)
                    h.UserSetsText(CFilterEditDialog::kRulesEdit, *answer.rules);
                h.UserClicks(CFilterEditDialog::kOkButton);  // ends the editor unless OK is greyed
            } else {
                h.UserClicks(mb::kIdCancel);
            }
            return mb::kIdCancel;
        });
    }
    // Reaches a button's handler whether or not the button is enabled.
    void Press(int id) { dialog->Dispatch(DialogEvent::kCommand, id, notify::kButtonClicked); }
    List Names() { return host.Control(D::kList).items; }
    int Selected() { return host.ListSelection(D::kList); }
    bool Enabled(int id) { return host.IsItemEnabled(id); }

    List mainList;
    std::unique_ptr<D> dialog;
    FakeDialogHost host;
    EditorAnswer answer;
    std::vector<EditorSeen> seen;
    int helpCalls = 0;
};

TEST_F(FiltersDialogTest, InitialisationListsTheNamesInOrderAndSelectsTheMainWindowsFilter) {
    Open({kAll, L"Web||+web*", L"Db||+db*", L"Alpha||+a*"}, 2);
    EXPECT_EQ(Names(), (List{L"All PuTTYs", L"Web", L"Db", L"Alpha"}));  // not sorted
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(host.ItemText(D::kPreview), L"+db*");
    EXPECT_FALSE(dialog->modified);
    EXPECT_FALSE(Enabled(D::kApply));
    EXPECT_EQ(dialog->workingList, mainList);
}

TEST_F(FiltersDialogTest, WithAFreshProfileOnlyAddAndCopyAreEnabled) {
    Open({kAll}, 0);
    EXPECT_EQ(Names(), (List{L"All PuTTYs"}));
    EXPECT_EQ(host.ItemText(D::kPreview), L"+*");
    for (int id : {D::kEdit, D::kRemove, D::kRemoveAll, D::kMoveUp, D::kMoveDown, D::kApply})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(D::kAdd));
    EXPECT_TRUE(Enabled(D::kCopy));
}

TEST_F(FiltersDialogTest, ChangingTheSelectionShowsThatFiltersRules) {
    Open({kAll, L"Web||+web*;\r\n-*test*", L"Db||+db*"}, 0);
    host.UserSelects(D::kList, 1);
    EXPECT_EQ(host.ItemText(D::kPreview), L"+web*;\r\n-*test*");
    host.UserSelects(D::kList, 2);
    EXPECT_EQ(host.ItemText(D::kPreview), L"+db*");
}

TEST_F(FiltersDialogTest, AnEntryWithoutTheSeparatorShowsNoNameAndNoRules) {
    // Only a profile edited by hand holds such an entry; the preview never shows another
    // filter's rules for it.
    Open({kAll, L"Web||+web*", L"stray text"}, 1);
    EXPECT_EQ(Names()[2], L"");
    host.UserSelects(D::kList, 2);
    EXPECT_EQ(host.ItemText(D::kPreview), L"");
}

struct EnablingCase {
    const char* what;
    int count;
    int selection;  // -1: none
    bool modified;
    std::map<int, bool> enabled;
};

TEST_F(FiltersDialogTest, ButtonsFollowTheEnablingRules) {
    const EnablingCase cases[] = {
        {"only the first filter",
         1,
         0,
         false,
         {{D::kAdd, true},
          {D::kCopy, true},
          {D::kEdit, false},
          {D::kRemove, false},
          {D::kRemoveAll, false},
          {D::kMoveUp, false},
          {D::kMoveDown, false},
          {D::kApply, false}}},
        {"first of three",
         3,
         0,
         false,
         {{D::kAdd, true},
          {D::kCopy, true},
          {D::kEdit, false},
          {D::kRemove, false},
          {D::kRemoveAll, true},
          {D::kMoveUp, false},
          {D::kMoveDown, false}}},
        {"second of three: it cannot move above the first",
         3,
         1,
         false,
         {{D::kEdit, true},
          {D::kRemove, true},
          {D::kRemoveAll, true},
          {D::kMoveUp, false},
          {D::kMoveDown, true}}},
        {"last of three",
         3,
         2,
         false,
         {{D::kEdit, true}, {D::kRemove, true}, {D::kMoveUp, true}, {D::kMoveDown, false}}},
        {"middle of four", 4, 2, false, {{D::kMoveUp, true}, {D::kMoveDown, true}}},
        {"second and last of two",
         2,
         1,
         false,
         {{D::kRemoveAll, true}, {D::kMoveUp, false}, {D::kMoveDown, false}, {D::kEdit, true}}},
        {"99 filters", 99, 50, false, {{D::kAdd, true}, {D::kCopy, true}}},
        {"100 filters", 100, 50, false, {{D::kAdd, false}, {D::kCopy, false}, {D::kEdit, true}}},
        {"100 filters, first selected", 100, 0, false, {{D::kAdd, false}, {D::kCopy, false}}},
        {"no selection",
         3,
         -1,
         false,
         {{D::kAdd, true},
          {D::kCopy, false},
          {D::kEdit, false},
          {D::kRemove, false},
          {D::kRemoveAll, true},
          {D::kMoveUp, false},
          {D::kMoveDown, false}}},
        {"modified", 2, 0, true, {{D::kApply, true}}},
        {"not modified", 2, 1, false, {{D::kApply, false}}},
    };
    for (const EnablingCase& c : cases) {
        SCOPED_TRACE(c.what);
        host = FakeDialogHost();
        Open(Filters(c.count), 0);
        dialog->modified = c.modified;
        host.UserSelects(D::kList, c.selection);
        for (const auto& [id, on] : c.enabled) EXPECT_EQ(Enabled(id), on) << "button " << id;
    }
}

struct OperationCase {
    const char* what;
    List before;
    int selection;
    int button;
    EditorAnswer answer;
    std::optional<EditorSeen> editor;  // what the editor is given; none: no editor runs
    List after;
    int selectedAfter;
    bool modifiedAfter;
};

TEST_F(FiltersDialogTest, EachOperationChangesTheWorkingListAndTheSelection) {
    const List abc{kAll, L"A||a", L"B||b", L"C||c"};
    const EditorAnswer cancel{};
    const EditorAnswer keep{true, {}, {}};
    const OperationCase cases[] = {
        {"Add appends a new last entry",
         {kAll, L"A||a"},
         0,
         D::kAdd,
         {true, L"Web", L"+web*;-*test*"},
         EditorSeen{L"Add Filter", L"", L""},
         {kAll, L"A||a", L"Web||+web*;-*test*"},
         2,
         true},
        {"Add cancelled",
         {kAll, L"A||a"},
         1,
         D::kAdd,
         cancel,
         EditorSeen{L"Add Filter", L"", L""},
         {kAll, L"A||a"},
         1,
         false},
        {"Edit replaces the entry in place, under the title Edit Filter",
         abc,
         2,
         D::kEdit,
         {true, L"B2", L"+b2*"},
         EditorSeen{L"Edit Filter", L"B", L"b"},
         {kAll, L"A||a", L"B2||+b2*", L"C||c"},
         2,
         true},
        {"Edit cancelled", abc, 1, D::kEdit, cancel, EditorSeen{L"Edit Filter", L"A", L"a"}, abc, 1, false},
        {"Edit of the first filter does nothing", abc, 0, D::kEdit, keep, std::nullopt, abc, 0, false},
        {"Copy of the first filter",
         {kAll, L"A||a"},
         0,
         D::kCopy,
         keep,
         EditorSeen{L"Copy Filter", L"Copy of All PuTTYs", L"+*"},
         {kAll, L"A||a", L"Copy of All PuTTYs||+*"},
         2,
         true},
        {"Copy appends at the end, not next to the original",
         abc,
         1,
         D::kCopy,
         {true, L"A again", {}},
         EditorSeen{L"Copy Filter", L"Copy of A", L"a"},
         {kAll, L"A||a", L"B||b", L"C||c", L"A again||a"},
         4,
         true},
        {"Copy cancelled", abc, 1, D::kCopy, cancel, EditorSeen{L"Copy Filter", L"Copy of A", L"a"}, abc, 1,
         false},
        {"Remove of a middle entry selects the one that followed",
         abc,
         2,
         D::kRemove,
         cancel,
         std::nullopt,
         {kAll, L"A||a", L"C||c"},
         2,
         true},
        {"Remove of the last entry selects the new last one",
         abc,
         3,
         D::kRemove,
         cancel,
         std::nullopt,
         {kAll, L"A||a", L"B||b"},
         2,
         true},
        {"Remove of the first filter does nothing", abc, 0, D::kRemove, cancel, std::nullopt, abc, 0, false},
        {"Remove All keeps the first filter and selects it",
         abc,
         2,
         D::kRemoveAll,
         cancel,
         std::nullopt,
         {kAll},
         0,
         true},
        {"Remove All with the first filter alone does nothing",
         {kAll},
         0,
         D::kRemoveAll,
         cancel,
         std::nullopt,
         {kAll},
         0,
         false},
        {"Move Up of the last entry",
         abc,
         3,
         D::kMoveUp,
         cancel,
         std::nullopt,
         {kAll, L"A||a", L"C||c", L"B||b"},
         2,
         true},
        {"Move Up of the third entry",
         abc,
         2,
         D::kMoveUp,
         cancel,
         std::nullopt,
         {kAll, L"B||b", L"A||a", L"C||c"},
         1,
         true},
        {"Move Up of the second entry does nothing", abc, 1, D::kMoveUp, cancel, std::nullopt, abc, 1, false},
        {"Move Up of the first entry does nothing", abc, 0, D::kMoveUp, cancel, std::nullopt, abc, 0, false},
        {"Move Down of the second entry",
         abc,
         1,
         D::kMoveDown,
         cancel,
         std::nullopt,
         {kAll, L"B||b", L"A||a", L"C||c"},
         2,
         true},
        {"Move Down of the last entry does nothing", abc, 3, D::kMoveDown, cancel, std::nullopt, abc, 3,
         false},
        {"Move Down of the first entry does nothing", abc, 0, D::kMoveDown, cancel, std::nullopt, abc, 0,
         false},
        {"Add with 100 filters does nothing", Filters(100), 5, D::kAdd, keep, std::nullopt, Filters(100), 5,
         false},
        {"Copy with 100 filters does nothing", Filters(100), 5, D::kCopy, keep, std::nullopt, Filters(100), 5,
         false},
    };
    for (const OperationCase& c : cases) {
        SCOPED_TRACE(c.what);
        host = FakeDialogHost();
        seen.clear();
        answer = c.answer;
        Open(c.before, c.selection);
        Press(c.button);

        if (c.editor) {
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].title, c.editor->title);
            EXPECT_EQ(seen[0].name, c.editor->name);
            EXPECT_EQ(seen[0].rules, c.editor->rules);
        } else {
            EXPECT_TRUE(host.ModalRuns().empty());
        }
        EXPECT_TRUE(host.MessageBoxes().empty());  // nothing is ever asked
        EXPECT_EQ(dialog->workingList, c.after);
        List names;
        for (const std::wstring& d : c.after) names.push_back(d.substr(0, d.find(L"||")));
        EXPECT_EQ(Names(), names);
        EXPECT_EQ(Selected(), c.selectedAfter);
        EXPECT_EQ(dialog->modified, c.modifiedAfter);
        EXPECT_EQ(Enabled(D::kApply), c.modifiedAfter);
        EXPECT_EQ(mainList, c.before);  // only Apply writes back
    }
}

TEST_F(FiltersDialogTest, AnEditorWhoseOkStaysGreyedChangesNothing) {
    Open({kAll, L"A||a"}, 1);
    answer = {true, L"Bad||name", {}};
    host.UserClicks(D::kEdit);
    EXPECT_EQ(dialog->workingList, (List{kAll, L"A||a"}));
    EXPECT_FALSE(dialog->modified);
}

TEST_F(FiltersDialogTest, DoubleClickEditsTheEntry) {
    Open({kAll, L"A||a", L"B||b"}, 0);
    answer = {true, L"Bee", {}};
    host.UserDoubleClicks(D::kList, 2);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].name, L"B");
    EXPECT_EQ(dialog->workingList[2], L"Bee||b");
    EXPECT_EQ(Selected(), 2);
}

TEST_F(FiltersDialogTest, DoubleClickOnTheFirstFilterDoesNothing) {
    Open({kAll, L"A||a"}, 1);
    host.UserDoubleClicks(D::kList, 0);
    EXPECT_TRUE(host.ModalRuns().empty());
}

TEST_F(FiltersDialogTest, AWholeSessionOfOperationsReachesTheMainListOnlyAtApply) {
    Open({kAll}, 0);
    answer = {true, L"Web", L"+web*;-*test*"};
    host.UserClicks(D::kAdd);
    answer = {true, L"Db", L"+db*"};
    host.UserClicks(D::kAdd);
    host.UserClicks(D::kMoveUp);  // Db above Web
    answer = {true, {}, {}};
    host.UserClicks(D::kCopy);  // "Copy of Db" at the end
    EXPECT_EQ(mainList, (List{kAll}));
    EXPECT_TRUE(Enabled(D::kApply));

    host.UserClicks(D::kApply);
    EXPECT_EQ(mainList, (List{kAll, L"Db||+db*", L"Web||+web*;-*test*", L"Copy of Db||+db*"}));
    EXPECT_EQ(dialog->dialogSelection, 3);
    EXPECT_FALSE(dialog->modified);
    EXPECT_FALSE(Enabled(D::kApply));
    EXPECT_FALSE(host.Ended());
}

TEST_F(FiltersDialogTest, ApplyThenCancelKeepsWhatWasApplied) {
    Open({kAll, L"A||a", L"B||b"}, 0);
    host.UserClicks(D::kRemoveAll);
    answer = {true, L"Web", L"+web*"};
    host.UserClicks(D::kAdd);
    host.UserClicks(D::kApply);
    // Changes after the Apply are dropped by Cancel, and so is the later selection.
    host.UserSelects(D::kList, 0);
    host.UserClicks(D::kAdd);
    host.UserClicks(D::kCancel);
    ASSERT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), mb::kIdCancel);
    EXPECT_EQ(mainList, (List{kAll, L"Web||+web*"}));
    EXPECT_EQ(dialog->dialogSelection, 1);
}

TEST_F(FiltersDialogTest, OkAppliesTheListAndTheSelectionThenEnds) {
    Open({kAll, L"A||a", L"B||b"}, 1);
    host.UserSelects(D::kList, 2);
    host.UserClicks(D::kOk);
    ASSERT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), mb::kIdOk);
    EXPECT_EQ(dialog->dialogSelection, 2);
    EXPECT_EQ(mainList, (List{kAll, L"A||a", L"B||b"}));
}

TEST_F(FiltersDialogTest, CancelWithoutApplyWritesNothingBack) {
    for (int cancelId : {D::kCancel, mb::kIdCancel}) {  // the button, and Escape or the close box
        SCOPED_TRACE(cancelId);
        host = FakeDialogHost();
        Open({kAll, L"A||a", L"B||b"}, 1);
        host.UserSelects(D::kList, 2);
        host.UserClicks(D::kRemove);
        Press(cancelId);
        ASSERT_TRUE(host.Ended());
        EXPECT_EQ(host.EndResult(), mb::kIdCancel);
        EXPECT_EQ(mainList, (List{kAll, L"A||a", L"B||b"}));
        EXPECT_EQ(dialog->dialogSelection, 1);
    }
}

TEST_F(FiltersDialogTest, HelpOpensTheHomePageFromTheDialogAndFromTheEditor) {
    Open({kAll, L"A||a"}, 1);
    EXPECT_TRUE(dialog->Dispatch(DialogEvent::kHelp));
    EXPECT_EQ(helpCalls, 1);
    host.OnModal(CFilterEditDialog::kTemplate, [](CDialog& d, FakeDialogHost&) {
        d.Dispatch(DialogEvent::kHelp);
        return mb::kIdCancel;
    });
    host.UserClicks(D::kEdit);
    EXPECT_EQ(helpCalls, 2);
    EXPECT_FALSE(host.Ended());
    EXPECT_EQ(dialog->workingList, (List{kAll, L"A||a"}));
}

}  // namespace
}  // namespace tandrel
