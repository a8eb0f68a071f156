// The main window's operations against real PuTTY windows, each on a raw session to its own bash
// on a loopback port: what every shell receives, byte for byte, and what it then does; where the
// windows are placed. PuTTY reads its keys itself and claims some combinations, which no probe
// terminal shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <commctrl.h>

#include "res/resource.h"
#include "app_steps.h"
#include "core_dialog.h"
#include "desktop_steps.h"
#include "e2e_files.h"
#include "putty_client.h"
#include "tandrel_client.h"

#undef MessageBox

#include "fakes/fake_dialog_host.h"
#include "settings/base64.h"
#include "ui/main_dialog.h"
#include "ui/password_dialog.h"

namespace e2e {
namespace {

using tandrel::CMainDialog;

constexpr DWORD kBoundMs = 20000;

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// Bytes as C escapes, for failure messages.
std::string Shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

// Waits until a file the shell makes is there and, when asked, complete.
bool WaitUntilFile(const std::wstring& path, bool (*complete)(const std::string&) = nullptr) {
    const ULONGLONG until = GetTickCount64() + kBoundMs;
    for (;;) {
        const bool there = FileExists(path) && (complete == nullptr || complete(ReadWholeFile(path)));
        if (there || GetTickCount64() >= until)
            return there;
        Sleep(10);
    }
}

std::pair<int, int> Pair(LONG a, LONG b) {
    return {static_cast<int>(a), static_cast<int>(b)};
}

std::vector<std::wstring> Titles(std::size_t n) {
    std::vector<std::wstring> titles;
    for (std::size_t i = 1; i <= n; ++i) titles.push_back(std::wstring(L"putty") + std::to_wstring(i));
    return titles;
}

class PuttyTest : public ::testing::Test {
  protected:
    // Waits until every window has sent `want` since `from` bytes, then compares them exactly.
    static void ExpectReceived(const PuttyWindows& windows, const std::vector<std::string>& want,
                               const std::vector<std::size_t>& from, const std::string& what) {
        const ULONGLONG until = GetTickCount64() + kBoundMs;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const ULONGLONG now = GetTickCount64();
            windows[i].WaitForReceived(from[i] + want[i].size(),
                                       now < until ? static_cast<DWORD>(until - now) : 0);
            const std::string got =
                windows[i].Received().substr(std::min(from[i], windows[i].Received().size()));
            EXPECT_EQ(Shown(got), Shown(want[i])) << what << ", window " << i + 1;
        }
    }
    static std::vector<std::size_t> Marks(const PuttyWindows& windows) {
        std::vector<std::size_t> marks;
        for (std::size_t i = 0; i < windows.size(); ++i) marks.push_back(windows[i].Received().size());
        return marks;
    }

    // The operator presses Caps Lock with the main window in front; true once its thread sees it
    // on. Switched off again by capsLock_.Undo() (the broadcast may have reset what this thread
    // reads, under Wine).
    bool SwitchCapsLockOn() {
        SetForegroundWindow(mainWindow_);
        if ((GetKeyState(VK_CAPITAL) & 1) == 0)
            capsLock_.Press();
        const ULONGLONG until = GetTickCount64() + kBoundMs;
        MSG msg;
        while ((GetKeyState(VK_CAPITAL) & 1) == 0 && GetTickCount64() < until) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
        return (GetKeyState(VK_CAPITAL) & 1) != 0;
    }

    CoreDialog core_;
    tandrel::fakes::FakeDialogHost* host_ = &core_.Host();
    CMainDialog& dialog_ = core_.Dialog();
    HWND mainWindow_ = core_.StandIn();
    CapsLockPresses capsLock_;
};

// The scenarios below run both ways: typed in the foreground and in the background.
class PuttyWaysTest : public PuttyTest, public ::testing::WithParamInterface<bool> {
  protected:
    PuttyWaysTest() { dialog_.settings.typeInBackground = GetParam() ? 1 : 0; }
};

// Broadcasts with the increment marker into eight windows, each command in every shell exactly
// once and byte for byte: with and without a transition wait, from windows that start hidden or
// minimised, after Minimize, after Hide, and with Caps Lock on. Every window is shown afterwards.
TEST_F(PuttyTest, BroadcastReachesEveryShellByteForByte) {
    PuttyWindows windows(Titles(8));
    ASSERT_EQ(windows.Error(), "");
    ShowWindow(windows[2].Window(), SW_HIDE);
    ShowWindow(windows[5].Window(), SW_MINIMIZE);

    const struct {
        const char* what;
        int transition;
        void (*before)(CMainDialog&);
        bool capsLock;
    } rounds[] = {
        {"transition 25 ms, one hidden and one minimised", 25, nullptr, false},
        {"transition 0", 0, nullptr, false},
        {"after Minimize", 25, [](CMainDialog& d) { d.MinimizeTargets(); }, false},
        {"after Hide", 25, [](CMainDialog& d) { d.HideTargets(); }, false},
        {"Caps Lock on", 25, nullptr, true},
    };
    std::vector<std::string> ran(windows.size());
    for (std::size_t r = 0; r < std::size(rounds); ++r) {
        const auto& round = rounds[r];
        if (round.before != nullptr)
            round.before(dialog_);
        if (round.capsLock) {
            ASSERT_TRUE(SwitchCapsLockOn());
        }
        dialog_.settings.transition = round.transition;
        const std::vector<std::size_t> from = Marks(windows);
        const std::wstring round_ = std::wstring(L"-r") + std::to_wstring(r);
        dialog_.BroadcastKeys(L"echo ok-{%INC%}" + round_ + L" >>f", false, true);
        if (round.capsLock)
            capsLock_.Undo();
        std::vector<std::string> want;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const std::string n = std::to_string(i + 1) + Utf8(round_);
            want.push_back("echo ok-" + n + " >>f\r");
            ran[i] += "ok-" + n + "\n";
        }
        ExpectReceived(windows, want, from, round.what);
        for (std::size_t i = 0; i < windows.size(); ++i) {
            EXPECT_TRUE(IsWindowVisible(windows[i].Window()) && !IsIconic(windows[i].Window()))
                << round.what << ", window " << i + 1;
        }
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i].WaitForPrompts(1 + std::size(rounds), kBoundMs);
        EXPECT_EQ(ReadWholeFile(windows[i].ShellFile(L"f")), ran[i]) << "window " << i + 1;
    }
}

// Every class of character the command box holds arrives as itself, in UTF-8: the characters
// the key-sequence language would read as its own, quotes, an accented letter, Cyrillic, CJK, a
// character beyond 16 bits.
TEST_P(PuttyWaysTest, EveryCharacterClassArrivesAsItself) {
    PuttyWindows windows(Titles(3));
    ASSERT_EQ(windows.Error(), "");
    const std::wstring command =
        L"echo '%()+@^{}~ \"!$' \u00e9\u00c9 \u0436\u0416 \u4e2d\u6587 \U0001F600 >f";
    const std::vector<std::size_t> from = Marks(windows);
    dialog_.BroadcastKeys(command, false, true);
    ExpectReceived(windows, std::vector<std::string>(windows.size(), Utf8(command) + "\r"), from, "command");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i].WaitForPrompts(2, kBoundMs);
        EXPECT_EQ(Shown(ReadWholeFile(windows[i].ShellFile(L"f"))),
                  Shown(Utf8(L"%()+@^{}~ \"!$ \u00e9\u00c9 \u0436\u0416 \u4e2d\u6587 \U0001F600\n")))
            << "window " << i + 1;
    }
}

// Each quick key does in the shell what its caption says. Steps are typed keys (played like a
// script line) or quick keys; a step may wait for a file the shell makes, so that the next key
// finds the command running. The shell's file g tells what the edited lines ran.
TEST_P(PuttyWaysTest, QuickKeysDoWhatTheirCaptionsSay) {
    PuttyWindows windows(Titles(2));
    ASSERT_EQ(windows.Error(), "");
    constexpr int kUp = IDC_KEY_UP, kLeft = IDC_KEY_LEFT, kRight = IDC_KEY_RIGHT, kDown = IDC_KEY_DOWN,
                  kCentre = IDC_KEY_CENTRE, kCtrlC = IDC_KEY_CTRL_C, kCtrlR = IDC_KEY_CTRL_R,
                  kCtrlD = IDC_KEY_CTRL_D, kCtrlBracket = IDC_KEY_CTRL_BRACKET, kEnter = IDC_KEY_ENTER,
                  kEsc = IDC_KEY_ESC, kBksp = IDC_KEY_BACKSPACE, kDelete = IDC_KEY_DELETE;
    const struct {
        const wchar_t* typed;  // or a quick key
        int quickKey;
        const char* bytes;
        const wchar_t* madeFile;  // waited for after the step
        // The shell's next prompt waited for after the step: a key for the line editor typed while
        // a command still runs meets the terminal's cooked mode, which takes Ctrl+R (reprint) itself
        // and flushes what was typed ahead on Ctrl+C.
        bool prompt = false;
    } steps[] = {
        // s1 is made by the process that then becomes sleep: Ctrl+C finds it running.
        {L"sh -c 'touch s1; exec sleep 100'~", 0, "sh -c 'touch s1; exec sleep 100'\r", L"s1"},
        {nullptr, kCtrlC, "\x03", nullptr},  // interrupts sleep: the next command runs
        {L"touch s2; cat~", 0, "touch s2; cat\r", L"s2"},
        {nullptr, kCtrlD, "\x04", nullptr},  // ends cat
        {L"touch s3~", 0, "touch s3\r", L"s3"},
        {L">>g echo 1234", 0, ">>g echo 1234", nullptr},
        {nullptr, kLeft, "\x1b[D", nullptr},
        {nullptr, kLeft, "\x1b[D", nullptr},
        {nullptr, kBksp, "\x7f", nullptr},       // deletes the 2
        {nullptr, kDelete, "\x1b[3~", nullptr},  // deletes the 3
        {nullptr, kRight, "\x1b[C", nullptr},
        {nullptr, kEnter, "\r", nullptr},  // runs >>g echo 14
        {nullptr, kUp, "\x1b[A", nullptr},
        {nullptr, kUp, "\x1b[A", nullptr},
        {nullptr, kDown, "\x1b[B", nullptr},
        {nullptr, kEnter, "\r", nullptr},  // the newest line again
        {L">>g echo ab cd", 0, ">>g echo ab cd", nullptr},
        {nullptr, kEsc, "\x1b", nullptr},
        {L"bX", 0, "bX", nullptr},  // Esc b: a word back
        {nullptr, kEnter, "\r", nullptr, true},
        {L">>g echo ef gh", 0, ">>g echo ef gh", nullptr},
        {L"%bY", 0,
         "\x1b"
         "bY",
         nullptr},  // Alt+b: a word back, as Esc b
        {nullptr, kEnter, "\r", nullptr, true},
        {nullptr, kCtrlR, "\x12", nullptr},  // searches back
        {L"Xc", 0, "Xc", nullptr},
        {nullptr, kEnter, "\r", nullptr, true},
        {nullptr, kCtrlBracket, "\x1d", nullptr},  // searches for the next character typed
        {L"x", 0, "x", nullptr},
        {nullptr, kCtrlC, "\x03", nullptr},  // abandons the line
        {L"touch s4~", 0, "touch s4\r", L"s4"},
        {nullptr, kCentre, "\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r", nullptr},
        {L"touch s5~", 0, "touch s5\r", L"s5"},
    };
    std::vector<std::size_t> from = Marks(windows);
    std::string sent;
    for (const auto& step : steps) {
        std::vector<std::size_t> prompts;
        for (std::size_t i = 0; i < windows.size(); ++i) prompts.push_back(windows[i].Prompts());
        if (step.typed != nullptr) {
            dialog_.BroadcastKeys(step.typed, false, false);
        } else {
            ASSERT_TRUE(dialog_.OnQuickKey(step.quickKey));
        }
        sent += step.bytes;
        for (std::size_t i = 0; step.prompt && i < windows.size(); ++i)
            EXPECT_TRUE(windows[i].WaitForPrompts(prompts[i] + 1, kBoundMs)) << "window " << i + 1;
        if (step.madeFile == nullptr)
            continue;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const PuttyWindow& w = windows[i];
            EXPECT_TRUE(WaitUntilFile(w.ShellFile(step.madeFile)))
                << Shown(sent) << "\nwindow " << i + 1 << " received " << Shown(w.Received());
        }
    }
    ExpectReceived(windows, std::vector<std::string>(windows.size(), sent), from, "quick keys");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(ReadWholeFile(windows[i].ShellFile(L"g")), "14\n14\nab Xcd\nef Ygh\nab Xcd\n")
            << "window " << i + 1;
        // A prompt at the start, after each of the eleven command lines ended (run, interrupted,
        // abandoned) and after each of the thirty Enters.
        windows[i].WaitForPrompts(42, kBoundMs);
        EXPECT_EQ(windows[i].Prompts(), 42u) << "window " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, PuttyWaysTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Background" : "Foreground");
                         });

// Both ways, the password reaches `read -s` in every shell, every character literal; a script of
// several lines runs each line once, with one Enter whatever ends the line (LF, CR LF, CR).
TEST_P(PuttyWaysTest, PasswordAndScriptReachEveryShell) {
    PuttyWindows windows(Titles(3));
    ASSERT_EQ(windows.Error(), "");
    TempFolder folder(L"e2e-putty");
    const std::vector<std::size_t> from = Marks(windows);
    dialog_.BroadcastKeys(L"read -s p; echo \"[$p]\" >pw", false, true);
    const std::wstring password = L"s3cr+t^%{x}~@ !";
    host_->OnModal(tandrel::CPasswordDialog::kTemplate,
                   [&](tandrel::CDialog& d, tandrel::fakes::FakeDialogHost& h) {
                       h.SetItemText(tandrel::CPasswordDialog::kPassword, password);
                       d.OnOK();
                       return tandrel::mb::kIdOk;
                   });
    dialog_.OnPassword();
    const std::wstring script = folder.File(L"three.tdl");
    ASSERT_TRUE(WriteWholeFile(script, "echo one >>sc\necho two >>sc\r\necho three >>sc\recho four >>sc\n"));
    host_->ChooseFileNext(script);
    dialog_.OnScript();
    // Every shell was served, so the operator was told of no window passed over.
    for (const tandrel::fakes::ShownMessageBox& box : host_->MessageBoxes()) ADD_FAILURE() << Utf8(box.text);
    const std::string sent = "read -s p; echo \"[$p]\" >pw\r" + Utf8(password) +
                             "\recho one >>sc\recho two >>sc\recho three >>sc\recho four >>sc\r";
    ExpectReceived(windows, std::vector<std::string>(windows.size(), sent), from, "password and script");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const PuttyWindow& w = windows[i];
        EXPECT_TRUE(WaitUntilFile(w.ShellFile(L"pw"))) << Shown(w.Received());
        EXPECT_EQ(Shown(ReadWholeFile(w.ShellFile(L"pw"))), Shown(std::string("[") + Utf8(password) + "]\n"))
            << "window " << i + 1;
        EXPECT_TRUE(WaitUntilFile(w.ShellFile(L"sc"), [](const std::string& s) { return s.size() >= 19; }))
            << "window " << i + 1 << ": " << Shown(w.Received());
        EXPECT_EQ(ReadWholeFile(w.ShellFile(L"sc")), "one\ntwo\nthree\nfour\n")
            << "window " << i + 1 << ": " << Shown(w.Received());
    }
}

// Cascade puts every window at its step with the cascade size as its client area; Tile puts
// every whole window inside its cell and the screen, although PuTTY does not take the size
// announced to it.
TEST_F(PuttyTest, CascadeAndTilePlaceEveryWindow) {
    PuttyWindows windows(Titles(8));
    ASSERT_EQ(windows.Error(), "");
    dialog_.CascadeTargets();
    const int s = GetSystemMetrics(SM_CYSIZE);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        RECT outer{}, client{};
        GetWindowRect(windows[i].Window(), &outer);
        GetClientRect(windows[i].Window(), &client);
        const int at = s * static_cast<int>(i + 1);
        wchar_t title[64] = {};
        GetWindowTextW(windows[i].Window(), title, 64);
        EXPECT_EQ(Pair(outer.left, outer.top), std::make_pair(at, at))
            << "cascade, window " << i + 1 << " titled " << Utf8(title);
        EXPECT_EQ(Pair(client.right, client.bottom), std::make_pair(642, 386)) << "cascade, window " << i + 1;
        EXPECT_TRUE(IsWindowVisible(windows[i].Window()));
    }

    dialog_.TileTargets();
    const int cellW = GetSystemMetrics(SM_CXFULLSCREEN) / 2, cellH = GetSystemMetrics(SM_CYFULLSCREEN) / 4;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        RECT outer{};
        GetWindowRect(windows[i].Window(), &outer);
        const RECT cell{static_cast<LONG>(i % 2) * cellW, static_cast<LONG>(i / 2) * cellH,
                        static_cast<LONG>(i % 2 + 1) * cellW, static_cast<LONG>(i / 2 + 1) * cellH};
        const std::string where = std::string("tile, window ") + std::to_string(i + 1) + " at " +
                                  std::to_string(outer.left) + "," + std::to_string(outer.top) + "-" +
                                  std::to_string(outer.right) + "," + std::to_string(outer.bottom);
        EXPECT_EQ(Pair(outer.left, outer.top), Pair(cell.left, cell.top)) << where;
        EXPECT_LE(outer.right, std::min(cell.right, screen.right)) << where;
        EXPECT_LE(outer.bottom, std::min(cell.bottom, screen.bottom)) << where;
        EXPECT_TRUE(IsWindowVisible(windows[i].Window()) && !IsIconic(windows[i].Window())) << where;
    }
}

// tandrel.exe's Targets window over real PuTTY windows: the second one unticked there (by the
// keyboard: Home, Down, Space) is left out of the next command, and ticked again it is back.
TEST_F(PuttyTest, AWindowUntickedInTheTargetsWindowIsLeftOutUntilTickedAgain) {
    PuttyWindows windows(Titles(3));
    ASSERT_EQ(windows.Error(), "");
    TempFolder folder(L"e2e-putty-targets");
    WriteAppProfile(folder, "checkForUpdates=0\r\nminimizeToSysTray=0\r\nalwaysOnTop=0\r\n");
    TandrelApp app(folder);
    ASSERT_TRUE(Shown(app));
    PostMessageW(app.Window(), WM_SYSCOMMAND, tandrel::mainid::kTargetsSysCommand, 0);
    HWND list = GetDlgItem(WaitForDialog(app.Window(), L"Targets"), IDC_TARGETS_LIST);
    ASSERT_NE(list, nullptr);
    const auto ticked = [&](int row) {
        return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) ==
               2;
    };
    const auto toggleSecond = [&] {
        for (WPARAM key : {VK_HOME, VK_DOWN, VK_SPACE}) PostMessageW(list, WM_KEYDOWN, key, 1);
    };
    ASSERT_TRUE(
        WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 3 && ticked(1); }, kBoundMs));
    toggleSecond();
    ASSERT_TRUE(WaitUntil([&] { return !ticked(1); }, kBoundMs));

    for (const char* round : {"left-out", "back"}) {
        const std::vector<std::size_t> from = Marks(windows);
        SetText(app.Window(), IDC_COMMAND_BOX,
                L"echo {%INC%}-" + std::wstring(round, round + std::strlen(round)));
        Click(app.Window(), IDC_SEND);
        const bool back = round[0] == 'b';
        // Typed in title order: once the third has its keys, the second had its turn.
        ExpectReceived(windows,
                       {std::string("echo 1-") + round + "\r", back ? std::string("echo 2-back\r") : "",
                        std::string("echo ") + (back ? "3-" : "2-") + round + "\r"},
                       from, round);
        if (!back) {
            toggleSecond();
            ASSERT_TRUE(WaitUntil([&] { return ticked(1); }, kBoundMs));
        }
    }
    Click(app.Window(), IDM_TRAY_EXIT);
    EXPECT_TRUE(app.Process().WaitForExit(kBoundMs));
}

// Saved sessions opened by tandrel.exe's Open Sessions dialog and a handed-over /open, each tiled;
// the session whose host refuses is named.
TEST(PuttySessionsTest, OpenSessionsOpensAndTilesTheSavedSessionsAndNamesTheOneRefused) {
    TempFolder folder(L"e2e-sessions");
    WriteAppProfile(folder,
                    "checkForUpdates=0\r\nminimizeToSysTray=0\r\nputtyPath=" + Narrow(PuttyExe()) + "\r\n");
    TandrelApp app(folder);
    ASSERT_TRUE(Shown(app));
    PuttyWindows saved({L"e2e-web01", L"e2e-web02"}, SW_SHOWNORMAL, false);
    ASSERT_EQ(saved.Error(), "");
    ASSERT_TRUE(SaveRefusingSession(L"e2e-refused"));
    Click(app.Window(), IDM_TRAY_OPEN_SESSIONS);
    const HWND dialog = WaitForDialog(app.Window(), L"Open Sessions");
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, IDC_SESSION_PATTERN, L"e2e-*;-*02");
    Click(dialog, IDC_OPEN_SESSIONS);
    const HWND box = WaitForMessageBox(app.ProcessId(), kBoundMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"No PuTTY window appeared for:\ne2e-refused");
    AnswerMessageBox(box, IDOK);
    const std::wstring exe = folder.File(L"tandrel-cli.exe");
    CopyFileW(TandrelExe().c_str(), exe.c_str(), FALSE);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(folder.File(L"out.txt").c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
    ChildProcess cli;
    ASSERT_TRUE(cli.Start(exe, {L"/open", L"*02;*refused", L"/tile"}, folder.Path(), -1, out));
    CloseHandle(out);
    ASSERT_TRUE(cli.WaitForExit(kWaitMs));
    EXPECT_EQ(cli.ExitCode(), 1u);
    EXPECT_EQ(ReadWholeFile(folder.File(L"out.txt")),
              "Opened 1 of 2 sessions; no window appeared for:\r\n  e2e-refused\r\n");
    ASSERT_TRUE(saved.Adopt());
    const tandrel::Placement whole =
        tandrel::TilePlacements(1, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN))[0];
    for (std::size_t i = 0; i < saved.size(); ++i)
        EXPECT_TRUE(WaitUntil([&] { return InTileCell(saved[i].Window(), whole, false); }, kBoundMs)) << i;
    EndPuttyErrorBoxes();
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\SimonTatham\\PuTTY\\Sessions\\e2e-refused");
}

}  // namespace
}  // namespace e2e
