// tandrel.exe operated as a user would: typing into its command box, pressing its keys and
// buttons, answering its questions, starting it twice and closing it; the probes say what reached
// the terminals, the profile what was kept.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "probe_client.h"
#include "tandrel_client.h"
#include "user_input.h"

namespace e2e {
namespace {

constexpr int kCommandBox = 1011;
constexpr int kHistoryOlder = 1008;
constexpr int kHistoryClear = 1010;

// A profile as the operator's INI file holds it: UTF-16LE with its mark, CRLF line ends.
std::string Utf16Profile(const std::wstring& lines) {
    const std::wstring text = L"[Tandrel]\r\n" + lines;
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

std::wstring DecodeUtf16(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
}

// No update check (no network here), no tray, terminals filtered by "web".
const std::wstring kQuietProfile =
    L"checkForUpdates=0\r\nminimizeToSysTray=0\r\nfilter00=All "
    L"PuTTYs||+*\r\nfilter01=web||+web*\r\nfilter=1\r\n";

class MainWindowTest : public ::testing::Test {
  protected:
    // Starts tandrel.exe with the profile lines; false when its window never came.
    bool Start(const std::wstring& profileLines = kQuietProfile) {
        WriteWholeFile(folder_.File(L"tandrel.ini"), Utf16Profile(profileLines));
        app_ = std::make_unique<TandrelApp>(folder_);
        return app_->Started() && WaitForForeground(app_->Window());
    }
    HWND Window() const { return app_->Window(); }
    HWND Item(int id) const { return GetDlgItem(app_->Window(), id); }
    std::wstring BoxText() const { return TextOf(Item(kCommandBox)); }
    // Waits until the broadcast is over: the main window has the foreground back.
    bool BackInFront() const { return WaitForForeground(Window(), 10000); }
    std::wstring Profile() const { return DecodeUtf16(ReadWholeFile(folder_.File(L"tandrel.ini"))); }

    TempFolder folder_{L"e2e-main"};
    std::unique_ptr<TandrelApp> app_;
};

TEST_F(MainWindowTest, ACommandTypedAndSentWithEnterReachesEveryProbeThatPassesTheFilter) {
    Probe web01(folder_, {.title = L"web01"});
    Probe web02(folder_, {.className = L"PuTTYtel", .title = L"web02"});
    Probe db01(folder_, {.title = L"db01"});
    Probe decoy(folder_, {.className = L"Notepad", .title = L"web03"});
    ASSERT_TRUE(web01.Started() && web02.Started() && db01.Started() && decoy.Started());
    ASSERT_TRUE(Start());

    TypeText(L"ls -l");
    PressKey(VK_RETURN);

    EXPECT_TRUE(web01.WaitFor([](const auto& ev) { return TypedText(ev) == L"ls -l\r"; }, 10000))
        << Dump(web01.Events());
    EXPECT_TRUE(web02.WaitFor([](const auto& ev) { return TypedText(ev) == L"ls -l\r"; }, 10000))
        << Dump(web02.Events());
    ASSERT_TRUE(BackInFront());
    EXPECT_EQ(TypedText(db01.Events()), L"");
    EXPECT_EQ(TypedText(decoy.Events()), L"");
    EXPECT_EQ(BoxText(), L"");
    EXPECT_TRUE(IsWindowEnabled(Item(kHistoryOlder)));
}

TEST_F(MainWindowTest, UpRecallsTheLastCommandWithItsSpaces) {
    Probe web01(folder_, {.title = L"web01"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(Start());

    TypeText(L"  uptime  ");
    PressKey(VK_RETURN);
    ASSERT_TRUE(web01.WaitFor([](const auto& ev) { return TypedText(ev) == L"  uptime  \r"; }, 10000));
    ASSERT_TRUE(BackInFront());
    ASSERT_TRUE(WaitUntil([&] { return BoxText().empty(); }));

    PressKey(VK_UP);
    EXPECT_TRUE(WaitUntil([&] { return BoxText() == L"  uptime  "; })) << BoxText();
    // Shift+Up walks the history too (wrapping round the one entry) and selects nothing.
    PressKey(VK_UP, true);
    DWORD start = 1, end = 0;
    SendMessageW(Item(kCommandBox), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
    EXPECT_EQ(BoxText(), L"  uptime  ");
}

TEST_F(MainWindowTest, TabCompletionSendsTheCommandWithTabAndKeepsIt) {
    Probe web01(folder_, {.title = L"web01"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(Start(kQuietProfile + L"tabCompletion=1\r\n"));

    TypeText(L"cd /us");
    PressKey(VK_TAB);
    EXPECT_TRUE(web01.WaitFor([](const auto& ev) { return TypedText(ev) == L"cd /us\t"; }, 10000))
        << Dump(web01.Events());
    ASSERT_TRUE(BackInFront());
    EXPECT_EQ(BoxText(), L"");
    // The focus stayed in the box: the next key lands there.
    PressKey(VK_UP);
    EXPECT_TRUE(WaitUntil([&] { return BoxText() == L"cd /us"; })) << BoxText();
}

TEST_F(MainWindowTest, ClearAsksAndOnYesEmptiesHistoryAndBox) {
    Probe web01(folder_, {.title = L"web01"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(Start());
    TypeText(L"one");
    PressKey(VK_RETURN);
    ASSERT_TRUE(web01.WaitForChars(4, 10000));
    ASSERT_TRUE(BackInFront());
    TypeText(L"draft");
    ASSERT_TRUE(WaitUntil([&] { return BoxText() == L"draft"; }));

    // No keeps everything.
    Click(Item(kHistoryClear));
    HWND box = WaitForMessageBox(app_->ProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Tandrel");
    EXPECT_EQ(MessageBoxText(box), L"Are you sure you want to\nclear the command history?");
    Click(GetDlgItem(box, IDNO));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(BackInFront());
    EXPECT_EQ(BoxText(), L"draft");
    EXPECT_TRUE(IsWindowEnabled(Item(kHistoryClear)));

    // Yes empties the history and the box, and the history buttons go grey.
    Click(Item(kHistoryClear));
    box = WaitForMessageBox(app_->ProcessId());
    ASSERT_NE(box, nullptr);
    Click(GetDlgItem(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Item(kHistoryClear)); }));
    EXPECT_EQ(BoxText(), L"");
    EXPECT_FALSE(IsWindowEnabled(Item(kHistoryOlder)));
    // With nothing left, Up does nothing at all.
    ASSERT_TRUE(BackInFront());
    TypeText(L"x");
    PressKey(VK_UP);
    Sleep(200);
    EXPECT_EQ(BoxText(), L"x");
}

TEST_F(MainWindowTest, EscapeLeavesTheWindowOpen) {
    ASSERT_TRUE(Start());
    TypeText(L"keep me");
    PressKey(VK_ESCAPE);
    PressKey(VK_TAB);  // to the next control, a button
    PressKey(VK_ESCAPE);
    Sleep(500);
    EXPECT_TRUE(app_->Process().Running());
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(BoxText(), L"keep me");
}

TEST_F(MainWindowTest, ASecondStartBringsTheFirstForwardAndEnds) {
    ASSERT_TRUE(Start());
    ShowWindow(Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(Window()) != FALSE; }));

    ChildProcess second;
    ASSERT_TRUE(second.Start(folder_.File(L"tandrel.exe"), {}, folder_.Path()));
    EXPECT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(Window()) == FALSE; }));
    EXPECT_TRUE(WaitForForeground(Window()));
    EXPECT_TRUE(app_->Process().Running());
}

TEST_F(MainWindowTest, ClosingWithoutTheTrayEndsTheProgramAndTheProfileHoldsTheHistory) {
    Probe web01(folder_, {.title = L"web01"});
    ASSERT_TRUE(web01.Started());
    ASSERT_TRUE(Start());
    TypeText(L"first");
    PressKey(VK_RETURN);
    ASSERT_TRUE(web01.WaitForChars(6, 10000));
    ASSERT_TRUE(BackInFront());
    TypeText(L" second ");
    PressKey(VK_RETURN);
    ASSERT_TRUE(web01.WaitForChars(15, 10000));
    ASSERT_TRUE(BackInFront());

    PressKey(VK_F4, false, false, true);  // Alt+F4
    ASSERT_TRUE(app_->Process().WaitForExit(10000));
    const std::wstring profile = Profile();
    EXPECT_NE(profile.find(L"\r\ncmdhistory00=first\r\n"), std::wstring::npos) << profile;
    EXPECT_NE(profile.find(L"\r\ncmdhistory01= second \r\n"), std::wstring::npos) << profile;
    EXPECT_NE(profile.find(L"\r\ncmdhistory02=\r\n"), std::wstring::npos) << profile;
}

TEST_F(MainWindowTest, TitleAndStyleFollowToolWindow) {
    struct Look {
        std::wstring title;
        LONG_PTR exStyle = 0;
        int height = 0;
    };
    const auto look = [this](int toolWindow) {
        Look l;
        if (!Start(kQuietProfile + L"toolWindow=" + std::to_wstring(toolWindow) + L"\r\n"))
            return l;
        l.title = TextOf(Window());
        l.exStyle = GetWindowLongPtrW(Window(), GWL_EXSTYLE);
        RECT r{};
        GetWindowRect(Window(), &r);
        l.height = r.bottom - r.top;
        app_->Stop();
        app_.reset();
        return l;
    };
    const Look plain = look(0);
    const Look tool = look(1);
    EXPECT_EQ(plain.title, L"Tandrel 1.7");
    EXPECT_EQ(tool.title, L"Tandrel 1.7 - Keyfanner");
    EXPECT_EQ(plain.exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(tool.exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(plain.exStyle & WS_EX_LAYERED, 0);
    EXPECT_NE(tool.exStyle & WS_EX_LAYERED, 0);
    EXPECT_GT(plain.height, 0);
    EXPECT_EQ(tool.height, plain.height - GetSystemMetrics(SM_CYCAPTION) / 2);
}

}  // namespace
}  // namespace e2e
