// tandrel.exe as the operator sees it: its window, commands typed into its command box and sent
// to the probe terminals, the single instance, Escape, the history and the exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "app_steps.h"
#include "e2e_files.h"
#include "local_http_server.h"
#include "probe_client.h"
#include "tandrel_client.h"
#include "ui/show_targets.h"

namespace e2e {
namespace {

constexpr int kCommandBox = IDC_COMMAND_BOX;
constexpr int kReturnToggle = IDC_RETURN_TOGGLE;

// A profile written before the start: no update check over the network, plus `extra` lines.
void WriteProfile(const TempFolder& folder, const std::string& extra) {
    WriteAppProfile(folder, "checkForUpdates=0\r\n" + extra);
}

std::wstring CommandText(HWND app) {
    return WindowText(GetDlgItem(app, kCommandBox));
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// One key press as the operator makes it, with Shift when `shift`.
void Press(WORD vk, bool shift = false) {
    if (shift)
        Key(VK_SHIFT, false);
    Key(vk, false);
    Key(vk, true);
    if (shift)
        Key(VK_SHIFT, true);
    Sleep(5);
}

// Types the text on the US keyboard.
void Type(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT code = VkKeyScanW(c);
        ASSERT_NE(code, -1) << "no key types " << static_cast<int>(c);
        Press(static_cast<WORD>(code & 0xFF), (code & 0x100) != 0);
    }
}

// Brings tandrel.exe to the front with the focus in its command box, the way a click there does
// (or, not `bringForward`, waits for it to get there by itself); when it does not, says where the
// keyboard is.
::testing::AssertionResult FocusCommandBox(HWND app, bool bringForward = true) {
    if (bringForward)
        SetForegroundWindow(app);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (WaitUntil(
            [&] {
                return GetForegroundWindow() == app &&
                       GetGUIThreadInfo(GetWindowThreadProcessId(app, nullptr), &info) &&
                       info.hwndFocus == GetDlgItem(app, kCommandBox);
            },
            kWaitMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "in front: " << ::testing::PrintToString(WindowText(GetForegroundWindow()))
           << "; the focus on control " << GetDlgCtrlID(info.hwndFocus);
}

class MainWindowTest : public ::testing::Test {
  protected:
    TempFolder folder_{L"e2e-main"};
};

TEST_F(MainWindowTest, StartsWithItsTitleAndTheCommandBoxFocused) {
    WriteProfile(folder_, "");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(app.Window()) == L"Tandrel 1.7 - Keyfanner"; }, kWaitMs))
        << "title: " << testing::PrintToString(WindowText(app.Window()));
    EXPECT_TRUE(IsWindowVisible(app.Window()));
    // The return toggle: a push-like check box named by its text, the arrow its picture.
    const HWND toggle = GetDlgItem(app.Window(), kReturnToggle);
    EXPECT_EQ(WindowText(toggle), L"End with Enter");
    EXPECT_EQ(GetWindowLongW(toggle, GWL_STYLE) & (BS_TYPEMASK | BS_PUSHLIKE), BS_CHECKBOX | BS_PUSHLIKE);
    EXPECT_NE(SendMessageW(toggle, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_TRUE(FocusCommandBox(app.Window()));
    // The history buttons wait for a history.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(app.Window(), IDC_HISTORY_OLDER)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(app.Window(), IDC_SEND)));
}

TEST_F(MainWindowTest, TypedCommandReachesEveryProbeThatPassesTheFilterAndTheBoxEmpties) {
    WriteProfile(folder_, "filter00=Web||+web*\r\nfilter01=All PuTTYs||+*\r\nfilter=0\r\n");
    Probe web1(folder_, {.className = L"PuTTY", .title = L"web01 - bash"});
    Probe web2(folder_, {.className = L"PuTTYtel", .title = L"web02 - bash"});
    Probe db(folder_, {.className = L"PuTTY", .title = L"db01 - psql"});
    Probe decoy(folder_, {.className = L"Notepad", .title = L"web99 - notes"});
    Probe hung(folder_, {.className = L"PuTTY", .title = L"web03 - bash", .hangOnRequest = true});
    ASSERT_TRUE(web1.Started() && web2.Started() && db.Started() && decoy.Started() && hung.Started());
    ASSERT_TRUE(hung.Hang());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    ASSERT_TRUE(FocusCommandBox(app.Window()));

    Type(L"ls -la /tmp");
    ASSERT_TRUE(WaitUntil([&] { return CommandText(app.Window()) == L"ls -la /tmp"; }, kWaitMs))
        << testing::PrintToString(CommandText(app.Window()));
    Press(VK_RETURN);

    const std::wstring expected = L"ls -la /tmp\r";
    EXPECT_TRUE(web1.WaitForChars(expected.size(), kWaitMs)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(expected.size(), kWaitMs)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.Events()), expected);
    EXPECT_EQ(TypedText(web2.Events()), expected);
    // The one that does not answer is passed over, and named once the run has ended.
    const HWND box = WaitForMessageBox(app.ProcessId(), kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              L"These terminal windows missed the command:\n\nweb03 - bash: did not answer");
    EXPECT_TRUE(AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return CommandText(app.Window()).empty(); }, kWaitMs));
    EXPECT_TRUE(Settled(db.Window()) && Settled(decoy.Window()));
    EXPECT_EQ(TypedText(db.Events()), L"");
    EXPECT_EQ(TypedText(decoy.Events()), L"");
    // Back in the command box, with the history button now enabled.
    EXPECT_TRUE(FocusCommandBox(app.Window()));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(app.Window(), IDC_HISTORY_OLDER)));
}

TEST_F(MainWindowTest, SecondStartBringsTheFirstForwardAndEnds) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    ShowWindow(app.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }, kWaitMs));

    ChildProcess second;
    ASSERT_TRUE(second.Start(folder_.File(L"tandrel.exe"), {}, folder_.Path()));
    EXPECT_TRUE(second.WaitForExit(kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(app.Window()) && IsWindowVisible(app.Window()); }, kWaitMs));
    EXPECT_TRUE(app.Process().Running());
    EXPECT_EQ(FindWindowOfProcess(L"TANDREL_WND_CLASS", second.Id()), nullptr);
}

TEST_F(MainWindowTest, TwoStartsAtTheSameMomentLeaveOneRunning) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    const std::wstring exe = folder_.File(L"tandrel.exe");
    ASSERT_TRUE(CopyFileW(TandrelExe().c_str(), exe.c_str(), FALSE));
    ChildProcess first;
    ChildProcess second;
    ASSERT_TRUE(first.Start(exe, {}, folder_.Path()) && second.Start(exe, {}, folder_.Path()));
    EXPECT_TRUE(WaitUntil([&] { return !first.Running() || !second.Running(); }, kWaitMs));
    ChildProcess& survivor = first.Running() ? first : second;
    HWND w = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (w = FindWindowOfProcess(L"TANDREL_WND_CLASS", survivor.Id())) != nullptr; }, kWaitMs));
    EXPECT_TRUE(WaitVisible(w, kWaitMs));
    EXPECT_TRUE(Settled(w));  // it has taken whatever the other start sent it
    EXPECT_NE(first.Running(), second.Running());
    EXPECT_EQ(FindWindowW(L"TANDREL_WND_CLASS", nullptr), w);
}

// An instance living in the tray is ended with the session, its window never destroyed: what it
// was sent since the start is in the profile by then.
TEST_F(MainWindowTest, SessionEndLeavesTheCommandsInTheProfile) {
    WriteProfile(folder_, "minimizeToSysTray=1\r\n");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    const struct {
        UINT message;
        const wchar_t* command;
        const wchar_t* slot;
    } ends[] = {{WM_QUERYENDSESSION, L"uptime", L"cmdhistory00"}, {WM_ENDSESSION, L"df -h", L"cmdhistory01"}};
    std::size_t typed = 0;
    for (const auto& end : ends) {
        ASSERT_TRUE(FocusCommandBox(app.Window()));
        Type(end.command);
        Press(VK_RETURN);
        typed += std::wstring(end.command).size() + 1;
        ASSERT_TRUE(web1.WaitForChars(typed, kWaitMs)) << Dump(web1.Events());
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(app.Window(), end.message, end.message == WM_ENDSESSION,
                                        ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kWaitMs, &answer));
        if (end.message == WM_QUERYENDSESSION) {
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));  // the session may end
        }
        EXPECT_EQ(ProfileValue(app.ProfilePath(), end.slot), end.command);
    }
    app.Stop();
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cmdhistory01"), L"df -h");
}

// A backup or sync tool holds the profile open without sharing while the program starts: it is
// named in a message, and left as it was even though it is free again by the exit.
TEST_F(MainWindowTest, AProfileHeldOpenAtStartIsNamedAndLeftUntouched) {
    WriteProfile(folder_, "cmdhistory00=kept\r\nfilter00=Web||+web*\r\n");
    const std::wstring path = folder_.File(L"tandrel.ini");
    const std::string before = ReadWholeFile(path);
    HANDLE held =
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ScopedHttpProxy proxy(UnusedLocalPort());  // the defaults check for updates: on loopback, refused
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND box = WaitForMessageBox(app.ProcessId(), kWaitMs);
    CloseHandle(held);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find(path), std::wstring::npos)
        << testing::PrintToString(MessageBoxText(box));
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ASSERT_TRUE(Shown(app));
    SendMessageW(GetDlgItem(app.Window(), kCommandBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ls"));
    Click(app.Window(), IDC_SEND);
    HWND none = WaitForMessageBox(app.ProcessId(), kWaitMs);  // no terminal is open: it says so
    ASSERT_NE(none, nullptr);
    EXPECT_NE(MessageBoxText(none).find(L"nothing was sent"), std::wstring::npos);
    ASSERT_TRUE(AnswerMessageBox(none, IDOK));
    Click(app.Window(), IDM_TRAY_EXIT);
    ASSERT_TRUE(app.Process().WaitForExit(kWaitMs));
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST_F(MainWindowTest, EscapeLeavesTheWindowOpen) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    ASSERT_TRUE(FocusCommandBox(app.Window()));
    Type(L"abc");
    Press(VK_ESCAPE);
    SetFocus(nullptr);
    EXPECT_TRUE(Settled(app.Window()));  // the Escape has been taken
    EXPECT_TRUE(app.Process().Running());
    EXPECT_TRUE(IsWindow(app.Window()) && IsWindowVisible(app.Window()));
    EXPECT_EQ(CommandText(app.Window()), L"abc");
}

TEST_F(MainWindowTest, UpAndDownWalkTheHistoryAndKeepTheSpaces) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    const std::wstring commands[] = {L"date", L"echo  two  spaces "};
    std::size_t typed = 0;
    for (const std::wstring& command : commands) {
        ASSERT_TRUE(FocusCommandBox(app.Window()));
        Type(command);
        Press(VK_RETURN);
        typed += command.size() + 1;
        ASSERT_TRUE(web1.WaitForChars(typed, kWaitMs)) << Dump(web1.Events());
        ASSERT_TRUE(WaitUntil([&] { return CommandText(app.Window()).empty(); }, kWaitMs));
    }
    ASSERT_TRUE(FocusCommandBox(app.Window()));
    const auto shows = [&](const std::wstring& text) {
        return WaitUntil([&] { return CommandText(app.Window()) == text; }, kWaitMs);
    };
    Press(VK_UP);
    EXPECT_TRUE(shows(L"echo  two  spaces ")) << testing::PrintToString(CommandText(app.Window()));
    Press(VK_UP, true);  // Shift+Up steps too, and selects nothing
    EXPECT_TRUE(shows(L"date")) << testing::PrintToString(CommandText(app.Window()));
    Press(VK_DOWN);
    EXPECT_TRUE(shows(L"echo  two  spaces ")) << testing::PrintToString(CommandText(app.Window()));
    // The caret is after the last character: typing appends.
    Type(L"x");
    EXPECT_TRUE(shows(L"echo  two  spaces x")) << testing::PrintToString(CommandText(app.Window()));
}

TEST_F(MainWindowTest, TabCompletionSendsTheTextWithTab) {
    WriteProfile(folder_, "tabCompletion=1\r\n");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    ASSERT_TRUE(FocusCommandBox(app.Window()));
    Type(L"cd /us");
    Press(VK_TAB);
    EXPECT_TRUE(web1.WaitForChars(7, kWaitMs)) << Dump(web1.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"cd /us\t");
    // The focus comes back to the box by itself. (A click meanwhile would take the foreground
    // while the terminal may still be taking its keys, and the report would name it.)
    EXPECT_TRUE(FocusCommandBox(app.Window(), false));
}

TEST_F(MainWindowTest, ClosingWithoutTrayModeEndsTheProgramAndTheProfileKeepsTheHistory) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    ASSERT_TRUE(FocusCommandBox(app.Window()));
    Type(L"uptime");
    Press(VK_RETURN);
    ASSERT_TRUE(web1.WaitForChars(7, kWaitMs)) << Dump(web1.Events());

    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(kWaitMs));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cmdhistory00"), L"uptime");
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"minimizeToSysTray"), L"0");
}

TEST_F(MainWindowTest, ClearAsksFirstAndYesEmptiesTheHistory) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\ncmdhistory00=uptime\r\ncmdhistory01=df -h\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    HWND clear = GetDlgItem(app.Window(), IDC_HISTORY_CLEAR);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(clear) != FALSE; }, kWaitMs));

    // No keeps everything.
    PostMessageW(clear, BM_CLICK, 0, 0);
    HWND box = WaitForMessageBox(app.ProcessId(), kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Tandrel");
    EXPECT_EQ(MessageBoxText(box), L"Are you sure you want to\nclear the command history?");
    PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWaitMs));
    EXPECT_TRUE(IsWindowEnabled(clear));

    // Yes empties it, and the history buttons go grey.
    PostMessageW(clear, BM_CLICK, 0, 0);
    box = WaitForMessageBox(app.ProcessId(), kWaitMs);
    ASSERT_NE(box, nullptr);
    PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(clear); }, kWaitMs));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(app.Window(), IDC_HISTORY_OLDER)));

    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(kWaitMs));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cmdhistory00"), L"");
}

TEST_F(MainWindowTest, ClosingInTrayModeHidesTheWindowAndASecondStartShowsItAgain) {
    WriteProfile(folder_, "minimizeToSysTray=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Window()); }, kWaitMs));

    ChildProcess second;
    ASSERT_TRUE(second.Start(folder_.File(L"tandrel.exe"), {}, folder_.Path()));
    EXPECT_TRUE(second.WaitForExit(kWaitMs));
    EXPECT_TRUE(WaitVisible(app.Window(), kWaitMs));
    EXPECT_TRUE(app.Process().Running());
}

std::wstring ClipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data)); p != nullptr) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    CopyMemory(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

TEST_F(MainWindowTest, SelectionCopiesAndTheRightButtonPastesLikeATerminal) {
    WriteProfile(folder_, "emulateCopyPaste=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    HWND box = GetDlgItem(app.Window(), kCommandBox);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"tail -f\r\n/var/log"));
    SetClipboardText(L"before");

    // A release without a selection leaves the clipboard alone.
    SendMessageW(box, EM_SETSEL, 3, 3);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ClipboardText(), L"before");

    // A selection across the line break goes to the clipboard with its CR LF.
    SendMessageW(box, EM_SETSEL, 5, 11);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ClipboardText(), L"-f\r\n/v");

    // The right button pastes over the selection.
    SetClipboardText(L"less");
    SendMessageW(box, EM_SETSEL, 0, 4);
    SendMessageW(box, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(CommandText(app.Window()), L"less -f\r\n/var/log");
}

TEST_F(MainWindowTest, WithoutCopyPasteEmulationTheSelectionIsNotCopied) {
    WriteProfile(folder_, "emulateCopyPaste=0\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    HWND box = GetDlgItem(app.Window(), kCommandBox);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"uname -a"));
    SetClipboardText(L"before");
    SendMessageW(box, EM_SETSEL, 0, 5);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ClipboardText(), L"before");
}

// The windows of Show Targets' marks that the process shows now.
std::vector<HWND> MarksOf(DWORD processId) {
    struct Found {
        DWORD pid;
        std::vector<HWND> marks;
    } found{processId, {}};
    EnumWindows(
        [](HWND h, LPARAM p) {
            auto* f = reinterpret_cast<Found*>(p);
            wchar_t name[64] = {};
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == f->pid && IsWindowVisible(h) && GetClassNameW(h, name, 64) > 0 &&
                std::wstring(name) == L"TandrelTargetMark")
                f->marks.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.marks;
}

// What the desktop shows at a point: the top-level windows over it, topmost first, by class.
std::string ScreenAt(int x, int y) {
    std::string out = "windows over the point:";
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        char name[64] = {};
        if (!IsWindowVisible(h) || !GetWindowRect(h, &r) || !PtInRect(&r, POINT{x, y}))
            continue;
        GetClassNameA(h, name, sizeof name);
        out +=
            std::string(" ") + name + ((GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "(topmost)" : "");
    }
    return out;
}

TEST_F(MainWindowTest, ShowTargetsNumbersTheProbesForAMomentWithoutTakingTheFocus) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    Probe web3(folder_, {.title = L"web03"});
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02"});
    Probe web4(folder_, {.title = L"web04", .minimized = true});
    ASSERT_TRUE(web1.Started() && web2.Started() && web3.Started() && web4.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));
    // The probes clear of the main window, which is always on top: where it covers a probe, the
    // corner read below would be the main window's, whatever the marks do.
    RECT main{};
    GetWindowRect(app.Window(), &main);
    const Probe* marked[] = {&web1, &web2, &web3};
    for (int i = 0; i < 3; ++i) {
        SetWindowPos(marked[i]->Window(), nullptr, main.right + 20, 20 + 220 * i, 300, 200,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ASSERT_TRUE(FocusCommandBox(app.Window()));
    Key(VK_CONTROL, false);
    Press('T');
    Key(VK_CONTROL, true);

    std::vector<HWND> marks;
    ASSERT_TRUE(WaitUntil([&] { return (marks = MarksOf(app.ProcessId())).size() == 4; }, 5000))
        << marks.size();
    std::map<std::wstring, RECT> byText;
    for (HWND m : marks) GetWindowRect(m, &byText[WindowText(m)]);
    EXPECT_EQ(byText.count(L"1 minimised"), 1u);
    const Probe* inOrder[] = {&web1, &web2, &web3};
    std::vector<POINT> corners;
    for (int n = 1; n <= 3; ++n) {
        const auto it = byText.find(std::to_wstring(n));
        ASSERT_NE(it, byText.end()) << n;
        RECT probe{};
        GetWindowRect(inOrder[n - 1]->Window(), &probe);
        const POINT centre{(it->second.left + it->second.right) / 2,
                           (it->second.top + it->second.bottom) / 2};
        EXPECT_TRUE(PtInRect(&probe, centre)) << n;
        corners.push_back(POINT{it->second.left + 3, it->second.top + 3});
    }
    // On the screen: each mark's amber, just inside its corner, once Wine has put the painted
    // marks on the X screen (a moment after their paint, longer on a busy machine), while they
    // last.
    HDC screen = GetDC(nullptr);
    std::string seen;
    const bool amber = WaitUntil(
        [&] {
            seen.clear();
            bool all = true;
            for (const POINT& p : corners) {
                const COLORREF c = GetPixel(screen, p.x, p.y);
                const bool isAmber =
                    GetRValue(c) > 200 && GetGValue(c) > 120 && GetGValue(c) < 220 && GetBValue(c) < 100;
                all = all && isAmber;
                char hex[16];
                std::snprintf(hex, sizeof hex, " %06lx", static_cast<unsigned long>(c));
                seen += hex;
                if (!isAmber)
                    seen += " (" + ScreenAt(p.x, p.y) + ")";
            }
            return all;
        },
        tandrel::kTargetMarksMs);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(amber) << "the corners of marks 1, 2, 3:" << seen;
    // The operator's window keeps the keyboard while the marks show, and they go by themselves.
    EXPECT_EQ(GetForegroundWindow(), app.Window());
    EXPECT_TRUE(WaitUntil([&] { return MarksOf(app.ProcessId()).empty(); }, 3000));
    EXPECT_EQ(GetForegroundWindow(), app.Window());
    EXPECT_EQ(TypedText(web1.Events()), L"");
}

}  // namespace
}  // namespace e2e
