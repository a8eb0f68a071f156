// Command submission and the history: the add step, the older and newer steps with their wrap,
// and clearing with its question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace tandrel {
namespace {

using History = std::vector<std::wstring>;

class HistoryTest : public testing::Test {
  protected:
    void SetUp() override {
        t.Profile(L"checkForUpdates=0\r\n");
        t.Init();
        term = t.Terminal(L"web01");
    }
    void Type(const std::wstring& text) { t.host.UserSetsText(mainid::kCommandBox, text); }
    void Send() { t.host.UserClicks(mainid::kSend); }
    void Older() { t.host.UserClicks(mainid::kHistoryOlder); }
    void Newer() { t.host.UserClicks(mainid::kHistoryNewer); }
    void Submit(const std::wstring& text) {
        Type(text);
        Send();
    }
    History& history() { return t.dialog.commandHistory; }

    fakes::MainWindowOn t;
    WindowId term = kNoWindow;
};

TEST_F(HistoryTest, AfterASubmissionOlderShowsItAndNewerShowsTheOldest) {
    Submit(L"first");
    Submit(L"second");
    EXPECT_EQ(t.dialog.historyCursor, 2);
    Older();
    EXPECT_EQ(t.Box(), L"second");
    Submit(L"third");
    Newer();
    EXPECT_EQ(t.Box(), L"first");
}

TEST_F(HistoryTest, BothDirectionsWrapAround) {
    for (const wchar_t* c : {L"a", L"b", L"c"}) Submit(c);
    std::wstring seen;
    for (int i = 0; i < 4; ++i) {
        Older();
        seen += t.Box();
    }
    EXPECT_EQ(seen, L"cbac");  // from the oldest, older wraps to the newest
    seen.clear();
    for (int i = 0; i < 4; ++i) {
        Newer();
        seen += t.Box();
    }
    EXPECT_EQ(seen, L"abca");  // from the newest, newer wraps to the oldest
}

TEST_F(HistoryTest, BlanksAreSentButNotStored) {
    Submit(L"kept");
    Older();
    Submit(L" \t\r\n ");
    EXPECT_EQ(history(), History{L"kept"});
    EXPECT_EQ(t.dialog.historyCursor, 1);
    EXPECT_EQ(t.Box(), L"");
    // Broadcast all the same; the line break reaches the terminal as one Enter.
    EXPECT_EQ(t.desktop.Window(term).text, L"kept\r \t\r \r");
}

TEST_F(HistoryTest, ACommandIsStoredAndRecalledExactlyAsTyped) {
    Submit(L"  ls -l  ");
    Submit(L"echo one\r\necho two");
    EXPECT_EQ(history(), (History{L"  ls -l  ", L"echo one\r\necho two"}));
    Older();
    Older();
    EXPECT_EQ(t.Box(), L"  ls -l  ");
    // Editing a recalled command changes only the box.
    Type(L"  ls -la  ");
    Older();
    EXPECT_EQ(history()[0], L"  ls -l  ");
}

TEST_F(HistoryTest, TheSameCommandTwiceIsStoredTwice) {
    Submit(L"uptime");
    Submit(L"uptime");
    EXPECT_EQ(history(), (History{L"uptime", L"uptime"}));
}

TEST_F(HistoryTest, TheHundredMostRecentAreKept) {
    for (int n = 0; n < 100; ++n) history().push_back(L"c" + std::to_wstring(n));
    Submit(L"newest");
    ASSERT_EQ(history().size(), 100u);
    EXPECT_EQ(history().front(), L"c1");
    EXPECT_EQ(history().back(), L"newest");
    EXPECT_EQ(t.dialog.historyCursor, 100);
}

TEST_F(HistoryTest, WithNoTerminalOpenSendStillStoresAndEmpties) {
    t.desktop.Window(term).className = L"Notepad";  // no terminal window anywhere
    Submit(L"date");
    EXPECT_EQ(history(), History{L"date"});
    EXPECT_EQ(t.Box(), L"");
}

TEST_F(HistoryTest, TabCompletionStoresAndEmptiesLikeSend) {
    t.dialog.tabCompletion = 1;
    Type(L"cd /et");
    std::uint32_t key = vk::kTab;
    t.dialog.PreTranslateKeyDown(mainid::kCommandBox, key);
    EXPECT_EQ(history(), History{L"cd /et"});
    EXPECT_EQ(t.Box(), L"");
    EXPECT_EQ(t.dialog.historyCursor, 1);
}

TEST_F(HistoryTest, TheStepsEndWithTheFocusBackAndTheButtonsEnabled) {
    Submit(L"x");
    for (int id : {mainid::kHistoryOlder, mainid::kHistoryNewer, mainid::kHistoryClear})
        EXPECT_TRUE(t.host.IsItemEnabled(id)) << id;
    t.host.FocusItem(mainid::kHistoryOlder);
    Older();
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(t.host.DefaultButton(), mainid::kSend);
}

TEST_F(HistoryTest, OnAnEmptyHistoryTheStepsDoNothingAtAll) {
    Type(L"draft");
    t.host.FocusItem(mainid::kFilterCombo);
    t.desktop.ClearCalls();
    t.dialog.HistoryOlder();
    t.dialog.HistoryNewer();
    std::uint32_t key = vk::kUp;
    t.dialog.PreTranslateKeyDown(mainid::kCommandBox, key);
    EXPECT_EQ(t.Box(), L"draft");
    EXPECT_EQ(t.host.FocusedItem(), mainid::kFilterCombo);  // no RestoreCommandFocus either
    EXPECT_TRUE(t.desktop.Calls().empty());
}

TEST_F(HistoryTest, ClearAsksAndYesEmptiesHistoryAndBox) {
    Submit(L"one");
    Type(L"typed since");
    t.host.AnswerNextMessageBox(mb::kIdYes);
    t.host.UserClicks(mainid::kHistoryClear);
    ASSERT_EQ(t.host.MessageBoxes().size(), 1u);
    EXPECT_EQ(t.host.MessageBoxes()[0].text, L"Are you sure you want to\nclear the command history?");
    EXPECT_EQ(t.host.MessageBoxes()[0].caption, L"Tandrel");
    EXPECT_EQ(t.host.MessageBoxes()[0].flags, mb::kYesNo | mb::kIconExclamation);
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(t.dialog.historyCursor, 0);
    EXPECT_EQ(t.Box(), L"");
    for (int id : {mainid::kHistoryOlder, mainid::kHistoryNewer, mainid::kHistoryClear})
        EXPECT_FALSE(t.host.IsItemEnabled(id)) << id;
}

TEST_F(HistoryTest, ClearAnsweredNoChangesNothing) {
    Submit(L"one");
    Submit(L"two");
    Older();
    Type(L"typed since");
    t.host.AnswerNextMessageBox(mb::kIdNo);
    t.host.UserClicks(mainid::kHistoryClear);
    EXPECT_EQ(history(), (History{L"one", L"two"}));
    EXPECT_EQ(t.dialog.historyCursor, 1);
    EXPECT_EQ(t.Box(), L"typed since");
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
}

TEST_F(HistoryTest, ClearOnAnEmptyHistoryAsksNothing) {
    Type(L"draft");
    t.host.UserClicks(mainid::kHistoryClear);
    EXPECT_TRUE(t.host.MessageBoxes().empty());
    EXPECT_EQ(t.Box(), L"draft");
    EXPECT_EQ(t.host.FocusedItem(), mainid::kCommandBox);
}

}  // namespace
}  // namespace tandrel
