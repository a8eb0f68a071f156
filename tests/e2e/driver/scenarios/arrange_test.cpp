// The arrangement commands of the main window on the real desktop, against probe terminals:
// probes that fit their windows to the announced client size, as terminals do, and probes that
// ignore it. The main window's operations run here on the Win32 platform, with the scripted
// dialog host answering its question.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "core_dialog.h"
#include "app_steps.h"
#include "probe_client.h"
#include "tandrel_client.h"

// The dialog layer names its message box after the system's own; the macro of <windows.h>
// must not rename it in this file only.
#undef MessageBox

#include "arrange/arrange_geometry.h"
#include "fakes/fake_dialog_host.h"
#include "ui/main_dialog.h"

namespace e2e {
namespace {

using tandrel::CMainDialog;
using tandrel::Placement;
using tandrel::WindowId;

constexpr int kFilterCombo = IDC_FILTER_COMBO;
// Show commands are queued for the probes; this long at most until they have taken them.
constexpr DWORD kSettleMs = 30000;

struct Geometry {
    RECT outer{};
    RECT client{};
    bool visible = false;
    bool minimised = false;
};

Geometry GeometryOf(HWND h) {
    Geometry g;
    GetWindowRect(h, &g.outer);
    GetClientRect(h, &g.client);
    g.visible = IsWindowVisible(h) != FALSE;
    g.minimised = IsIconic(h) != FALSE;
    return g;
}

std::string Describe(const Geometry& g) {
    return "at " + std::to_string(g.outer.left) + "," + std::to_string(g.outer.top) + " client " +
           std::to_string(g.client.right) + "x" + std::to_string(g.client.bottom) +
           (g.visible ? " visible" : " hidden") + (g.minimised ? " minimised" : "");
}

// Position of the window in the z-order, 0 at the top.
std::size_t ZIndex(HWND h) {
    std::vector<HWND> order;
    EnumWindows(
        [](HWND w, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), h) - order.begin());
}

bool Logged(const std::vector<ProbeEvent>& events, const std::string& kind, const std::string& has = "") {
    return std::any_of(events.begin(), events.end(), [&](const ProbeEvent& e) {
        return e.kind == kind && e.line.find(has) != std::string::npos;
    });
}

// Where in the probe's log an event first appears (the log's size when it never does).
std::size_t FirstAt(const std::vector<ProbeEvent>& events, const std::string& kind, const std::string& has) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind == kind && events[i].line.find(has) != std::string::npos)
            return i;
    }
    return events.size();
}

class ArrangeTest : public ::testing::Test {
  protected:
    ArrangeTest() {
        dialog_.filterList = {L"All PuTTYs||+*", L"Web||web*", L"Db||db*"};
        dialog_.selectedFilter = 1;
        for (const wchar_t* name : {L"All PuTTYs", L"Web", L"Db"}) host_->AddListItem(kFilterCombo, name);
        host_->SelectListItem(kFilterCombo, 1);
    }

    Probe& Start(ProbeOptions options) {
        probes_.push_back(std::make_unique<Probe>(folder_, std::move(options)));
        Probe& p = *probes_.back();
        EXPECT_TRUE(p.Started()) << "probe "
                                 << std::string(p.Options().title.begin(), p.Options().title.end());
        return p;
    }

    TempFolder folder_{L"e2e-arrange"};
    CoreDialog core_;
    tandrel::fakes::FakeDialogHost* host_ = &core_.Host();
    CMainDialog& dialog_ = core_.Dialog();
    HWND mainWindow_ = core_.StandIn();
    std::vector<std::unique_ptr<Probe>> probes_;
};

TEST_F(ArrangeTest, CascadePutsEveryPassingProbeAtItsPlaceWithTheCascadeSizeAndTheLastOnTop) {
    Probe& web1 = Start({.title = L"web01"});
    Probe& web2 = Start({.title = L"web02", .ignoreSize = true});
    Probe& web3 = Start({.title = L"web03", .minimized = true});
    Probe& web4 = Start({.title = L"web04", .hidden = true, .ignoreSize = true});
    // Busy terminals, late with every hide, show, size, activation and painting: slow, not hung.
    Probe& web5 = Start({.title = L"web05", .minimized = true, .slowMs = 1500});
    Probe& web6 = Start({.title = L"web06", .hidden = true, .slowMs = 1500});
    Probe& db = Start({.title = L"db01"});
    const Geometry dbBefore = GeometryOf(db.Window());
    dialog_.settings.cascadeWidth = 500;
    dialog_.settings.cascadeHeight = 300;

    dialog_.CascadeTargets();

    const int s = GetSystemMetrics(SM_CYSIZE);
    Probe* arranged[] = {&web1, &web2, &web3, &web4, &web5, &web6};
    for (int i = 0; i < 6; ++i) {
        const Geometry g = GeometryOf(arranged[i]->Window());
        const Placement p = tandrel::CascadePlacement(static_cast<std::size_t>(i), s, 500, 300);
        EXPECT_EQ(g.outer.left, p.x) << i << ": " << Describe(g);
        EXPECT_EQ(g.outer.top, p.y) << i << ": " << Describe(g);
        EXPECT_EQ(g.client.right, 500) << i << ": " << Describe(g);
        EXPECT_EQ(g.client.bottom, 300) << i << ": " << Describe(g);
        EXPECT_TRUE(g.visible && !g.minimised) << i << ": " << Describe(g);
        // Of the arranged windows the one treated last ends up on top; the order of the others
        // is the system's (hiding a window activates another one).
        if (i < 5) {
            EXPECT_LT(ZIndex(web6.Window()), ZIndex(arranged[i]->Window())) << i;
        }
    }
    EXPECT_TRUE(host_->MessageBoxes().empty());
    // The fitting probes sized themselves; the others were sized for them.
    EXPECT_TRUE(Logged(web1.Events(), "fit", "w=500 h=300")) << Dump(web1.Events());
    EXPECT_FALSE(Logged(web2.Events(), "fit")) << Dump(web2.Events());
    const Geometry dbAfter = GeometryOf(db.Window());
    EXPECT_EQ(dbAfter.outer.left, dbBefore.outer.left);
    EXPECT_EQ(dbAfter.client.right, dbBefore.client.right);
    EXPECT_FALSE(Logged(db.Events(), "entersizemove"));
}

TEST_F(ArrangeTest, TilePutsEveryPassingProbeInItsCellAndTheLastOnTop) {
    std::vector<Probe*> arranged;
    for (int i = 1; i <= 6; ++i) {
        const std::wstring title = L"web0" + std::to_wstring(i);
        arranged.push_back(
            &Start({.title = title, .ignoreSize = i % 2 == 0, .slowMs = i % 3 == 0 ? 1500u : 0u}));
    }
    Probe& db = Start({.title = L"db01"});

    dialog_.TileTargets();

    const std::vector<Placement> cells =
        tandrel::TilePlacements(6, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    for (std::size_t i = 0; i < 6; ++i) {
        // A slow probe takes its queued placement when it gets to it.
        EXPECT_TRUE(WaitUntil(
            [&] { return InTileCell(arranged[i]->Window(), cells[i], !arranged[i]->Options().ignoreSize); },
            kWaitMs))
            << i << ": " << Describe(GeometryOf(arranged[i]->Window())) << Dump(arranged[i]->Events());
    }
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_LT(ZIndex(arranged[5]->Window()), ZIndex(arranged[i]->Window()));
    EXPECT_FALSE(Logged(db.Events(), "entersizemove"));
    EXPECT_TRUE(host_->MessageBoxes().empty());
}

TEST_F(ArrangeTest, AHungProbeIsPassedOverAndTheOthersAreStillArranged) {
    Probe& hung = Start({.title = L"web01", .hangOnRequest = true});
    Probe& fine = Start({.title = L"web02"});
    ASSERT_TRUE(hung.Hang());
    dialog_.settings.cascadeWidth = 400;
    dialog_.settings.cascadeHeight = 250;

    dialog_.CascadeTargets();

    const int s = GetSystemMetrics(SM_CYSIZE);
    const Geometry g = GeometryOf(fine.Window());
    EXPECT_EQ(g.outer.left, 2 * s) << Describe(g);
    EXPECT_EQ(g.client.right, 400) << Describe(g);
    EXPECT_EQ(g.client.bottom, 250) << Describe(g);
    // The hung one was not hidden: it would never come back by itself. The operator is told.
    EXPECT_TRUE(IsWindowVisible(hung.Window()));
    ASSERT_EQ(host_->MessageBoxes().size(), 1u);
    EXPECT_EQ(host_->MessageBoxes()[0].text,
              L"These terminal windows missed the cascade:\n\nweb01: did not answer");
}

TEST_F(ArrangeTest, MinimizeHideAndTheUnhidingAtExitActOnTheRightProbes) {
    Probe& shown = Start({.title = L"web01"});
    Probe& hidden = Start({.title = L"web02", .hidden = true});
    Probe& db = Start({.title = L"db01"});

    dialog_.MinimizeTargets();
    for (Probe* p : {&shown, &hidden}) {
        const Geometry g = GeometryOf(p->Window());
        EXPECT_TRUE(g.visible && g.minimised) << Describe(g);
    }
    EXPECT_FALSE(IsIconic(db.Window()));

    dialog_.HideTargets();
    EXPECT_TRUE(shown.Settled(kSettleMs) && hidden.Settled(kSettleMs));
    EXPECT_FALSE(IsWindowVisible(shown.Window()));
    EXPECT_FALSE(IsWindowVisible(hidden.Window()));
    EXPECT_TRUE(IsWindowVisible(db.Window()));

    // At exit every hidden terminal comes back, whatever filter is selected then.
    host_->SelectListItem(kFilterCombo, 2);
    dialog_.selectedFilter = 2;
    dialog_.UnhideTargetsAtExit();
    EXPECT_TRUE(shown.Settled(kSettleMs) && hidden.Settled(kSettleMs));
    EXPECT_TRUE(IsWindowVisible(shown.Window()));
    EXPECT_TRUE(IsWindowVisible(hidden.Window()));
    EXPECT_TRUE(IsIconic(shown.Window())) << "a minimised window stays minimised";
}

TEST_F(ArrangeTest, CloseAnsweredYesEndsExactlyTheProcessesOfThePassingProbes) {
    Probe& web1 = Start({.title = L"web01"});
    Probe& web2 = Start({.title = L"web02", .hidden = true});
    Probe& db = Start({.title = L"db01"});
    host_->AnswerNextMessageBox(tandrel::mb::kIdYes);

    dialog_.CloseTargets();

    ASSERT_EQ(host_->MessageBoxes().size(), 1u);
    for (Probe* p : {&web1, &web2}) {
        ASSERT_TRUE(p->WaitForExit(kWaitMs));
        EXPECT_EQ(p->ExitCode(), 0xFFFFFFFFu);
        // Ended, not asked: the probe never saw a close.
        EXPECT_FALSE(Logged(p->Events(), "close"));
    }
    EXPECT_TRUE(db.Running());
    EXPECT_TRUE(IsWindow(mainWindow_));
}

TEST_F(ArrangeTest, CloseAnsweredNoEndsNone) {
    Probe& web1 = Start({.title = L"web01"});
    Probe& db = Start({.title = L"db01"});
    host_->AnswerNextMessageBox(tandrel::mb::kIdNo);

    dialog_.CloseTargets();

    EXPECT_EQ(host_->MessageBoxes().size(), 1u);
    EXPECT_FALSE(web1.WaitForExit(300));
    EXPECT_TRUE(web1.Running());
    EXPECT_TRUE(db.Running());
}

TEST_F(ArrangeTest, AChangeOfFilterWithAutomaticTilingMinimisesTheOthersFirst) {
    Probe& web1 = Start({.title = L"web01"});
    Probe& web2 = Start({.title = L"web02", .ignoreSize = true});
    Probe& db = Start({.title = L"db01"});
    dialog_.settings.autoArrange = 3;
    dialog_.settings.autoMinimize = 1;
    dialog_.selectedFilter = 2;
    host_->SelectListItem(kFilterCombo, 1);

    dialog_.FilterSelectionChanged();

    EXPECT_EQ(dialog_.selectedFilter, 1);
    EXPECT_TRUE(IsIconic(db.Window()));
    const std::vector<Placement> cells =
        tandrel::TilePlacements(2, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    Probe* arranged[] = {&web1, &web2};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(InTileCell(arranged[i]->Window(), cells[i], !arranged[i]->Options().ignoreSize))
            << i << ": " << Describe(GeometryOf(arranged[i]->Window()));
        // Minimised with every terminal first, then tiled.
        const auto events = arranged[i]->Events();
        EXPECT_LT(FirstAt(events, "syscommand", "cmd=0xf020"), FirstAt(events, "entersizemove", ""))
            << Dump(events);
    }
}

}  // namespace
}  // namespace e2e
