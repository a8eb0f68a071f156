// tandrel.exe's buttons, dialogs and tray as the operator uses them: the quick keys, the password,
// the filters, the tray icon's double-click, the preferences and the script.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "app_steps.h"
#include "e2e_files.h"
#include "probe_client.h"
#include "tandrel_client.h"
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

    Click(app.Window(), 1017);  // Ctrl-C
    EXPECT_TRUE(web1.WaitForChars(1, 10000)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(1, 10000)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"\x03");
    EXPECT_EQ(TypedText(web2.Events()), L"\x03");

    const std::size_t mark1 = web1.Mark(), mark2 = web2.Mark();
    Click(app.Window(), 1020);  // Enter
    EXPECT_TRUE(web1.WaitForChars(1, 10000, mark1)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(1, 10000, mark2)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.EventsAfter(mark1)), L"\r");
    EXPECT_EQ(TypedText(web2.EventsAfter(mark2)), L"\r");

    const std::size_t up1 = web1.Mark(), up2 = web2.Mark();
    Click(app.Window(), 1012);  // the arrow pad's up
    const auto extendedUp = [](const std::vector<ProbeEvent>& events) {
        for (const ProbeEvent& e : events)
            if (e.kind == "keydown" && e.Number("vk") == VK_UP && e.Number("ext") == 1)
                return true;
        return false;
    };
    EXPECT_TRUE(web1.WaitFor(extendedUp, 10000, up1)) << Dump(web1.EventsAfter(up1));
    EXPECT_TRUE(web2.WaitFor(extendedUp, 10000, up2)) << Dump(web2.EventsAfter(up2));
}

// Opens the password dialog, types `password` into its masked edit and presses OK or Cancel.
void SendPassword(HWND app, const std::wstring& password, bool ok) {
    Click(app, 1021);
    HWND dialog = WaitForDialog(app, L"Send Password");
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, 1400);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD, 0);
    SetText(dialog, 1400, password);
    Click(dialog, ok ? 1209 : IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
}

void CloseApp(TandrelApp& app) {
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(10000));
}

TEST_F(DialogsTrayTest, PasswordIsTypedLiterallyAndSavedOnlyWhenAsked) {
    for (const char* save : {"1", "0"}) {
        SCOPED_TRACE(save);
        TempFolder folder(L"e2e-password");
        WriteProfile(folder, std::string("savePassword=") + save + "\r\n");
        Probe web1(folder, {.title = L"web01"});
        Probe web2(folder, {.title = L"web02"});
        ASSERT_TRUE(web1.Started() && web2.Started());
        TandrelApp app(folder);
        ASSERT_TRUE(app.Started());

        SendPassword(app.Window(), L"a+b^c%{d}", true);
        const std::wstring expected = L"a+b^c%{d}\r";
        EXPECT_TRUE(web1.WaitForChars(expected.size(), 10000)) << Dump(web1.Events());
        EXPECT_TRUE(web2.WaitForChars(expected.size(), 10000)) << Dump(web2.Events());
        EXPECT_EQ(TypedText(web1.Events()), expected);
        EXPECT_EQ(TypedText(web2.Events()), expected);

        CloseApp(app);
        EXPECT_EQ(ProfileValue(app.ProfilePath(), L"password"), save[0] == '1' ? L"YStiXmMle2R9" : L"");
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
    Click(app.Window(), 1020);
    ASSERT_TRUE(web1.WaitForChars(1, 10000)) << Dump(web1.Events());
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

    Click(app.Window(), 1006);
    HWND filters = WaitForDialog(app.Window(), L"PuTTY Filters");
    ASSERT_NE(filters, nullptr);
    Click(filters, 1201);
    HWND editor = WaitForDialog(filters, L"Add Filter");
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(Enabled(editor, 1209));
    // OK waits for a name without "||" beside the rules.
    SetText(editor, 1301, L"+web*;-*test*");
    Sleep(200);
    EXPECT_FALSE(Enabled(editor, 1209));
    SetText(editor, 1300, L"||");
    Sleep(200);
    EXPECT_FALSE(Enabled(editor, 1209));
    SetText(editor, 1300, L"Web");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(editor, 1209); }, 2000));
    Click(editor, 1209);
    ASSERT_TRUE(WaitGone(editor));
    Click(filters, 1209);
    ASSERT_TRUE(WaitGone(filters));

    HWND combo = GetDlgItem(app.Window(), 1001);
    const LRESULT index =
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Web"));
    ASSERT_NE(index, CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(1001, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Click(app.Window(), 1020);
    EXPECT_TRUE(web1.WaitForChars(1, 10000)) << Dump(web1.Events());
    EXPECT_EQ(TypedText(web1.Events()), L"\r");
    Sleep(300);
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
    ASSERT_TRUE(WaitVisible(w, 3000));

    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }, 3000));
    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitVisible(w, 3000));

    PostMessageW(w, WM_SYSCOMMAND, 16, 0);  // About, from the system menu
    HWND about = WaitForDialog(w, L"About Tandrel");
    ASSERT_NE(about, nullptr);
    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about));
    Click(about, 1208);
    ASSERT_TRUE(WaitGone(about));

    // Explorer restarted: the icon is added again and the window stays.
    SendMessageTimeoutW(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
    EXPECT_TRUE(app.Process().Running());
    EXPECT_TRUE(IsWindow(w) && IsWindowVisible(w));
}

TEST_F(DialogsTrayTest, PreferencesApplyAtOnceAndAreSaved) {
    WriteProfile(folder_, "toolWindow=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(prefs, 1108), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(GetDlgItem(prefs, 1108), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(GetDlgItem(prefs, 1108), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SetText(prefs, 1109, L"40");
    EXPECT_TRUE(WaitUntil([&] { return Enabled(prefs, 1209); }, 2000));
    Click(prefs, 1209);
    ASSERT_TRUE(WaitGone(prefs));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(app.Window()) == L"Tandrel 1.7"; }, 3000))
        << testing::PrintToString(WindowText(app.Window()));
    EXPECT_TRUE(WaitUntil([&] { return ProfileValue(app.ProfilePath(), L"toolWindow") == L"0"; }, 3000))
        << testing::PrintToString(ProfileValue(app.ProfilePath(), L"toolWindow"));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"transition"), L"40");
}

// Always on top ticked and the slider pressed to its left end, as the keyboard does it, then OK:
// the main window is topmost and nearly transparent at once.
TEST_F(DialogsTrayTest, PreferencesMakeTheWindowTopmostAndTranslucentAtOnce) {
    WriteProfile(folder_, "alwaysOnTop=0\r\nwindowOpacity=255\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(WaitVisible(app.Window(), 5000));
    EXPECT_EQ(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(prefs, 1602)), L"100%");
    SendMessageW(GetDlgItem(prefs, 1107), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(prefs, 1601), WM_KEYDOWN, VK_HOME, 0);
    PostMessageW(GetDlgItem(prefs, 1601), WM_KEYUP, VK_HOME, 0);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(prefs, 1602)) == L"1%"; }, 3000))
        << testing::PrintToString(WindowText(GetDlgItem(prefs, 1602)));
    Click(prefs, 1209);
    ASSERT_TRUE(WaitGone(prefs));

    HWND w = app.Window();
    EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 3000));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) &&
                   alpha == 50;
        },
        3000))
        << static_cast<int>(alpha);
    // Hidden for the change, then shown again.
    EXPECT_TRUE(WaitVisible(w, 3000));
    EXPECT_TRUE(WaitUntil([&] { return ProfileValue(app.ProfilePath(), L"windowOpacity") == L"50"; }, 3000));
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
        3000));
    const std::wstring width = std::to_wstring(client.right), height = std::to_wstring(client.bottom);
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    Click(prefs, 1211);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return WindowText(GetDlgItem(prefs, 1113)) == width &&
                   WindowText(GetDlgItem(prefs, 1114)) == height;
        },
        5000))
        << testing::PrintToString(WindowText(GetDlgItem(prefs, 1113))) << " x "
        << testing::PrintToString(WindowText(GetDlgItem(prefs, 1114)));
    Click(prefs, 1209);
    ASSERT_TRUE(WaitGone(prefs));
    EXPECT_TRUE(WaitUntil([&] { return ProfileValue(app.ProfilePath(), L"cascadeWidth") == width; }, 3000));
    EXPECT_EQ(ProfileValue(app.ProfilePath(), L"cascadeHeight"), height);
}

// The number boxes are single-line edits: their text is set whole, as typing would leave it.
TEST_F(DialogsTrayTest, AnOutOfRangeTransitionGreysOk) {
    WriteProfile(folder_, "");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    SendMessageW(GetDlgItem(prefs, 1109), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1501"));
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(prefs, 1209); }, 2000));
    SendMessageW(GetDlgItem(prefs, 1109), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"40"));
    EXPECT_TRUE(WaitUntil([&] { return Enabled(prefs, 1209); }, 2000));
    Click(prefs, IDCANCEL);
}

TEST_F(DialogsTrayTest, ScriptChosenInTheFileDialogReachesEveryProbe) {
    WriteProfile(folder_, "");
    const std::wstring script = folder_.File(L"two lines.tdl");
    ASSERT_TRUE(WriteWholeFile(script, "echo one\r\necho two\r\n"));
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02"});
    ASSERT_TRUE(web1.Started() && web2.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());

    Click(app.Window(), 1022);
    HWND open = WaitForDialog(app.Window(), L"Open Tandrel script");
    ASSERT_NE(open, nullptr);
    // The file name box: an edit (edt1) or a combo box with an edit (cmb13), by the dialog's style.
    HWND name = GetDlgItem(open, 0x480);
    if (name == nullptr)
        name = GetDlgItem(open, 0x47c);
    ASSERT_NE(name, nullptr);
    SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    Click(open, IDOK);
    ASSERT_TRUE(WaitGone(open));

    // Each line keeps its line feed, and the lines are joined by Enter; Enter closes the whole.
    const std::wstring expected = L"echo one\n\recho two\n\r";
    EXPECT_TRUE(web1.WaitForChars(expected.size(), 15000)) << Dump(web1.Events());
    EXPECT_TRUE(web2.WaitForChars(expected.size(), 15000)) << Dump(web2.Events());
    EXPECT_EQ(TypedText(web1.Events()), expected);
    EXPECT_EQ(TypedText(web2.Events()), expected);
}

TEST_F(DialogsTrayTest, F1AsksTheShellToOpenTheHomePage) {
    WriteProfile(folder_, "");
    const std::wstring urlFile = folder_.File(L"url.txt");
    HttpHandlerOverride handler(urlFile);
    ASSERT_TRUE(handler.Ok());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    SetForegroundWindow(app.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window(); }, 3000));
    PressKey(VK_F1);

    const std::string url = Narrow(tandrel::HomePageUrl());
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(urlFile).find(url) != std::string::npos; }, 10000))
        << ReadWholeFile(urlFile) << " expected " << url;
}

}  // namespace
}  // namespace e2e
