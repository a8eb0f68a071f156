// tandrel.exe's tray icon in Wine's notification area and its tray menu, as the operator uses
// them with the keyboard.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app_steps.h"
#include "e2e_files.h"
#include "probe_client.h"
#include "res/resource.h"
#include "tandrel_client.h"

namespace e2e {
namespace {

constexpr UINT kIconId = TANDREL_TRAY_ICON_ID;
constexpr DWORD kBoundMs = kWaitMs;

void WriteProfile(const TempFolder& folder, const std::string& extra) {
    WriteAppProfile(
        folder, "checkForUpdates=0\r\nfilter00=All PuTTYs||+*\r\nfilter01=Web||web*\r\nfilter=1\r\n" + extra);
}

// One request to the notification area about the program's icon, with no fields to change.
bool NotifyAboutIcon(HWND app, DWORD operation) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = app;
    data.uID = kIconId;
    return Shell_NotifyIconW(operation, &data) != FALSE;
}

// Whether the notification area holds the program's icon: it refuses to modify an icon it does
// not hold, and a modification with no fields leaves the icon as it is.
bool IconShown(HWND app) {
    return NotifyAboutIcon(app, NIM_MODIFY);
}

// What a restart of the system shell does to the program's icon: the new shell does not know it.
bool LoseIcon(HWND app) {
    return NotifyAboutIcon(app, NIM_DELETE);
}

void AnnounceShellRestart(HWND app) {
    SendMessageTimeoutW(app, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, kWaitMs,
                        nullptr);
}

// The open popup menu of the process (class "#32768"), waited for up to `boundMs`.
HWND WaitForMenu(DWORD processId, DWORD boundMs) {
    HWND menu = nullptr;
    const bool open = WaitUntil(
        [&] {
            menu = FindWindowOfProcess(L"#32768", processId);
            return menu != nullptr && IsWindowVisible(menu);
        },
        boundMs);
    return open ? menu : nullptr;
}

// The right button pressed on the icon: the menu opens.
HWND OpenTrayMenu(const TandrelApp& app) {
    PostMessageW(app.Window(), kTrayNotify, kIconId, WM_RBUTTONDOWN);
    return WaitForMenu(app.ProcessId(), kBoundMs);
}

class TrayMenuTest : public ::testing::Test {
  protected:
    TempFolder folder_{L"e2e-tray"};
};

TEST_F(TrayMenuTest, TheIconIsShownInPlainViewComesBackAfterAShellRestartAndGoesAtExit) {
    WriteProfile(folder_, "minimizeToSysTray=1\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND w = app.Window();
    ASSERT_TRUE(WaitVisible(w, kBoundMs));
    EXPECT_TRUE(IconShown(w));

    ASSERT_TRUE(LoseIcon(w));
    ASSERT_FALSE(IconShown(w));
    AnnounceShellRestart(w);
    EXPECT_TRUE(WaitUntil([&] { return IconShown(w); }, kBoundMs));
    EXPECT_TRUE(IsWindowVisible(w));

    // Exit is the menu's last item: Up from no selection reaches it.
    ASSERT_NE(OpenTrayMenu(app), nullptr);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    ASSERT_TRUE(app.Process().WaitForExit(kBoundMs));
    EXPECT_FALSE(IconShown(w));
}

TEST_F(TrayMenuTest, WithoutTrayModeThereIsNoIconEvenAfterAShellRestart) {
    WriteProfile(folder_, "minimizeToSysTray=0\r\n");
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    HWND w = app.Window();
    ASSERT_TRUE(WaitVisible(w, kBoundMs));
    EXPECT_FALSE(IconShown(w));
    AnnounceShellRestart(w);  // a bounded send: handled when it returns
    EXPECT_FALSE(IconShown(w));
    EXPECT_TRUE(app.Process().Running());
}

TEST_F(TrayMenuTest, TheMenuOpensOnThePressAndItsCascadeArrangesTheFilteredProbes) {
    WriteProfile(folder_, "minimizeToSysTray=1\r\ncascadeWidth=500\r\ncascadeHeight=300\r\n");
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02"});
    Probe db(folder_, {.title = L"db01"});
    ASSERT_TRUE(web1.Started() && web2.Started() && db.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(WaitVisible(app.Window(), kBoundMs));

    // The release alone opens nothing.
    PostMessageW(app.Window(), kTrayNotify, kIconId, WM_RBUTTONUP);
    EXPECT_EQ(WaitForMenu(app.ProcessId(), 500), nullptr);

    // Open, then the arrangement submenu (the separator is skipped), into it, Cascade.
    HWND menu = OpenTrayMenu(app);
    ASSERT_NE(menu, nullptr);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(menu) || !IsWindowVisible(menu));

    EXPECT_TRUE(WaitUntil([&] { return InCascadeStep(web1.Window(), 0, 500, 300); }, kBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return InCascadeStep(web2.Window(), 1, 500, 300); }, kBoundMs));
    EXPECT_FALSE(HasClientSize(db.Window(), 500, 300));
    EXPECT_TRUE(app.Process().Running());
}

}  // namespace
}  // namespace e2e
