// tandrel.exe's buttons, dialogs and tray as the operator uses them: the quick keys, the password,
// the filters, the tray icon's double-click, the preferences and the script.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include <functional>
#include <string>
#include <utility>

#include "app_steps.h"
#include "desktop_steps.h"
#include "e2e_files.h"
#include "local_http_server.h"
#include "platform/win32/win32_platform.h"
#include "probe_client.h"
#include "res/resource.h"
#include "tandrel_client.h"
#include "ui/main_dialog.h"
#include "ui/web_pages.h"

namespace e2e {
namespace {

void WriteProfile(const TempFolder& folder, const std::string& extra) {
    WriteAppProfile(folder, "checkForUpdates=0\r\nminimizeToSysTray=0\r\n" + extra);
}

class DialogsTrayTest : public ::testing::Test {
  protected:
    TempFolder folder_{L"e2e-dialogs"};
};

TEST_F(DialogsTrayTest, QuickKeysReachEveryProbe) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.className = L"PuTTY", .title = L"web01"});
    Probe web2(folder_, {.className = L"PuTTYtel", .title = L"web02"});
    ASSERT_TRUE(web1.Started() && web2.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    Click(app.Window(), IDC_KEY_CTRL_C);
    EXPECT_TRUE(web1.WaitForChars(1, kWaitMs)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(1, kWaitMs)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"\x03");
    EXPECT_EQ(TypedText(web2.Events()), L"\x03");

    const std::size_t mark1 = web1.Mark(), mark2 = web2.Mark();
    Click(app.Window(), IDC_KEY_ENTER);
    EXPECT_TRUE(web1.WaitForChars(1, kWaitMs, mark1)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(1, kWaitMs, mark2)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.EventsAfter(mark1)), L"\r");
    EXPECT_EQ(TypedText(web2.EventsAfter(mark2)), L"\r");

    const std::size_t up1 = web1.Mark(), up2 = web2.Mark();
    Click(app.Window(), IDC_KEY_UP);
    const auto extendedUp = [](const std::vector<ProbeEvent>& events) {
        for (const ProbeEvent& e : events)
            if (e.kind == "keydown" && e.Number("vk") == VK_UP && e.Number("ext") == 1)
                return true;
        return false;
    };
    EXPECT_TRUE(web1.WaitFor(extendedUp, kWaitMs, up1)) << Dump(web1.EventsAfter(up1));
    EXPECT_TRUE(web2.WaitFor(extendedUp, kWaitMs, up2)) << Dump(web2.EventsAfter(up2));
}

// Opens the password dialog, types `password` into its masked edit and presses OK or Cancel.
void SendPassword(HWND app, const std::wstring& password, bool ok) {
    Click(app, IDC_PASSWORD);
    HWND dialog = WaitForDialog(app, L"Send Password");
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, IDC_PASSWORD_EDIT);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD, 0);
    SetText(dialog, IDC_PASSWORD_EDIT, password);
    Click(dialog, ok ? IDC_OK : IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
}

// The preferences are saved as their dialog's OK ends: once the main window is shown and its
// thread idle again, the profile is read once. (Read over and over while the program replaces it,
// the open file can make Wine refuse the replacement.)
bool SavedAndIdle(const TandrelApp& app) {
    return WaitVisible(app.Window(), kWaitMs) && Settled(app.Window());
}

void CloseApp(TandrelApp& app) {
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(kWaitMs));
}

// Saved, the password is stored only protected for the user, and after a restart it is offered
// again and arrives whole, Cyrillic and Chinese characters included.
TEST_F(DialogsTrayTest, PasswordIsTypedLiterallyAndSavedOnlyWhenAskedAndOnlyProtected) {
    const std::wstring password = L"a+b^c%{d} \u0416\u0436 \u5BC6\u7801";
    const std::wstring expected = password + L"\r";
    for (const char* save : {"1", "0"}) {
        SCOPED_TRACE(save);
        TempFolder folder(L"e2e-password");
        WriteProfile(folder, std::string("savePassword=") + save + "\r\n");
        Probe web1(folder, {.title = L"web01"});
        Probe web2(folder, {.title = L"web02"});
        ASSERT_TRUE(web1.Started() && web2.Started());
        {
            TandrelApp app(folder);
            ASSERT_TRUE(app.Started());
            SendPassword(app.Window(), password, true);
            EXPECT_TRUE(web1.WaitForChars(expected.size(), kWaitMs)) << Dump(web1.Events());
            EXPECT_TRUE(web2.WaitForChars(expected.size(), kWaitMs)) << Dump(web2.Events());
            EXPECT_EQ(TypedText(web1.Events()), expected);
            EXPECT_EQ(TypedText(web2.Events()), expected);
            CloseApp(app);
            EXPECT_EQ(ProfileValue(app.ProfilePath(), L"password"), L"");
            EXPECT_EQ(ProfileValue(app.ProfilePath(), L"protectedPassword").size() > 20, save[0] == '1');
        }
        if (save[0] == '0')
            continue;
        TandrelApp again(folder);
        ASSERT_TRUE(again.Started());
        const std::size_t mark = web1.Mark();
        Click(again.Window(), IDC_PASSWORD);
        HWND dialog = WaitForDialog(again.Window(), L"Send Password");
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDC_OK);
        ASSERT_TRUE(WaitGone(dialog));
        EXPECT_TRUE(web1.WaitForChars(expected.size(), kWaitMs, mark)) << Dump(web1.EventsAfter(mark));
        EXPECT_EQ(TypedText(web1.EventsAfter(mark)), expected);
    }
}

TEST_F(DialogsTrayTest, PasswordCancelSendsNothing) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    SendPassword(app.Window(), L"secret", false);
    // Then a quick key, so that anything the cancelled dialog had sent would be in the log before it.
    Click(app.Window(), IDC_KEY_ENTER);
    ASSERT_TRUE(web1.WaitForChars(1, kWaitMs)) << Dump(web1.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"\r");
}

TEST_F(DialogsTrayTest, AddedFilterIsSavedAndChoosesTheProbes) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01"});
    Probe webTest(folder_, {.title = L"web-test"});
    Probe db(folder_, {.title = L"db01"});
    ASSERT_TRUE(web1.Started() && webTest.Started() && db.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    Click(app.Window(), IDC_FILTERS);
    HWND filters = WaitForDialog(app.Window(), L"PuTTY Filters");
    ASSERT_NE(filters, nullptr);
    Click(filters, IDC_FILTER_ADD);
    HWND editor = WaitForDialog(filters, L"Add Filter");
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(Enabled(editor, IDC_OK));
    // OK waits for a name without "||" beside the rules.
    // The edits tell the editor of each change inside the (bounded, synchronous) replacement.
    SetText(editor, IDC_FILTER_RULES, L"+web*;-*test*");
    EXPECT_FALSE(Enabled(editor, IDC_OK));
    SetText(editor, IDC_FILTER_NAME, L"||");
    EXPECT_FALSE(Enabled(editor, IDC_OK));
    SetText(editor, IDC_FILTER_NAME, L"Web");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(editor, IDC_OK); }, kWaitMs));
    Click(editor, IDC_OK);
    ASSERT_TRUE(WaitGone(editor));
    Click(filters, IDC_OK);
    ASSERT_TRUE(WaitGone(filters));

    HWND combo = GetDlgItem(app.Window(), IDC_FILTER_COMBO);
    const LRESULT index =
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Web"));
    ASSERT_NE(index, CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(IDC_FILTER_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Click(app.Window(), IDC_KEY_ENTER);
    EXPECT_TRUE(web1.WaitForChars(1, kWaitMs)) << Dump(web1.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"\r");
    EXPECT_TRUE(Settled(webTest.Window()) && Settled(db.Window()));
    EXPECT_EQ(TypedText(webTest.Events()), L"");
    EXPECT_EQ(TypedText(db.Events()), L"");

    CloseApp(app);
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"filter01"), L"Web||+web*;-*test*");
}

TEST_F(DialogsTrayTest, TrayDoubleClickHidesAndShowsButNotWhileADialogIsOpen) {
    WriteProfile(folder_, "minimizeToSysTray=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND w = app.Window();
    ASSERT_TRUE(WaitVisible(w, kWaitMs));

    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }, kWaitMs));
    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitVisible(w, kWaitMs));

    PostMessageW(w, WM_SYSCOMMAND, tandrel::mainid::kAboutSysCommand, 0);  // from the system menu
    HWND about = WaitForDialog(w, L"About Tandrel");
    ASSERT_NE(about, nullptr);
    // Posted after the double-click, the About box's close is taken after it.
    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    Click(about, IDC_CLOSE);
    ASSERT_TRUE(WaitGone(about));
    EXPECT_TRUE(IsWindowVisible(w));

    // Explorer restarted: the icon is added again and the window stays.
    SendMessageTimeoutW(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, kWaitMs,
                        nullptr);
    EXPECT_TRUE(app.Process().Running());
    EXPECT_TRUE(IsWindow(w) && IsWindowVisible(w));
}

TEST_F(DialogsTrayTest, PreferencesApplyAtOnceAndAreSaved) {
    WriteProfile(folder_, "toolWindow=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(prefs, IDC_TOOL_WINDOW), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(GetDlgItem(prefs, IDC_TOOL_WINDOW), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(GetDlgItem(prefs, IDC_TOOL_WINDOW), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SetText(prefs, IDC_TRANSITION, L"40");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(prefs, IDC_OK); }, kWaitMs));
    Click(prefs, IDC_OK);
    ASSERT_TRUE(WaitGone(prefs));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(app.Window()) == L"Tandrel 1.7"; }, kWaitMs))
        << testing::PrintToString(WindowText(app.Window()));
    ASSERT_TRUE(SavedAndIdle(app));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"toolWindow"), L"0");
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"transition"), L"40");
}

// Always on top ticked and the slider pressed to its left end, as the keyboard does it, then OK:
// the main window is topmost and nearly transparent at once.
TEST_F(DialogsTrayTest, PreferencesMakeTheWindowTopmostAndTranslucentAtOnce) {
    WriteProfile(folder_, "alwaysOnTop=0\r\nwindowOpacity=255\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(WaitVisible(app.Window(), kWaitMs));
    EXPECT_EQ(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(prefs, IDC_OPACITY_PERCENT)), L"100%");
    SendMessageW(GetDlgItem(prefs, IDC_ALWAYS_ON_TOP), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(prefs, IDC_OPACITY_SLIDER), WM_KEYDOWN, VK_HOME, 0);
    PostMessageW(GetDlgItem(prefs, IDC_OPACITY_SLIDER), WM_KEYUP, VK_HOME, 0);
    EXPECT_TRUE(
        WaitUntil([&] { return WindowText(GetDlgItem(prefs, IDC_OPACITY_PERCENT)) == L"1%"; }, kWaitMs))
        << testing::PrintToString(WindowText(GetDlgItem(prefs, IDC_OPACITY_PERCENT)));
    Click(prefs, IDC_OK);
    ASSERT_TRUE(WaitGone(prefs));

    HWND w = app.Window();
    EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, kWaitMs));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) &&
                   alpha == 50;
        },
        kWaitMs))
        << static_cast<int>(alpha);
    // Hidden for the change, then shown again.
    EXPECT_TRUE(WaitVisible(w, kWaitMs));
    ASSERT_TRUE(SavedAndIdle(app));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"windowOpacity"), L"50");
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"alwaysOnTop"), L"1");
}

// Find measures every terminal, whatever the filter: the largest one's client size fills the
// boxes, and OK saves it.
TEST_F(DialogsTrayTest, FindFillsTheCascadeBoxesFromTheLargestProbe) {
    WriteProfile(folder_, "filter00=Db||db*\r\nfilter=0\r\ncascadeWidth=642\r\ncascadeHeight=386\r\n");
    Probe small(folder_, {.title = L"db01"});
    Probe large(folder_, {.title = L"web01"});
    ASSERT_TRUE(small.Started() && large.Started());
    SetWindowPos(small.Window(), nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(large.Window(), nullptr, 40, 40, 610, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT outer{};
            return GetWindowRect(large.Window(), &outer) && outer.right - outer.left == 610 &&
                   GetClientRect(large.Window(), &client);
        },
        kWaitMs));
    const std::wstring width = std::to_wstring(client.right), height = std::to_wstring(client.bottom);
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    Click(prefs, IDC_FIND);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return WindowText(GetDlgItem(prefs, IDC_CASCADE_WIDTH)) == width &&
                   WindowText(GetDlgItem(prefs, IDC_CASCADE_HEIGHT)) == height;
        },
        kWaitMs))
        << testing::PrintToString(WindowText(GetDlgItem(prefs, IDC_CASCADE_WIDTH))) << " x "
        << testing::PrintToString(WindowText(GetDlgItem(prefs, IDC_CASCADE_HEIGHT)));
    Click(prefs, IDC_OK);
    ASSERT_TRUE(WaitGone(prefs));
    ASSERT_TRUE(SavedAndIdle(app));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cascadeWidth"), width);
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cascadeHeight"), height);
}

// Typed key by key, whatever the font makes of the box's width: "1501" greys OK, and with its
// last digit replaced, "1500" is taken whole.
TEST_F(DialogsTrayTest, TheTransitionBoxTakesFourDigitsTypedKeyByKey) {
    WriteProfile(folder_, "");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    HWND box = GetDlgItem(prefs, IDC_TRANSITION);
    SetForegroundWindow(prefs);
    SendMessageW(prefs, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);  // and its text selected
    ASSERT_TRUE(WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(prefs, nullptr), &info) &&
                   info.hwndFocus == box && GetForegroundWindow() == prefs;
        },
        kWaitMs));
    for (WORD key : {'1', '5', '0', '1'}) PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(box) == L"1501" && !Enabled(prefs, IDC_OK); }, kWaitMs))
        << testing::PrintToString(WindowText(box));
    PressKey(VK_BACK);
    PressKey('0');
    EXPECT_TRUE(WaitUntil([&] { return WindowText(box) == L"1500" && Enabled(prefs, IDC_OK); }, kWaitMs))
        << testing::PrintToString(WindowText(box));
    Click(prefs, IDCANCEL);
}

// With Caps Lock switched on in each probe by a key there, a script arrives in the case typed,
// and the Caps Lock strokes around it come in pairs.
TEST_F(DialogsTrayTest, ScriptChosenInTheFileDialogReachesEveryProbe) {
    WriteProfile(folder_, "");
    const std::wstring script = folder_.File(L"two lines.tdl");
    ASSERT_TRUE(WriteWholeFile(script, "echo one\r\necho Two\r\n"));
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02"});
    ASSERT_TRUE(web1.Started() && web2.Started());
    tandrel::win32::Win32Platform platform;
    CapsLockPresses caps;
    for (const Probe* p : {&web1, &web2}) {
        ASSERT_TRUE(BringForward(platform.windows, p->Id()));
        if ((platform.windows.KeyStateOfThread(p->Id(), VK_CAPITAL) & 1) == 0)
            caps.Press();
        platform.windows.WaitUntilInputDelivered(p->Id(), 2000);
    }
    const std::size_t mark1 = web1.Mark(), mark2 = web2.Mark();
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    Click(app.Window(), IDC_SCRIPT);
    HWND open = WaitForDialog(app.Window(), L"Open Tandrel script");
    ASSERT_NE(open, nullptr);
    // The file name box: an edit (edt1) or a combo box with an edit (cmb13), by the dialog's style.
    HWND name = GetDlgItem(open, edt1);
    if (name == nullptr)
        name = GetDlgItem(open, cmb13);
    ASSERT_NE(name, nullptr);
    SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()), SMTO_ABORTIFHUNG,
                        kWaitMs, nullptr);
    Click(open, IDOK);
    ASSERT_TRUE(WaitGone(open));

    // One Enter a line: the lines are joined by Enter, and Enter closes the whole.
    const std::wstring expected = L"echo one\recho Two\r";
    for (const auto& [p, mark] : {std::pair{&web1, mark1}, std::pair{&web2, mark2}}) {
        EXPECT_TRUE(p->WaitForChars(expected.size(), kWaitMs, mark)) << Dump(p->Events());
        const auto events = p->EventsAfter(mark);
        EXPECT_EQ(TypedText(events), expected);
        std::size_t capsLockPresses = 0;
        for (const ProbeEvent& e : events)
            capsLockPresses += e.kind == "keydown" && e.Number("vk") == VK_CAPITAL;
        EXPECT_EQ(capsLockPresses % 2, 0u) << Dump(events);
    }
}

TEST_F(DialogsTrayTest, F1AsksTheShellToOpenTheHomePageOfARealWebHost) {
    WriteProfile(folder_, "");
    SetEnvironmentVariableW(L"TANDREL_WEB_HOST", kUpdateTestHost);
    const std::wstring urlFile = folder_.File(L"url.txt");
    HttpHandlerOverride handler(urlFile);
    ASSERT_TRUE(handler.Ok());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    SetForegroundWindow(app.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window(); }, kWaitMs));
    PressKey(VK_F1);

    const std::string url = Narrow(tandrel::HomePageUrl(kUpdateTestHost));
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(urlFile).find(url) != std::string::npos; }, kWaitMs))
        << ReadWholeFile(urlFile) << " expected " << url;
    SetEnvironmentVariableW(L"TANDREL_WEB_HOST", nullptr);
}

// Every button of every dialog has a name of words, and no two controls of a dialog share a
// mnemonic. The name is read as MSAA's button proxy reads it: the window text without its "&"
// (Wine's oleacc makes no accessible object for another process's control).
TEST_F(DialogsTrayTest, EveryButtonIsNamedAndEveryDialogsMnemonicsAreUnique) {
    WriteProfile(folder_, "");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    const HWND main = app.Window();
    const struct {
        const wchar_t* caption;
        HWND owner;
        int command;  // what opens it from its owner; 0: the main window itself; < 0: a system command
    } dialogs[] = {{L"Tandrel 1.7 - Keyfanner", main, 0},
                   {L"About Tandrel", main, -1},
                   {L"Send Password", main, IDC_PASSWORD},
                   {L"Preferences", main, IDC_PREFERENCES},
                   {L"PuTTY Filters", main, IDC_FILTERS},
                   {L"Add Filter", nullptr, IDC_FILTER_ADD},
                   {L"Targets", main, -tandrel::mainid::kTargetsSysCommand},
                   {L"Open Sessions", main, -tandrel::mainid::kOpenSessionsSysCommand}};
    HWND owner = main;
    for (const auto& d : dialogs) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(d.caption)));
        if (d.command == -1)
            PostMessageW(main, WM_SYSCOMMAND, tandrel::mainid::kAboutSysCommand, 0);
        else if (d.command < 0)
            PostMessageW(main, WM_SYSCOMMAND, static_cast<WPARAM>(-d.command), 0);
        else if (d.command != 0)
            Click(d.owner != nullptr ? d.owner : owner, d.command);
        const HWND dialog =
            d.command == 0 ? main : WaitForDialog(d.owner != nullptr ? d.owner : owner, d.caption);
        ASSERT_NE(dialog, nullptr);
        std::map<wchar_t, std::wstring> mnemonics;
        for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            std::wstring text = WindowText(c);
            const std::size_t amp = text.find(L'&');
            if (amp != std::wstring::npos && amp + 1 < text.size()) {
                const wchar_t key = static_cast<wchar_t>(towlower(text[amp + 1]));
                EXPECT_TRUE(mnemonics.emplace(key, text).second)
                    << "&" << static_cast<char>(key) << " of " << testing::PrintToString(mnemonics[key])
                    << " and " << testing::PrintToString(text);
                text.erase(amp, 1);
            }
            wchar_t cls[16] = {};
            GetClassNameW(c, cls, 16);
            // A glyph ("5", "i") is no name: a name has a word in it.
            if (lstrcmpiW(cls, L"Button") == 0) {
                EXPECT_GE(std::count_if(text.begin(), text.end(), [](wchar_t ch) { return iswalpha(ch); }), 2)
                    << "button " << GetDlgCtrlID(c) << " is named " << testing::PrintToString(text);
            }
        }
        EXPECT_FALSE(mnemonics.empty());
        if (d.command == IDC_FILTERS) {
            owner = dialog;  // the filter editor opens over it, and is closed first
            continue;
        }
        for (const HWND open : {dialog, d.command == IDC_FILTER_ADD ? owner : main}) {
            if (open == main)
                continue;
            Click(open, IDCANCEL);
            ASSERT_TRUE(WaitGone(open));
        }
    }
}
}  // namespace
}  // namespace e2e
