// The pictures of the documentation: probe terminals cascaded and tiled by the main window's
// arrangement commands on the Win32 platform. Run by scripts/screenshots inside a Wine virtual
// desktop (so that the frames are drawn), which names the folder in TANDREL_SCREENSHOT_DIR.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "app_steps.h"
#include "probe_client.h"
#include "putty_client.h"
#include "tandrel_client.h"
#include "screen_capture.h"

#undef MessageBox  // the dialog layer names its message box after the system's own

#include "fakes/fake_dialog_host.h"
#include "ui/main_dialog.h"

#include <commctrl.h>

namespace e2e {
namespace {

// The core of the main window on the Win32 platform, driven in process, with the terminals it
// arranges and the folder the pictures go to.
class DocumentationScreenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* shots = std::getenv("TANDREL_SCREENSHOT_DIR");
        ASSERT_TRUE(shots != nullptr && *shots != '\0') << "TANDREL_SCREENSHOT_DIR names no folder";
        folder_.assign(shots, shots + std::strlen(shots));
        dialog_.Attach(&host_);
        dialog_.filterList = {L"All PuTTYs||+*"};
        dialog_.selectedFilter = 0;
    }
    void TearDown() override { dialog_.Attach(nullptr); }

    void StartTerminals(int from, int to) {
        for (int i = from; i <= to; ++i) {
            const std::wstring n = (i < 10 ? L"0" : L"") + std::to_wstring(i);
            probes_.push_back(
                std::make_unique<Probe>(temp_, ProbeOptions{.title = L"root@web" + n + L": ~"}));
            ASSERT_TRUE(probes_.back()->Started());
        }
    }
    void Capture(const wchar_t* name) {
        // Every window paints itself afresh first, frames included.
        for (const auto& p : probes_) {
            RedrawWindow(p->Window(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        Sleep(700);  // a picture, not a check: frames and marks are drawn by then (marks stay 2 s)
        EXPECT_TRUE(SaveScreenAsBmp(folder_ + L"\\" + name)) << "screenshot";
    }

    std::wstring folder_;
    TempFolder temp_{L"e2e-screenshots"};
    tandrel::win32::Win32Platform platform_;
    tandrel::Win32Storage storage_;
    tandrel::win32::Win32Shell shell_;
    tandrel::CMainDialog dialog_{platform_.With(storage_, shell_)};
    tandrel::fakes::FakeDialogHost host_;
    std::vector<std::unique_ptr<Probe>> probes_;
};

TEST_F(DocumentationScreenshots, CascadeAndTile) {
    StartTerminals(1, 8);
    dialog_.CascadeTargets();
    Capture(L"cascade.bmp");
    StartTerminals(9, 12);
    dialog_.TileTargets();
    Capture(L"tile.bmp");
}

// Show Targets over six tiled terminals, one of them minimised: the numbers over five of them and
// the note over the main window.
TEST_F(DocumentationScreenshots, ShowTargets) {
    WriteAppProfile(
        temp_, "checkForUpdates=0\r\nminimizeToSysTray=0\r\nalwaysOnTop=0\r\nfilter00=All PuTTYs||+*\r\n");
    StartTerminals(1, 6);
    dialog_.TileTargets();
    ShowWindow(probes_[4]->Window(), SW_MINIMIZE);

    TandrelApp app(temp_);
    ASSERT_TRUE(Shown(app));
    // Into the cell the minimised terminal left, so that it covers no mark.
    SetWindowPos(app.Window(), nullptr, 120, 1024 / 2 + 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW(app.Window(), WM_SYSCOMMAND, tandrel::mainid::kShowTargetsSysCommand, 0);
    Capture(L"targets.bmp");
}

// The Targets window over four tiled PuTTY windows on loopback shells, web02 unticked and then a
// command sent: the others numbered and served, web02 without a number and untouched.
TEST_F(DocumentationScreenshots, TargetsWindow) {
    WriteAppProfile(temp_, "checkForUpdates=0\r\nminimizeToSysTray=0\r\nalwaysOnTop=0\r\n");
    PuttyWindows windows({L"root@web01: ~", L"root@web02: ~", L"root@web03: ~", L"root@db01: ~"});
    ASSERT_EQ(windows.Error(), "");
    dialog_.TileTargets();
    TandrelApp app(temp_);
    ASSERT_TRUE(Shown(app));
    SetWindowPos(app.Window(), nullptr, 60, 1024 / 2 + 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW(app.Window(), WM_SYSCOMMAND, tandrel::mainid::kTargetsSysCommand, 0);
    HWND targets = WaitForDialog(app.Window(), L"Targets");
    ASSERT_NE(targets, nullptr);
    SetWindowPos(targets, nullptr, 1280 / 2 + 20, 1024 / 2 + 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND list = GetDlgItem(targets, IDC_TARGETS_LIST);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 4; }, kWaitMs));
    for (WPARAM key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE}) PostMessageW(list, WM_KEYDOWN, key, 1);
    ASSERT_TRUE(WaitUntil(
        [&] { return (SendMessageW(list, LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK) >> 12) == 1; }, kWaitMs));
    SetText(app.Window(), IDC_COMMAND_BOX, L"echo host {%INC%}");
    Click(app.Window(), IDC_SEND);
    for (std::size_t i : {0u, 2u, 3u}) EXPECT_TRUE(windows[i].WaitForReceived(12, kWaitMs));
    // Once the broadcast is over (the main window paints again), the Targets window in front.
    EXPECT_TRUE(Settled(app.Window()));
    SetForegroundWindow(targets);
    Sleep(1000);  // the list's next refresh shows the delivery
    Capture(L"targets-window.bmp");
    Click(app.Window(), IDM_TRAY_EXIT);
    EXPECT_TRUE(app.Process().WaitForExit(kWaitMs));
}

// The main window and its dialogs as they are drawn at the scale the prefix gives (200% when
// scripts/screenshots sets LogPixels to 192): each window moved to the top-left corner, the screen
// photographed, and the window's size written beside the picture for the crop.
TEST_F(DocumentationScreenshots, WindowsAtTheDisplayScale) {
    WriteAppProfile(temp_, "checkForUpdates=0\r\nminimizeToSysTray=0\r\nalwaysOnTop=0\r\ntoolWindow=0\r\n");
    StartTerminals(1, 3);
    TandrelApp app(temp_);
    ASSERT_TRUE(Shown(app));
    const auto shoot = [this](HWND w, const wchar_t* name) {
        SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
        RECT r{};
        GetWindowRect(w, &r);
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Capture((std::wstring(name) + L".bmp").c_str());
        FILE* size = _wfopen((folder_ + L"\\" + name + L".size").c_str(), L"w");
        ASSERT_NE(size, nullptr);
        std::fprintf(size, "%ldx%ld\n", r.right - r.left, r.bottom - r.top);
        std::fclose(size);
    };
    SetForegroundWindow(app.Window());
    shoot(app.Window(), L"main");
    HWND prefs = OpenPreferences(app.Window());
    ASSERT_NE(prefs, nullptr);
    shoot(prefs, L"preferences");
    Click(prefs, IDCANCEL);
    ASSERT_TRUE(WaitGone(prefs));
    PostMessageW(app.Window(), WM_SYSCOMMAND, tandrel::mainid::kAboutSysCommand, 0);
    HWND about = WaitForDialog(app.Window(), L"About Tandrel");
    ASSERT_NE(about, nullptr);
    shoot(about, L"about");
    Click(about, IDC_CLOSE);
    ASSERT_TRUE(WaitGone(about));
}

}  // namespace
}  // namespace e2e
