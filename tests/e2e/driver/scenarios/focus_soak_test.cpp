// The keyboard comes back to the operator after every action: tandrel.exe against probes and real
// PuTTY windows, actions drawn in a fixed pseudo-random order and started with the mouse, each
// followed by a command typed with the keyboard alone. After every action the main window must be
// in front within a second, the focus in the command box and Send the default button; every
// terminal must receive exactly its commands, in order, and nothing else.
//
// E2E_FOCUS_SOAK_ACTIONS sets the number of actions of the long run (40 by default), and
// E2E_FOCUS_SOAK_SEED their order (the seed is printed with every failure).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "res/resource.h"
#include "app_steps.h"
#include "e2e_files.h"
#include "probe_client.h"
#include "putty_client.h"
#include "tandrel_client.h"

namespace e2e {
namespace {

constexpr DWORD kKeyboardBackMs = 1000;  // what the operator would notice
constexpr DWORD kDeliveryMs = 30000;

enum class Action {
    kEnter,
    kSendButton,
    kQuickKey,
    kPassword,
    kScript,
    kCascade,
    kTile,
    kMinimize,
    kHide,
    kFilter
};
const struct {
    Action action;
    const char* name;
    int button;  // clicked with the mouse
} kActions[] = {
    {Action::kEnter, "command+Enter", 0},    {Action::kSendButton, "command+Send", IDC_SEND},
    {Action::kQuickKey, "quick key", 0},     {Action::kPassword, "password", IDC_PASSWORD},
    {Action::kScript, "script", IDC_SCRIPT}, {Action::kCascade, "Cascade", IDC_CASCADE},
    {Action::kTile, "Tile", IDC_TILE},       {Action::kMinimize, "Minimize", IDC_MINIMIZE},
    {Action::kHide, "Hide", IDC_HIDE},       {Action::kFilter, "filter", IDC_FILTER_COMBO},
};

// What each quick key makes a probe type (WM_CHAR) and PuTTY send to its shell.
const struct {
    int id;
    std::wstring probe;
    std::string putty;
} kQuickKeys[] = {
    {IDC_KEY_UP, L"", "\x1b[A"},
    {IDC_KEY_LEFT, L"", "\x1b[D"},
    {IDC_KEY_RIGHT, L"", "\x1b[C"},
    {IDC_KEY_DOWN, L"", "\x1b[B"},
    {IDC_KEY_CENTRE, std::wstring(30, L'\r'), std::string(30, '\r')},
    {IDC_KEY_CTRL_C, L"\x03", "\x03"},
    {IDC_KEY_CTRL_R, L"\x12", "\x12"},
    {IDC_KEY_CTRL_D, L"\x04", "\x04"},
    {IDC_KEY_CTRL_BRACKET, L"\x1d", "\x1d"},
    {IDC_KEY_ENTER, L"\r", "\r"},
    {IDC_KEY_ESC, L"\x1b", "\x1b"},
    {IDC_KEY_BACKSPACE, L"\x08", "\x7f"},
    {IDC_KEY_DELETE, L"", "\x1b[3~"},
};

unsigned FromEnvironment(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? static_cast<unsigned>(std::strtoul(value, nullptr, 10))
                                              : fallback;
}

// Where the keys typed now go: the main window in front, not minimised, the focus in its
// command box and Send its default button.
bool KeyboardInCommandBox(HWND app) {
    if (GetForegroundWindow() != app || IsIconic(app) || !IsWindowVisible(app))
        return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(app, nullptr), &info) ||
        info.hwndFocus != GetDlgItem(app, IDC_COMMAND_BOX))
        return false;
    DWORD_PTR id = 0;
    SendMessageTimeoutW(app, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kKeyboardBackMs, &id);
    return HIWORD(id) == DC_HASDEFID && LOWORD(id) == IDC_SEND;
}

// The visible drop-down list of the process's combo box.
HWND DroppedList(DWORD process) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, L"ComboLBox", nullptr); w != nullptr;
                 w = FindWindowExW(nullptr, w, L"ComboLBox", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == process && IsWindowVisible(w))
                    found = w;
            }
            return found != nullptr;
        },
        kWaitMs);
    return found;
}

// One terminal: a probe (its typed characters) or a PuTTY window (the bytes its shell received).
// A probe's log is read on from where it was left, since it grows with every action.
struct Terminal {
    Probe* probe = nullptr;
    PuttyWindow* putty = nullptr;
    bool inSecondFilter = false;
    mutable std::size_t mark = 0;  // where the unread part of its log starts (bytes)
    std::string want;              // in order; a probe's characters are all ASCII
    mutable std::string typed;

    std::string Got() const {
        if (putty != nullptr)
            return putty->Received().substr(std::min(mark, putty->Received().size()));
        const std::string log = ReadWholeFile(probe->LogPath());
        const std::size_t end = log.rfind('\n');
        if (end != std::string::npos && end + 1 > mark) {
            typed += Narrow(TypedText(ParseProbeLog(log.substr(mark, end + 1 - mark))));
            mark = end + 1;
        }
        return typed;
    }
};

class FocusSoak {
  public:
    FocusSoak(unsigned probeCount, unsigned puttyCount) {
        WriteAppProfile(folder_,
                        "checkForUpdates=0\r\nminimizeToSysTray=0\r\nautoArrange=3\r\nautoMinimize=1\r\n"
                        "filter00=All||+*\r\nfilter01=Probes||+probe*\r\nfilter=0\r\n");
        std::vector<std::wstring> titles;
        for (unsigned i = 1; i <= puttyCount; ++i) titles.push_back(L"shell" + std::to_wstring(i));
        putty_ = std::make_unique<PuttyWindows>(titles);
        for (unsigned i = 1; i <= probeCount; ++i)
            probes_.push_back(
                std::make_unique<Probe>(folder_, ProbeOptions{.title = L"probe" + std::to_wstring(i)}));
        for (auto& p : probes_) {
            const std::string log = ReadWholeFile(p->LogPath());
            const std::size_t end = log.rfind('\n');
            terminals_.push_back({.probe = p.get(),
                                  .inSecondFilter = true,
                                  .mark = end == std::string::npos ? 0 : end + 1,
                                  .want = {},
                                  .typed = {}});
        }
        for (std::size_t i = 0; i < putty_->size(); ++i)
            terminals_.push_back(
                {.putty = &(*putty_)[i], .mark = (*putty_)[i].Received().size(), .want = {}, .typed = {}});
        app_ = std::make_unique<TandrelApp>(folder_);
    }

    // Empty when everything came up.
    std::string Start() {
        if (!putty_->Error().empty())
            return putty_->Error();
        for (auto& p : probes_)
            if (!p->Started())
                return "a probe did not start";
        if (!Shown(*app_))
            return "tandrel.exe did not show its window";
        if (!WaitUntil([&] { return KeyboardInCommandBox(app_->Window()); }, kDeliveryMs))
            return "the keyboard never reached the command box of the window just started";
        // The shells must outlive Ctrl+D on an empty line. This set-up is put into the box rather
        // than typed: the first focus of a window just started makes Wine re-read the modifiers
        // from the X server (KeymapNotify), which holds none of the keys injected here, at a moment
        // no window state tells, and a Shift held then comes up. The actions type every command.
        const std::wstring setUp = L"export IGNOREEOF=999999";
        SetText(app_->Window(), IDC_COMMAND_BOX, setUp);
        PressKey(VK_RETURN);
        Sent(setUp + L"\r");
        return Checked("");
    }

    // Every terminal has exactly its commands, and the command box is empty.
    std::string Finish() const {
        for (std::size_t i = 0; i < terminals_.size(); ++i) {
            if (terminals_[i].Got() != terminals_[i].want)
                return "terminal " + std::to_string(i + 1) + " received\n  " + Escaped(terminals_[i].Got()) +
                       "\nwanted\n  " + Escaped(terminals_[i].want);
        }
        const std::wstring left = WindowText(GetDlgItem(app_->Window(), IDC_COMMAND_BOX));
        return left.empty() ? "" : "the command box kept " + Narrow(left);
    }

    // Runs one action, checks that the keyboard came back, then types the next command with the
    // keyboard alone and checks again.
    std::string Run(Action action, std::size_t quickKey) {
        const std::string error = Act(action, quickKey);
        return error.empty() ? Checked(TypeCommand(Next(L"echo k"), false)) : error;
    }

    unsigned long long slowestMs = 0, totalMs = 0;  // from the end of an action to the keyboard back
    unsigned checks = 0;

  private:
    std::string Act(Action action, std::size_t quickKey) {
        const HWND w = app_->Window();
        switch (action) {
            case Action::kEnter:
                return Checked(TypeCommand(Next(L"echo c"), false));
            case Action::kSendButton:
                return Checked(TypeCommand(Next(L"echo b"), true));
            case Action::kQuickKey:
                MouseClick(GetDlgItem(w, kQuickKeys[quickKey].id));
                Sent(kQuickKeys[quickKey].probe, kQuickKeys[quickKey].putty);
                break;
            case Action::kPassword: {
                MouseClick(GetDlgItem(w, IDC_PASSWORD));
                const HWND dialog = WaitForDialog(w, L"Send Password");
                if (dialog == nullptr)
                    return "no password dialog";
                const std::wstring password = Next(L"pw");
                SetText(dialog, IDC_PASSWORD_EDIT, password);
                MouseClick(GetDlgItem(dialog, IDC_OK));
                Sent(password + L"\r");
                break;
            }
            case Action::kScript: {
                const std::wstring script = folder_.File(L"soak.tdl"), line = Next(L"echo s");
                WriteWholeFile(script, Narrow(line));
                MouseClick(GetDlgItem(w, IDC_SCRIPT));
                const HWND open = WaitForDialog(w, L"Open Tandrel script");
                if (open == nullptr)
                    return "no file dialog";
                HWND name = GetDlgItem(open, 0x480);  // edt1
                if (name == nullptr)
                    name = GetDlgItem(open, 0x47c);  // cmb13
                SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()),
                                    SMTO_ABORTIFHUNG, kWaitMs, nullptr);
                Click(open, IDOK);
                Sent(line + L"\r");
                break;
            }
            case Action::kFilter: {
                MouseClick(GetDlgItem(w, IDC_FILTER_COMBO));
                const HWND list = DroppedList(app_->ProcessId());
                if (list == nullptr)
                    return "the filter list did not drop down";
                filter_ = 1 - filter_;
                const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
                RECT r{};
                GetClientRect(list, &r);
                POINT at{r.right / 2, height * filter_ + height / 2};
                ClientToScreen(list, &at);
                MouseClickAt(at.x, at.y);
                break;
            }
            default:
                MouseClick(GetDlgItem(w, ButtonOf(action)));
                break;
        }
        return Checked("");
    }

    static int ButtonOf(Action a) {
        for (const auto& row : kActions)
            if (row.action == a)
                return row.button;
        return 0;
    }
    static std::string Escaped(const std::string& s) {
        std::string out;
        for (unsigned char c : s) {
            char hex[8];
            std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7f ? "%c" : "\\x%02x", c);
            out += hex;
        }
        return out;
    }

    std::wstring Next(const wchar_t* prefix) { return prefix + std::to_wstring(++number_); }

    // The keys reach every terminal of the filter in force.
    void Sent(const std::wstring& probeChars, const std::string& puttyBytes) {
        for (Terminal& t : terminals_)
            if (filter_ == 0 || t.inSecondFilter)
                t.want += t.putty != nullptr ? puttyBytes : Narrow(probeChars);
    }
    void Sent(const std::wstring& text) { Sent(text, Narrow(text)); }

    // The operator types a command into the box (the keyboard must be there) and sends it with
    // Enter or a click on Send.
    std::string TypeCommand(const std::wstring& command, bool withSend) {
        const HWND box = GetDlgItem(app_->Window(), IDC_COMMAND_BOX);
        TypeText(command);
        if (!WaitUntil([&] { return WindowText(box) == command; }, kWaitMs))
            return "typed " + Narrow(command) + ", the command box holds " + Narrow(WindowText(box));
        if (withSend)
            MouseClick(GetDlgItem(app_->Window(), IDC_SEND));
        else
            PressKey(VK_RETURN);
        Sent(command + L"\r");
        return "";
    }

    // The action is over once every terminal has its keys and the main window's thread is idle;
    // from then the keyboard must be back within the bound.
    std::string Checked(const std::string& error) {
        if (!error.empty())
            return error;
        WaitUntil(
            [&] {
                return std::all_of(terminals_.begin(), terminals_.end(),
                                   [](const Terminal& t) { return t.Got().size() >= t.want.size(); });
            },
            kDeliveryMs);
        for (std::size_t i = 0; i < terminals_.size(); ++i) {
            const std::string got = terminals_[i].Got();
            if (got != terminals_[i].want)
                return "terminal " + std::to_string(i + 1) + " received\n  " + Escaped(got) + "\nwanted\n  " +
                       Escaped(terminals_[i].want);
        }
        if (!WaitUntil([&] { return IsWindowVisible(app_->Window()) && Settled(app_->Window(), kWaitMs); },
                       kDeliveryMs))
            return "the main window did not come back";
        const ULONGLONG start = GetTickCount64();
        const bool back = WaitUntil([&] { return KeyboardInCommandBox(app_->Window()); }, kKeyboardBackMs);
        const ULONGLONG took = GetTickCount64() - start;
        ++checks;
        totalMs += took;
        slowestMs = std::max<unsigned long long>(slowestMs, took);
        if (back)
            return "";
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(0, &info);
        char what[160];
        std::snprintf(what, sizeof what,
                      "the keyboard did not come back in %lu ms: foreground %p (main %p), focus %p",
                      kKeyboardBackMs, static_cast<void*>(GetForegroundWindow()),
                      static_cast<void*>(app_->Window()), static_cast<void*>(info.hwndFocus));
        return what;
    }

    TempFolder folder_{L"e2e-focus"};
    std::unique_ptr<PuttyWindows> putty_;
    std::vector<std::unique_ptr<Probe>> probes_;
    std::vector<Terminal> terminals_;
    std::unique_ptr<TandrelApp> app_;
    int filter_ = 0;
    unsigned number_ = 0;
};

// Runs `count` actions drawn from the seed (or `fixed` ones, with their quick key) and prints the figures.
void RunSoak(unsigned probes, unsigned putties, unsigned count, unsigned seed,
             const std::vector<std::pair<Action, std::size_t>>& fixed = {}) {
    FocusSoak soak(probes, putties);
    const std::string start = soak.Start();
    ASSERT_EQ(start, "");
    std::mt19937 order(seed);
    std::string done;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t row = i < fixed.size() ? 0 : order() % std::size(kActions);
        const Action action = i < fixed.size() ? fixed[i].first : kActions[row].action;
        const std::size_t quickKey = i < fixed.size() ? fixed[i].second : order() % std::size(kQuickKeys);
        const char* name = "";
        for (const auto& a : kActions)
            if (a.action == action)
                name = a.name;
        done += std::string(done.empty() ? "" : ", ") + name;
        const std::string error = soak.Run(action, quickKey);
        ASSERT_EQ(error, "") << "seed " << seed << ", action " << i + 1 << " of " << count << " (" << name
                             << "); the actions were: " << done;
    }
    const std::string end = soak.Finish();
    EXPECT_EQ(end, "") << "seed " << seed << ", " << count << " actions: " << done;
    std::printf(
        "focus soak: seed %u, %u actions, %u probes and %u PuTTY windows: the keyboard back within %lu ms "
        "at all %u checks (slowest %llu ms, mean %.1f ms); every terminal %s\n",
        seed, count, probes, putties, kKeyboardBackMs, soak.checks, soak.slowestMs,
        soak.checks != 0 ? static_cast<double>(soak.totalMs) / soak.checks : 0.0,
        end.empty() ? "got exactly its keys" : "did NOT get exactly its keys");
}

TEST(FocusSoak, TheKeyboardComesBackAfterEveryAction) {
    RunSoak(6, 3, FromEnvironment("E2E_FOCUS_SOAK_ACTIONS", 40),
            FromEnvironment("E2E_FOCUS_SOAK_SEED", 7919));
}

// The Esc quick key clicked with the mouse, then a command typed with the keyboard alone.
TEST(FocusSoak, EscClickedThenACommandTyped) {
    std::size_t esc = 0;
    while (kQuickKeys[esc].id != IDC_KEY_ESC) ++esc;
    RunSoak(1, 1, 2, 0, {{Action::kQuickKey, esc}, {Action::kEnter, 0}});
}

}  // namespace
}  // namespace e2e
