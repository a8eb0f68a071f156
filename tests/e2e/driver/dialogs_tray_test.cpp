// tandrel.exe's buttons, dialogs and tray as the operator uses them: the quick keys, the password,
// the filters, the tray icon's double-click, the preferences and the script.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "e2e_files.h"
#include "probe_client.h"
#include "settings/ini_store.h"
#include "tandrel_client.h"
#include "ui/web_pages.h"

namespace e2e {
namespace {

constexpr UINT kTrayNotify = 1026;

void WriteProfile(const TempFolder& folder, const std::string& extra) {
    std::string text = "[Tandrel]\r\ncheckForUpdates=0\r\nminimizeToSysTray=0\r\n" + extra;
    ASSERT_TRUE(WriteWholeFile(folder.File(L"tandrel.ini"), text));
}

std::wstring ProfileValue(const std::wstring& path, const std::wstring& key) {
    tandrel::IniStore store;
    store.Load(ReadWholeFile(path));
    return store.GetString(L"Tandrel", key, L"<missing>");
}

// A button pressed in `window` (the main window or a dialog): its notification, posted, since a
// press may open a modal dialog.
void Click(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

struct DialogSearch {
    HWND owner;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindDialogStep(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    wchar_t className[64] = {};
    GetClassNameW(w, className, 64);
    if (std::wstring(className) == L"#32770" && GetWindow(w, GW_OWNER) == search->owner &&
        IsWindowVisible(w) && (search->caption == nullptr || WindowText(w) == search->caption)) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

// The visible dialog owned by `owner` with that caption (any caption when null), waited for up to 5 s.
HWND WaitForDialog(HWND owner, const wchar_t* caption) {
    DialogSearch search{owner, caption, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindDialogStep, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        5000);
    return search.found;
}

bool WaitGone(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog); }, 5000);
}

// Replaces the edit's text the way typing over a full selection does, so that even a multi-line
// edit (which says nothing on WM_SETTEXT) tells its dialog of the change.
void SetText(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        2000, nullptr);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // the addresses are ASCII
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
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 3000));

    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(w); }, 3000));
    PostMessageW(w, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 3000));

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
    Click(app.Window(), 1023);
    HWND prefs = WaitForDialog(app.Window(), L"Preferences");
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

// The number boxes are single-line edits: their text is set whole, as typing would leave it.
TEST_F(DialogsTrayTest, AnOutOfRangeTransitionGreysOk) {
    WriteProfile(folder_, "");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    Click(app.Window(), 1023);
    HWND prefs = WaitForDialog(app.Window(), L"Preferences");
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

// The shell's "open" of an http address, pointed for the scenario at a command that writes the
// address into a file; the former command is put back afterwards.
class HttpHandlerOverride {
  public:
    explicit HttpHandlerOverride(const std::wstring& command) {
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\command", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        wchar_t old[2048] = {};
        DWORD size = sizeof old - sizeof(wchar_t);
        DWORD type = 0;
        hadOld_ = RegQueryValueExW(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
                  ERROR_SUCCESS;
        old_ = old;
        oldType_ = type;
        ok_ = Set(command, REG_SZ);
    }
    ~HttpHandlerOverride() {
        if (key_ == nullptr)
            return;
        if (hadOld_)
            Set(old_, oldType_);
        else
            RegDeleteValueW(key_, nullptr);
        RegCloseKey(key_);
    }
    HttpHandlerOverride(const HttpHandlerOverride&) = delete;
    HttpHandlerOverride& operator=(const HttpHandlerOverride&) = delete;
    bool Ok() const { return ok_; }

  private:
    bool Set(const std::wstring& value, DWORD type) {
        return RegSetValueExW(key_, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    bool ok_ = false;
    std::wstring old_;
    DWORD oldType_ = REG_SZ;
};

TEST_F(DialogsTrayTest, F1AsksTheShellToOpenTheHomePage) {
    WriteProfile(folder_, "");
    const std::wstring urlFile = folder_.File(L"url.txt");
    HttpHandlerOverride handler(L"C:\\windows\\system32\\cmd.exe /c echo \"%1\">\"" + urlFile + L"\"");
    ASSERT_TRUE(handler.Ok());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    SetForegroundWindow(app.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window(); }, 3000));
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_F1;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);

    const std::string url = Narrow(tandrel::HomePageUrl());
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(urlFile).find(url) != std::string::npos; }, 10000))
        << ReadWholeFile(urlFile) << " expected " << url;
}

}  // namespace
}  // namespace e2e
