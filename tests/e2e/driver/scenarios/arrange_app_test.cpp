// tandrel.exe's arrangement buttons, tray commands and filter combo box as the operator uses
// them, against probe terminals.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "arrange/arrange_geometry.h"
#include "app_steps.h"
#include "e2e_files.h"
#include "probe_client.h"
#include "tandrel_client.h"

namespace e2e {
namespace {

constexpr int kFilterCombo = IDC_FILTER_COMBO;
constexpr int kCascade = IDC_CASCADE;
constexpr int kHide = IDC_HIDE;
constexpr int kClose = IDC_CLOSE;
constexpr int kTrayTile = IDM_TRAY_TILE;
constexpr DWORD kBoundMs = kWaitMs;

// No update check over the network, no tray (so that closing the window ends the program), the
// filters "All PuTTYs", "Web" and "Db" with "Web" selected, and `extra` lines.
void WriteProfile(const TempFolder& folder, const std::string& extra) {
    WriteAppProfile(folder,
                    "checkForUpdates=0\r\nminimizeToSysTray=0\r\nfilter00=All PuTTYs||+*\r\n"
                    "filter01=Web||web*\r\nfilter02=Db||db*\r\nfilter=1\r\n" +
                        extra);
}

bool WaitUntil(const std::function<bool()>& condition) {
    return e2e::WaitUntil(condition, kBoundMs);
}

std::string Geometry(HWND w) {
    RECT r{};
    RECT c{};
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    return "at " + std::to_string(r.left) + "," + std::to_string(r.top) + " outer " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " client " +
           std::to_string(c.right) + "x" + std::to_string(c.bottom) + (IsWindowVisible(w) ? "" : " hidden") +
           (IsIconic(w) ? " minimised" : "");
}

class ArrangeAppTest : public ::testing::Test {
  protected:
    TempFolder folder_{L"e2e-arrange-app"};
};

TEST_F(ArrangeAppTest, CascadeAndHideButtonsActOnTheFilteredProbesAndExitShowsThemAgain) {
    WriteProfile(folder_, "cascadeWidth=500\r\ncascadeHeight=300\r\nunhideOnExit=1\r\n");
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02", .ignoreSize = true});
    // A busy terminal: its hide is still waiting to be handled when the program exits.
    Probe web3(folder_, {.title = L"web03", .slowMs = 1500});
    Probe db(folder_, {.title = L"db01"});
    ASSERT_TRUE(web1.Started() && web2.Started() && web3.Started() && db.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    Click(app.Window(), kCascade);
    EXPECT_TRUE(WaitUntil([&] { return InCascadeStep(web1.Window(), 0, 500, 300); }));
    EXPECT_TRUE(WaitUntil([&] { return InCascadeStep(web2.Window(), 1, 500, 300); }));
    EXPECT_TRUE(WaitUntil([&] { return InCascadeStep(web3.Window(), 2, 500, 300); }));
    EXPECT_FALSE(HasClientSize(db.Window(), 500, 300));

    Click(app.Window(), kHide);
    EXPECT_TRUE(
        WaitUntil([&] { return !IsWindowVisible(web1.Window()) && !IsWindowVisible(web2.Window()); }));
    EXPECT_TRUE(IsWindowVisible(db.Window()));

    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.Process().WaitForExit(kBoundMs));
    // Once a probe has handled everything it was sent, it must be showing.
    for (Probe* p : {&web1, &web2, &web3}) {
        EXPECT_TRUE(p->Settled(kBoundMs));
        EXPECT_TRUE(IsWindowVisible(p->Window())) << Dump(p->Events());
    }
}

TEST_F(ArrangeAppTest, TheTrayTileCommandTilesTheFilteredProbes) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01", .ignoreSize = true});
    Probe web2(folder_, {.title = L"web02"});
    ASSERT_TRUE(web1.Started() && web2.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    Click(app.Window(), kTrayTile);

    const std::vector<tandrel::Placement> cells =
        tandrel::TilePlacements(2, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    Probe* probes[] = {&web1, &web2};
    for (std::size_t i = 0; i < 2; ++i) {
        const HWND w = probes[i]->Window();
        EXPECT_TRUE(WaitUntil([&] { return InTileCell(w, cells[i], !probes[i]->Options().ignoreSize); }))
            << i << " " << Geometry(w);
    }
}

TEST_F(ArrangeAppTest, CloseAnsweredYesEndsThePassingProbesAndTheProgramGoesOn) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01"});
    Probe web2(folder_, {.title = L"web02"});
    Probe db(folder_, {.title = L"db01"});
    ASSERT_TRUE(web1.Started() && web2.Started() && db.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    Click(app.Window(), kClose);
    HWND box = WaitForMessageBox(app.ProcessId(), kBoundMs);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);

    for (Probe* p : {&web1, &web2}) {
        ASSERT_TRUE(p->WaitForExit(kBoundMs));
        EXPECT_EQ(p->ExitCode(), 0xFFFFFFFFu);
    }
    EXPECT_TRUE(db.Running());
    EXPECT_TRUE(app.Process().Running());
}

TEST_F(ArrangeAppTest, CloseAnsweredNoEndsNothing) {
    WriteProfile(folder_, "");
    Probe web1(folder_, {.title = L"web01"});
    ASSERT_TRUE(web1.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    Click(app.Window(), kClose);
    HWND box = WaitForMessageBox(app.ProcessId(), kBoundMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(AnswerMessageBox(box, IDNO));

    EXPECT_FALSE(web1.WaitForExit(500));
    EXPECT_TRUE(app.Process().Running());
}

TEST_F(ArrangeAppTest, ChoosingAFilterWithAutomaticTilingMinimisesTheOthersAndTilesTheChosen) {
    WriteProfile(folder_, "autoArrange=3\r\nautoMinimize=1\r\n");
    Probe web1(folder_, {.title = L"web01"});
    Probe db1(folder_, {.title = L"db01", .ignoreSize = true});
    Probe db2(folder_, {.title = L"db02"});
    ASSERT_TRUE(web1.Started() && db1.Started() && db2.Started());
    TandrelApp app(folder_);
    ASSERT_TRUE(Shown(app));

    // The operator picks "Db" in the combo box.
    const HWND combo = GetDlgItem(app.Window(), kFilterCombo);
    SendMessageTimeoutW(combo, CB_SETCURSEL, 2, 0, SMTO_ABORTIFHUNG, kWaitMs, nullptr);
    PostMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(kFilterCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));

    const std::vector<tandrel::Placement> cells =
        tandrel::TilePlacements(2, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    Probe* chosen[] = {&db1, &db2};
    for (std::size_t i = 0; i < 2; ++i) {
        const HWND w = chosen[i]->Window();
        EXPECT_TRUE(WaitUntil([&] { return InTileCell(w, cells[i], !chosen[i]->Options().ignoreSize); }))
            << i << " " << Geometry(w);
        // Minimised with every terminal first, then tiled.
        const auto events = chosen[i]->Events();
        std::size_t minimised = events.size();
        std::size_t sized = events.size();
        for (std::size_t e = events.size(); e-- > 0;) {
            if (events[e].kind == "syscommand" && events[e].line.find("cmd=0xf020") != std::string::npos)
                minimised = e;
            if (events[e].kind == "entersizemove")
                sized = e;
        }
        EXPECT_LT(minimised, sized) << Dump(events);
    }
    EXPECT_TRUE(IsIconic(web1.Window()));
}

}  // namespace
}  // namespace e2e
