// Measures broadcasts into eight real PuTTY windows: the wall time of each against the waits it
// is configured to make, and where the time goes per window. Run by bench/putty_broadcast.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core_dialog.h"
#include "putty_client.h"

namespace e2e {
namespace {

constexpr std::size_t kWindows = 8;
constexpr int kRounds = 20;
// Makes each command some 60 characters long.
const std::string kFiller = "-qwertyuiopasdfghjklzxcvbnm1234567890wxy";

double Ms(const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e4;
}

// The processor time spent so far by the whole machine (every core, every process: the
// terminals, the shells, wineserver, the X server) and by this process, which holds the
// broadcast.
double MachineBusyMs() {
    FILETIME idle, kernel, user;
    GetSystemTimes(&idle, &kernel, &user);
    return Ms(kernel) + Ms(user) - Ms(idle);  // the kernel time includes the idle time
}

double OwnBusyMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return Ms(kernel) + Ms(user);
}

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST(PuttyMeasure, BroadcastIntoEightWindows) {
    std::vector<std::wstring> titles;
    for (std::size_t i = 1; i <= kWindows; ++i) titles.push_back(std::wstring(L"m") + std::to_wstring(i));
    PuttyWindows windows(titles);
    ASSERT_EQ(windows.Error(), "");
    CoreDialog core;
    tandrel::CMainDialog& dialog = core.Dialog();
    std::printf("%d broadcasts of `echo ok-{%%INC%%}-rN%s >>f` into %zu PuTTY windows\n", kRounds,
                kFiller.c_str(), kWindows);
    std::printf("%-10s %6s %8s %8s %8s %7s %6s %8s %6s | per window, ms:", "transition", "intact", "min ms",
                "median", "max ms", "waits", "ratio", "cpu ms", "ours");
    std::printf("%s (rest: playing the keys and the transition)\n",
                TypingRecorder::BreakdownHeader().c_str());
    // The foreground way at each transition, then the background way side by side in one run.
    const struct {
        int transition;
        bool background;
    } ways[] = {{25, false}, {0, false}, {25, true}};
    for (const auto [transition, background] : ways) {
        dialog.settings.transition = transition;
        dialog.settings.typeInBackground = background ? 1 : 0;
        core.Recorder().ResetSpent();
        std::vector<std::size_t> from;
        for (std::size_t i = 0; i < kWindows; ++i) from.push_back(windows[i].Received().size());
        std::vector<double> wall;
        double machine = 0, own = 0;  // processor time, ms
        std::vector<std::string> want(kWindows);
        for (int r = 0; r < kRounds; ++r) {
            const std::string round =
                (background ? "-bg" : "-t") + std::to_string(transition) + "r" + std::to_string(r);
            const double start = NowMs(), machineAtStart = MachineBusyMs(), ownAtStart = OwnBusyMs();
            dialog.BroadcastKeys(L"echo ok-{%INC%}" + std::wstring(round.begin(), round.end()) +
                                     std::wstring(kFiller.begin(), kFiller.end()) + L" >>f",
                                 false, true);
            wall.push_back(NowMs() - start);
            machine += MachineBusyMs() - machineAtStart;
            own += OwnBusyMs() - ownAtStart;
            for (std::size_t i = 0; i < kWindows; ++i)
                want[i] += "echo ok-" + std::to_string(i + 1) + round + kFiller + " >>f\r";
        }
        int intact = 0;
        for (std::size_t i = 0; i < kWindows; ++i) {
            windows[i].WaitForReceived(from[i] + want[i].size(), 20000);
            const std::string got = windows[i].Received().substr(from[i]);
            for (std::size_t at = 0; at < want[i].size();) {
                const std::size_t end = want[i].find('\r', at) + 1;
                intact += got.find(want[i].substr(at, end - at)) != std::string::npos ? 1 : 0;
                at = end;
            }
        }
        std::sort(wall.begin(), wall.end());
        // No transition wait in the background: each target's taking of its keys is confirmed.
        const double waits = background ? 0.0 : static_cast<double>(transition) * kWindows;
        const double median = wall[wall.size() / 2];
        const std::string way = background ? "background" : std::to_string(transition);
        std::printf("%-10s %3d/%-3d %8.0f %8.0f %8.0f %7.0f %6.2f %8.0f %6.0f |", way.c_str(), intact,
                    kRounds * static_cast<int>(kWindows), wall.front(), median, wall.back(), waits,
                    waits > 0 ? median / waits : 0.0, machine / kRounds, own / kRounds);
        double total = 0;
        for (double w : wall) total += w;
        std::printf("%s\n",
                    core.Recorder().Breakdown(total, static_cast<double>(kRounds * kWindows)).c_str());
        EXPECT_EQ(intact, kRounds * static_cast<int>(kWindows));
    }
}

}  // namespace
}  // namespace e2e
