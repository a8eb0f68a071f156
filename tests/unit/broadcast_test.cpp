// The broadcast through the fake desktop and the real key sender: what each window receives,
// and the order of the calls that bring each one forward.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fakes/desktop_variants.h"
#include "fakes/main_window_on.h"
#include "fakes/trace_log.h"

namespace tandrel {
namespace {

using fakes::CapsOffAfterFirstTarget;
using fakes::ClosingDesktop;
using fakes::DialogOn;
using fakes::FakeDesktop;
using fakes::FakeWindow;
using fakes::KeyRecord;
using fakes::ThievingDesktop;

constexpr std::int32_t kTransition = 37;  // unlike any pacing delay of the key sender

// The call log with each run of key events folded into one "keys" line, and only the calls
// the broadcast itself makes (the key sender's own pacing is its business).
std::vector<std::string> BroadcastCalls(const FakeDesktop& d) {
    std::vector<std::string> out;
    for (const std::string& c : d.Calls()) {
        if (c.rfind("key ", 0) == 0 || c.rfind("input ", 0) == 0) {
            if (out.empty() || out.back() != "keys")
                out.push_back("keys");
            continue;
        }
        // The wait for the focus is made in slices; one line says the target was waited for.
        if (c.rfind("wait-focus ", 0) == 0 && !out.empty() && out.back() == c)
            continue;
        for (const char* kept :
             {"send ", "show ", "foreground ", "focus ", "wait-focus ", "wait-input ", "redraw "}) {
            if (c.rfind(kept, 0) == 0)
                out.push_back(c);
        }
        if (c == "sleep " + std::to_string(kTransition))
            out.push_back(c);
    }
    return out;
}

// What bringing one window forward, typing into it and waiting looks like in the log.
std::vector<std::string> ServedCalls(WindowId w) {
    const std::string n = std::to_string(w);
    return {"send " + n + " 0x112 0xf150 " + n,
            "send " + n + " 0x112 0xf120 " + n,
            "show " + n + " 5",
            "foreground " + n,
            "focus " + n,
            "wait-focus " + n,
            "keys",
            "wait-input " + n,
            "sleep " + std::to_string(kTransition)};
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

int CapsLockPresses(const FakeWindow& w) {
    int n = 0;
    for (const KeyRecord& k : w.keys) {
        if (k.vk == vk::kCapital && (k.flags & keyflag::kKeyUp) == 0)
            ++n;
    }
    return n;
}

// For each digit key pressed in the window, in order: whether Ctrl was held at that moment.
std::vector<std::pair<char, bool>> DigitsAndCtrl(const FakeWindow& w) {
    std::vector<std::pair<char, bool>> out;
    std::set<std::uint16_t> held;
    for (const KeyRecord& k : w.keys) {
        const bool up = (k.flags & keyflag::kKeyUp) != 0;
        if (up) {
            held.erase(k.vk);
            continue;
        }
        held.insert(k.vk);
        if (k.vk >= '0' && k.vk <= '9') {
            const bool ctrl = held.count(vk::kControl) + held.count(0xA2) + held.count(0xA3) != 0;
            out.emplace_back(static_cast<char>(k.vk), ctrl);
        }
    }
    return out;
}

template <typename Desktop = FakeDesktop>
struct Broadcast : DialogOn<Desktop> {
    WindowId main = kNoWindow;
    Broadcast() {
        main = this->desktop.AddWindow(L"TANDREL_WND_CLASS", L"Tandrel");
        this->dialog.mainWindow = main;
        this->dialog.settings.transition = kTransition;
        this->desktop.SetFocusNow(main);
    }
    std::vector<WindowId> AddTerminals(const std::vector<std::wstring>& titles) {
        std::vector<WindowId> ids;
        for (const std::wstring& t : titles) ids.push_back(this->desktop.AddWindow(L"PuTTY", t));
        return ids;
    }
    const std::wstring& Text(WindowId w) const { return this->desktop.Window(w).text; }
};

TEST(BroadcastKeys, TypesEachTargetsOwnNumberInTitleOrderAndNothingElsewhere) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"web03", L"web01", L"web02"});
    const WindowId decoyCase = t.desktop.AddWindow(L"putty", L"web04");
    const WindowId decoyOther = t.desktop.AddWindow(L"Notepad", L"web05");
    t.dialog.BroadcastKeys(L"echo 50%+1 >{%INC%}.log", false, true);

    EXPECT_EQ(t.Text(w[1]), L"echo 50%+1 >1.log\r");
    EXPECT_EQ(t.Text(w[2]), L"echo 50%+1 >2.log\r");
    EXPECT_EQ(t.Text(w[0]), L"echo 50%+1 >3.log\r");
    EXPECT_TRUE(t.desktop.Window(decoyCase).keys.empty());
    EXPECT_TRUE(t.desktop.Window(decoyOther).keys.empty());
    EXPECT_TRUE(t.desktop.Window(t.main).keys.empty());
    EXPECT_TRUE(t.desktop.LostKeys().empty());
    EXPECT_TRUE(t.desktop.HeldKeys().empty());

    std::vector<std::string> expected;
    for (WindowId id : {w[1], w[2], w[0]}) Append(expected, ServedCalls(id));
    expected.push_back("redraw " + std::to_string(t.main) + " 0x105");
    EXPECT_EQ(BroadcastCalls(t.desktop), expected);
}

TEST(BroadcastKeys, HiddenAndMinimisedTargetsAreShownBeforeTyping) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
    t.desktop.Window(w[0]).visible = false;
    t.desktop.Window(w[1]).showState = sw::kShowMinimized;
    t.dialog.BroadcastKeys(L"uptime", false, true);
    for (WindowId id : w) {
        EXPECT_TRUE(t.desktop.Window(id).visible);
        EXPECT_EQ(t.desktop.Window(id).showState, sw::kShowNormal);
        EXPECT_EQ(t.Text(id), L"uptime\r");
    }
}

TEST(BroadcastKeys, WithoutTargetsOnlyTheMainWindowIsRedrawn) {
    Broadcast t;
    t.desktop.AddWindow(L"Notepad", L"notes");
    t.dialog.BroadcastKeys(L"reboot", false, true);
    EXPECT_EQ(BroadcastCalls(t.desktop),
              (std::vector<std::string>{"redraw " + std::to_string(t.main) + " 0x105"}));
    EXPECT_TRUE(t.desktop.LostKeys().empty());
    EXPECT_TRUE(t.desktop.Window(t.main).keys.empty());
}

TEST(BroadcastKeys, WithoutAMainWindowNothingIsRedrawn) {
    Broadcast t;
    t.dialog.mainWindow = kNoWindow;
    const WindowId w = t.AddTerminals({L"a"})[0];
    t.dialog.BroadcastKeys(L"x", false, true);
    EXPECT_EQ(t.Text(w), L"x\r");
    EXPECT_TRUE(t.desktop.CallsStartingWith("redraw").empty());
}

TEST(BroadcastKeys, CommandsAreTypedCharacterForCharacter) {
    struct Row {
        std::wstring command;
        std::wstring typed;
    };
    const std::vector<Row> rows = {
        {L"", L"\r"},
        {L"   ", L"   \r"},
        {L"{%inc%} {%Ctrl%}c {%INC %}", L"{%inc%} {%Ctrl%}c {%INC %}\r"},
        {L"{ENTER}^a~(b)+@%{DELAY=500}", L"{ENTER}^a~(b)+@%{DELAY=500}\r"},
        {L"cp a{%INC%} b{%INC%} # {%INC%}", L"cp a2 b2 # 2\r"},
    };
    for (const Row& r : rows) {
        Broadcast t;
        const std::vector<WindowId> w = t.AddTerminals({L"one", L"two"});
        t.dialog.BroadcastKeys(r.command, false, true);
        EXPECT_EQ(t.Text(w[1]), r.typed);  // "two" sorts after "one": position 2
        EXPECT_TRUE(t.desktop.LostKeys().empty());
    }
}

TEST(BroadcastKeys, TenOrMoreTargetsGetTwoDigitsAndCtrlOnTheFirstOnly) {
    Broadcast t;
    std::vector<std::wstring> titles;
    for (int i = 1; i <= 12; ++i) titles.push_back((i < 10 ? L"host0" : L"host") + std::to_wstring(i));
    const std::vector<WindowId> w = t.AddTerminals(titles);
    t.dialog.BroadcastKeys(L"echo {%INC%}", false, true);
    EXPECT_EQ(t.Text(w[0]), L"echo 1\r");
    EXPECT_EQ(t.Text(w[8]), L"echo 9\r");
    EXPECT_EQ(t.Text(w[9]), L"echo 10\r");
    EXPECT_EQ(t.Text(w[11]), L"echo 12\r");

    Broadcast c;
    const std::vector<WindowId> cw = c.AddTerminals(titles);
    c.dialog.BroadcastKeys(L"{%CTRL%}{%INC%}", false, true);
    using Digits = std::vector<std::pair<char, bool>>;
    EXPECT_EQ(DigitsAndCtrl(c.desktop.Window(cw[2])), (Digits{{'3', true}}));
    EXPECT_EQ(DigitsAndCtrl(c.desktop.Window(cw[9])), (Digits{{'1', true}, {'0', false}}));
    EXPECT_EQ(DigitsAndCtrl(c.desktop.Window(cw[11])), (Digits{{'1', true}, {'2', false}}));
    EXPECT_EQ(c.Text(cw[11]), L"2\r");  // Ctrl+1 types no character
}

TEST(BroadcastKeys, CapsLockIsSwitchedOffAroundTheCommandInEveryTarget) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b", L"c"});
    t.desktop.SetCapsLock(true);
    t.dialog.BroadcastKeys(L"Ls -la /TMP", false, true);
    for (WindowId id : w) {
        EXPECT_EQ(t.Text(id), L"Ls -la /TMP\r");
        EXPECT_EQ(CapsLockPresses(t.desktop.Window(id)), 2);
    }
    EXPECT_NE(t.desktop.KeyState(vk::kCapital) & 1, 0);

    // Each target's thread interprets its keys with its own Caps Lock: here on in "b" alone.
    Broadcast u;
    const std::vector<WindowId> v = u.AddTerminals({L"a", L"b", L"c"});
    u.desktop.SetCapsLockOf(v[1], true);
    u.dialog.BroadcastKeys(L"Ls -la /TMP", false, true);
    for (std::size_t i = 0; i < v.size(); ++i) {
        EXPECT_EQ(u.Text(v[i]), L"Ls -la /TMP\r");
        EXPECT_EQ(CapsLockPresses(u.desktop.Window(v[i])), i == 1 ? 2 : 0);
        EXPECT_EQ(u.desktop.KeyStateOfThread(v[i], vk::kCapital) & 1, i == 1 ? 1 : 0);
    }
}

TEST(BroadcastKeys, TheCapsLockStateIsReadAnewForEachTarget) {
    Broadcast<CapsOffAfterFirstTarget> t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
    t.desktop.SetCapsLock(true);
    t.dialog.BroadcastKeys(L"ls", false, true);
    EXPECT_EQ(CapsLockPresses(t.desktop.Window(w[0])), 2);
    EXPECT_EQ(CapsLockPresses(t.desktop.Window(w[1])), 0);
    EXPECT_EQ(t.Text(w[0]), L"ls\r");
    EXPECT_EQ(t.Text(w[1]), L"ls\r");
}

TEST(BroadcastKeys, TabCompletionEndsWithTabAndEnterFollowsTheReturnToggle) {
    struct Row {
        bool endWithTab;
        std::int32_t sendCR;
        std::wstring typed;
    };
    for (const Row& r : {Row{true, 1, L"cd /us\t"}, Row{true, 0, L"cd /us\t"}, Row{false, 1, L"cd /us\r"},
                         Row{false, 0, L"cd /us"}}) {
        Broadcast t;
        const WindowId w = t.AddTerminals({L"a"})[0];
        t.dialog.settings.sendCR = r.sendCR;
        t.dialog.BroadcastKeys(L"cd /us", r.endWithTab, true);
        EXPECT_EQ(t.Text(w), r.typed);
    }
}

TEST(BroadcastKeys, ReadySequencesArePlayedAsTheyAre) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
    t.desktop.SetCapsLock(true);
    t.dialog.BroadcastKeys(L"^C", false, false);
    for (WindowId id : w) {
        EXPECT_EQ(t.Text(id), L"\x0003");
        EXPECT_EQ(CapsLockPresses(t.desktop.Window(id)), 0);
    }
}

TEST(BroadcastKeys, AHungTargetIsPassedOverAndTheOthersServed) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b", L"c"});
    t.desktop.Window(w[1]).hung = true;
    EXPECT_EQ(t.dialog.BroadcastKeys(L"echo {%INC%}", false, true),
              (std::vector<MissedTarget>{{w[1], L"b", MissReason::kNoAnswer}}));
    EXPECT_EQ(t.Text(w[0]), L"echo 1\r");
    EXPECT_TRUE(t.desktop.Window(w[1]).keys.empty());
    EXPECT_EQ(t.Text(w[2]), L"echo 3\r");
    EXPECT_TRUE(t.desktop.LostKeys().empty());

    // Nothing more is asked of the hung window once its first system command went unanswered.
    std::vector<std::string> expected = ServedCalls(w[0]);
    const std::string hung = std::to_string(w[1]);
    Append(expected, {"send " + hung + " 0x112 0xf150 " + hung, "sleep " + std::to_string(kTransition)});
    Append(expected, ServedCalls(w[2]));
    expected.push_back("redraw " + std::to_string(t.main) + " 0x105");
    EXPECT_EQ(BroadcastCalls(t.desktop), expected);
}

TEST(BroadcastKeys, ATargetThatNeverTakesTheKeyboardGetsNothingAndLeaksNothing) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b", L"c"});
    t.desktop.Window(w[1]).activationDelayMs = 6000;  // longer than a hung window may take
    EXPECT_EQ(t.dialog.BroadcastKeys(L"s3cret", false, true),
              (std::vector<MissedTarget>{{w[1], L"b", MissReason::kNoFocus}}));
    EXPECT_EQ(t.Text(w[0]), L"s3cret\r");
    EXPECT_TRUE(t.desktop.Window(w[1]).keys.empty());
    EXPECT_EQ(t.Text(w[2]), L"s3cret\r");
    EXPECT_TRUE(t.desktop.Window(t.main).keys.empty());
    EXPECT_TRUE(t.desktop.LostKeys().empty());

    const std::vector<std::string> calls = BroadcastCalls(t.desktop);
    const std::string slow = std::to_string(w[1]);
    const std::vector<std::string> passedOver = {"send " + slow + " 0x112 0xf150 " + slow,
                                                 "send " + slow + " 0x112 0xf120 " + slow,
                                                 "show " + slow + " 5",
                                                 "foreground " + slow,
                                                 "focus " + slow,
                                                 "wait-focus " + slow,
                                                 "sleep " + std::to_string(kTransition)};
    ASSERT_EQ(calls.size(), 9u + passedOver.size() + 9u + 1u);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 9, calls.begin() + 9 + passedOver.size()), passedOver);
}

TEST(BroadcastKeys, ASlowTargetStillGetsEveryKeyAndTheTimeItsKeysTookCountsTowardTheTransition) {
    Broadcast t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b", L"c", L"d", L"e"});
    t.desktop.Window(w[0]).focusesOnActivation = false;  // must be given the focus
    t.desktop.Window(w[1]).activationDelayMs = 40;
    t.desktop.Window(w[2]).activationDelayMs = 300;
    t.desktop.Window(w[3]).answerDelayMs = 30;    // takes its keys within the transition
    t.desktop.Window(w[4]).answerDelayMs = 1500;  // busy, not hung
    EXPECT_TRUE(t.dialog.BroadcastKeys(L"echo {%INC%}", false, true).empty());
    for (std::size_t i = 0; i < w.size(); ++i)
        EXPECT_EQ(t.Text(w[i]), L"echo " + std::to_wstring(i + 1) + L"\r");
    EXPECT_TRUE(t.desktop.LostKeys().empty());
    // Once the barrier has seen the keys taken, only what is left of the transition is waited.
    const std::vector<std::string> sleeps = t.desktop.CallsStartingWith("sleep ");
    EXPECT_EQ(sleeps, (std::vector<std::string>{"sleep 37", "sleep 37", "sleep 37", "sleep 7"}));

    // The keys' own pacing counts as well: a terminal takes each key as it comes.
    t.desktop.ClearCalls();
    EXPECT_TRUE(t.dialog.BroadcastKeys(L"{DELAY=5}ab", false, false).empty());
    std::vector<std::string> paced;
    for (int i = 0; i < 3; ++i) Append(paced, {"sleep 5", "sleep 5", "sleep 27"});
    for (int i = 0; i < 2; ++i) Append(paced, {"sleep 5", "sleep 5"});
    EXPECT_EQ(t.desktop.CallsStartingWith("sleep "), paced);
}

TEST(BroadcastKeys, ATargetClosedMeanwhileIsPassedOver) {
    Broadcast<ClosingDesktop> t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b", L"c"});
    t.desktop.Window(w[1]).processId = 555;
    t.desktop.closing = w[1];
    t.dialog.BroadcastKeys(L"echo {%INC%}", false, true);
    EXPECT_FALSE(t.desktop.Exists(w[1]));
    EXPECT_EQ(t.Text(w[0]), L"echo 1\r");
    EXPECT_EQ(t.Text(w[2]), L"echo 3\r");
    EXPECT_TRUE(t.desktop.LostKeys().empty());
}

TEST(BroadcastKeys, AForegroundTakenAwayBeforeTypingIsAskedForAgain) {
    Broadcast<ThievingDesktop> t;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
    const WindowId desktopWindow = t.desktop.AddWindow(L"#32769", L"");
    t.desktop.target = w[0];
    t.desktop.thief = desktopWindow;
    EXPECT_TRUE(t.dialog.BroadcastKeys(L"ls", false, true).empty());
    EXPECT_EQ(t.Text(w[0]), L"ls\r");
    EXPECT_EQ(t.Text(w[1]), L"ls\r");
    EXPECT_TRUE(t.desktop.Window(desktopWindow).keys.empty());
    EXPECT_EQ(t.desktop.CallsStartingWith("foreground " + std::to_string(w[0])).size(), 2u);
}

// Keys that arrive after another program took the keyboard go to that program: a target whose
// program no longer holds the keyboard after its keys is named, unless a window of its own holds
// it (a message box of the terminal's).
TEST(BroadcastKeys, AKeyboardTakenByAnotherProgramWhileTypingIsReported) {
    for (const std::uint32_t thiefProcess : {700u, 100u}) {
        SCOPED_TRACE(thiefProcess);
        Broadcast<ThievingDesktop> t;
        const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
        const WindowId thief = t.desktop.AddWindow(L"#32770", L"");
        t.desktop.Window(thief).processId = thiefProcess;
        t.desktop.target = w[0];
        t.desktop.thief = thief;
        t.desktop.afterKeys = true;
        const std::vector<MissedTarget> missed = t.dialog.BroadcastKeys(L"ls", false, true);
        std::vector<MissedTarget> expected;
        if (thiefProcess != 100u)
            expected.push_back({w[0], L"a", MissReason::kKeyboardLost});
        EXPECT_EQ(missed, expected);
        if (!missed.empty()) {  // and the report warns that a secret may have gone astray
            EXPECT_EQ(
                DeliveryReportText(L"the password", missed),
                L"These terminal windows missed the password:\n\na: lost the keyboard to another program "
                L"while its keys were typed\n\nPart of the password may have reached another program.");
        }
        EXPECT_EQ(t.Text(w[1]), L"ls\r");
    }
}

// Each key reaches its own target, nothing stays held, and a sequence that stops early has its
// target named; the operator's own keys are waited for a while (then traced), never released.
TEST(BroadcastKeys, KeysReachTheirTargetOrTheTargetIsNamed) {
    using SetUp = void (*)(FakeDesktop&, FakeWindow & term);
    const SetUp none = [](FakeDesktop&, FakeWindow&) {};
    const struct {
        std::wstring sequence;
        SetUp setUp;
        const wchar_t* typed;  // null: the target closed
        std::optional<MissReason> miss;
    } rows[] = {
        {L"{APPACTIVATE mail}ab", none, L"", MissReason::kActivationFailed},  // mail is slow
        // A window closes once its program has acted on the keys: the next key paced after it
        // is not typed.
        {L"exit~{DELAY 5}ls~", [](FakeDesktop&, FakeWindow& t) { t.closesOnText = L"exit\r"; }, nullptr,
         MissReason::kClosedWhileTyped},
        {L"{VKEY 17}a{VKEY 18}b", none, L"ab", {}},
        {L"echo {" + std::wstring(400, L'x') + L"}", none, L"echo ", MissReason::kBraceTooLong},
        {L"+(Ab)", none, L"AB", {}},
        {L"{ENTER -1}x", none, L"x", {}},
        {L"{VKEY 577}", none, L"\x01", {}},  // Ctrl+A, not AltGr+A
        {L"a\u20AC", [](FakeDesktop&, FakeWindow& t) { t.answerDelayMs = 1500; }, L"a",
         MissReason::kKeysNotTaken},
        // Caps Lock held down is not Caps Lock on.
        {L"l", [](FakeDesktop& d, FakeWindow&) { d.OperatorHolds(vk::kCapital, ~0u); }, L"l", {}},
        {L"{DELAY 2147483647}a", none, L"a", {}},
        {L"ls~", [](FakeDesktop& d, FakeWindow&) { d.OperatorHolds(vk::kMenu, 300); }, L"ls\r", {}},
        {L"ls~", [](FakeDesktop& d, FakeWindow&) { d.OperatorHolds(vk::kControl, ~0u); }, L"\x0c\x13\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.sequence.substr(0, 30)));
        fakes::TraceLog trace;
        Broadcast t;
        const WindowId term = t.AddTerminals({L"a"})[0];
        const WindowId mail = t.desktop.AddWindow(L"Mail", L"mail");
        t.desktop.Window(mail).activationDelayMs = 6000;
        row.setUp(t.desktop, t.desktop.Window(term));
        const std::vector<MissedTarget> missed = t.dialog.BroadcastScript(row.sequence);
        const std::vector<MissedTarget> named = {{term, L"a", row.miss.value_or(MissReason::kNoAnswer)}};
        EXPECT_EQ(missed, row.miss ? named : std::vector<MissedTarget>{});
        EXPECT_EQ(t.desktop.Exists(term), row.typed != nullptr);
        if (row.typed != nullptr) {
            EXPECT_EQ(t.Text(term), row.typed);
        }
        EXPECT_EQ(t.Text(mail) + t.Text(t.main), L"");
        EXPECT_TRUE(t.desktop.HeldKeys().empty());
        EXPECT_LE(t.desktop.SleptMs(), CKeySender::kLongestPacingWaitMs + kTransition);
        EXPECT_EQ(trace.lines.size(), (t.desktop.AsyncKeyState(vk::kControl) & 0x8000) != 0 ? 1u : 0u);
    }
}

TEST(BroadcastKeys, ANegativeTransitionWaitsNotAtAll) {
    std::uint64_t slept[2] = {};
    const std::int32_t transitions[2] = {0, -5};
    for (int i = 0; i < 2; ++i) {
        Broadcast t;
        t.AddTerminals({L"a", L"b"});
        t.dialog.settings.transition = transitions[i];
        t.dialog.BroadcastKeys(L"ls", false, true);
        slept[i] = t.desktop.SleptMs();
    }
    EXPECT_EQ(slept[1], slept[0]);
}

// Typed in the background, every target takes its keys where it is: nothing is shown, brought
// forward or focused and nothing waits between targets; a hung, slow or closing target is named
// without holding up the others, and keys with no message form are typed the foreground way.
TEST(BroadcastInBackground, EveryTargetTakesItsKeysWhereItIsOrIsNamed) {
    using SetUp = void (*)(FakeWindow & b);
    const SetUp none = [](FakeWindow&) {};
    const struct {
        std::wstring command;  // {%INC%} numbers the targets
        SetUp setUp;           // of the second target
        std::wstring typedA, typedB;
        std::optional<MissReason> missB;  // the first one always takes its keys
        bool foreground;                  // typed the foreground way, both named so
    } rows[] = {
        {L"ls {%INC%}", none, L"ls 1\r", L"ls 2\r", {}, false},
        {L"ls", [](FakeWindow& b) { b.visible = false; }, L"ls\r", L"ls\r", {}, false},
        {L"ls", [](FakeWindow& b) { b.showState = sw::kShowMinimized; }, L"ls\r", L"ls\r", {}, false},
        {L"ls", [](FakeWindow& b) { b.hung = true; }, L"ls\r", L"", MissReason::kKeysNotTaken, false},
        {L"ls", [](FakeWindow& b) { b.answerDelayMs = 6000; }, L"ls\r", L"ls\r", MissReason::kKeysNotTaken,
         false},
        {L"x", [](FakeWindow& b) { b.closesOnText = L"x"; }, L"x\r", L"", MissReason::kClosedWhileTyped,
         false},
        {L"ls{%CTRL%}c", none, L"ls\x03\r", L"ls\x03\r", {}, false},
        {L"{%CTRL%}1", none, L"\r", L"\r", MissReason::kTypedInForeground, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.command));
        Broadcast t;
        t.dialog.settings.typeInBackground = 1;
        const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
        row.setUp(t.desktop.Window(w[1]));
        const FakeWindow before = t.desktop.Window(w[1]);
        const std::vector<MissedTarget> missed = t.dialog.BroadcastKeys(row.command, false, true);
        std::vector<MissedTarget> expected;
        if (row.foreground)
            expected.push_back({w[0], L"a", MissReason::kTypedInForeground});
        if (row.missB)
            expected.push_back({w[1], L"b", *row.missB});
        EXPECT_EQ(missed, expected);
        EXPECT_EQ(t.Text(w[0]), row.typedA);
        if (t.desktop.Exists(w[1])) {
            EXPECT_EQ(t.Text(w[1]), row.typedB);
            if (!row.foreground) {
                EXPECT_EQ(t.desktop.Window(w[1]).visible, before.visible);
                EXPECT_EQ(t.desktop.Window(w[1]).showState, before.showState);
            }
        }
        EXPECT_EQ(t.desktop.Focus(), row.foreground ? t.desktop.Focus() : t.main);
        EXPECT_EQ(t.desktop.CallsStartingWith("foreground ").empty(), !row.foreground);
        EXPECT_LE(t.desktop.SleptMs(), row.foreground ? ~0ull : 0ull);
        EXPECT_LE(t.desktop.NowMs(), row.foreground ? ~0ull : kHungThresholdMs);
        EXPECT_TRUE(t.desktop.LostKeys().empty());
    }
}

// While the targets are waited for, and during a delay between their keys, the window's own
// messages are served; a command given then runs once the first has been taken by every target,
// whole and after it.
TEST(BroadcastInBackground, ACommandGivenWhileTheTargetsAreWaitedForRunsAfterTheFirst) {
    Broadcast t;
    t.dialog.settings.typeInBackground = 1;
    const std::vector<WindowId> w = t.AddTerminals({L"a", L"b"});
    std::size_t callsBefore = 0;
    std::size_t callsAfter = 0;
    std::wstring typed;
    t.desktop.whileTaking = [&] {
        typed = t.Text(w[1]);
        callsBefore = t.desktop.Calls().size();
        EXPECT_TRUE(t.dialog.Dispatch(DialogEvent::kCommand, IDC_KEY_CTRL_C, notify::kButtonClicked));
        t.dialog.SubmitCommand(L"pwd", false);
        callsAfter = t.desktop.Calls().size();
    };
    t.dialog.RunInTurn([&] { t.dialog.BroadcastKeys(L"l{DELAY=100}s~", false, false); });
    EXPECT_EQ(typed, L"l");  // served in the delay
    EXPECT_EQ(callsAfter, callsBefore);
    for (WindowId target : w) EXPECT_EQ(t.Text(target), L"ls\r\x03pwd\r");
    EXPECT_EQ(t.desktop.CallsStartingWith("wait-taken ").size(), 3u);
    EXPECT_EQ(t.dialog.commandHistory, std::vector<std::wstring>{L"pwd"});
}

}  // namespace
}  // namespace tandrel
