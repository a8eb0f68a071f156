// Measures the focus and delivery barriers: commands typed into several probes one after the
// other, as a broadcast does, with each combination of waits. Run by bench/barrier_waits.
// It prints, per combination, how many commands arrived intact and the time the waits took.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop_steps.h"
#include "keys/key_sender.h"
#include "platform/win32/win32_platform.h"
#include "probe_client.h"

namespace e2e {
namespace {

using tandrel::WindowId;

enum class FocusWait { kNone, kForegroundOnly, kFixed100, kFocusBarrier };
enum class DeliveryWait { kNone, kNullRoundTrip, kSettleAndNull, kPaintBarrier };

struct Variant {
    const char* name;
    FocusWait focus;
    DeliveryWait delivery;
    unsigned keyDelayMs;  // how slowly the probes take each key
};

struct Outcome {
    int intact = 0;
    int total = 0;
    int misrouted = 0;  // lines that arrived in a probe they were not meant for
    double focusMsMean = 0, focusMsMax = 0, deliveryMsMean = 0, deliveryMsMax = 0, wallMs = 0;
};

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\r', start);
        if (end == std::wstring::npos)
            break;
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

void WaitForForegroundOnly(tandrel::IWindowSystem& ws, WindowId w) {
    const ULONGLONG until = GetTickCount64() + 1000;
    while (ws.ForegroundWindow() != w && GetTickCount64() < until) Sleep(1);
}

Outcome RunVariant(const Variant& v, int rounds) {
    TempFolder folder(L"e2e-measure");
    tandrel::win32::Win32Platform platform;
    auto& ws = platform.windows;
    tandrel::CKeySender sender(platform.keyboard, platform.windows, platform.clock);
    std::vector<std::unique_ptr<Probe>> probes;
    for (const wchar_t* title : {L"m1", L"m2", L"m3"}) {
        probes.push_back(std::make_unique<Probe>(
            folder, ProbeOptions{.title = title, .activationDelayMs = 30, .keyDelayMs = v.keyDelayMs}));
        if (!probes.back()->Started())
            return {};
    }
    std::vector<std::vector<std::wstring>> expected(probes.size());
    std::vector<double> focusMs, deliveryMs;
    const ULONGLONG start = GetTickCount64();
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < probes.size(); ++k) {
            const WindowId w = probes[k]->Id();
            const std::wstring command =
                L"echo R" + std::to_wstring(r) + L"P" + std::to_wstring(k) + L" Hello World-A_b";
            expected[k].push_back(command);

            tandrel::BringWindowForward(ws, w);
            ULONGLONG t0 = GetTickCount64();
            switch (v.focus) {
                case FocusWait::kNone:
                    break;
                case FocusWait::kForegroundOnly:
                    WaitForForegroundOnly(ws, w);
                    break;
                case FocusWait::kFixed100:
                    Sleep(100);
                    break;
                case FocusWait::kFocusBarrier:
                    ws.WaitUntilFocused(w, 1000);
                    break;
            }
            focusMs.push_back(static_cast<double>(GetTickCount64() - t0));

            sender.PlayKeys(L"{DELAY=0}" + command + L"^m");

            t0 = GetTickCount64();
            switch (v.delivery) {
                case DeliveryWait::kNone:
                    break;
                case DeliveryWait::kNullRoundTrip:
                    ws.Send(w, tandrel::wm::kNull, 0, 0);
                    break;
                case DeliveryWait::kSettleAndNull:
                    Sleep(10);
                    ws.Send(w, tandrel::wm::kNull, 0, 0);
                    break;
                case DeliveryWait::kPaintBarrier:
                    ws.WaitUntilInputDelivered(w, 1000);
                    break;
            }
            deliveryMs.push_back(static_cast<double>(GetTickCount64() - t0));
            Sleep(25);  // the default transition
        }
    }
    Outcome o;
    if (GetEnvironmentVariableA("E2E_MEASURE_DUMP", nullptr, 0) != 0)
        std::printf("%s", Dump(probes[1]->Events()).c_str());
    o.wallMs = static_cast<double>(GetTickCount64() - start);
    Sleep(500);  // let everything that is still on its way arrive before counting
    for (std::size_t k = 0; k < probes.size(); ++k) {
        std::vector<std::wstring> got = Lines(TypedText(probes[k]->Events()));
        for (const std::wstring& c : expected[k]) {
            ++o.total;
            auto it = std::find(got.begin(), got.end(), c);
            if (it != got.end()) {
                ++o.intact;
                got.erase(it);
            }
        }
        for (const std::wstring& line : got) {
            const std::wstring own = L"P" + std::to_wstring(k) + L" ";
            if (line.find(own) == std::wstring::npos && line.find(L"echo R") != std::wstring::npos)
                ++o.misrouted;
        }
    }
    auto mean = [](const std::vector<double>& xs) {
        double s = 0;
        for (double x : xs) s += x;
        return xs.empty() ? 0.0 : s / static_cast<double>(xs.size());
    };
    o.focusMsMean = mean(focusMs);
    o.focusMsMax = focusMs.empty() ? 0 : *std::max_element(focusMs.begin(), focusMs.end());
    o.deliveryMsMean = mean(deliveryMs);
    o.deliveryMsMax = deliveryMs.empty() ? 0 : *std::max_element(deliveryMs.begin(), deliveryMs.end());
    return o;
}

TEST(BarrierMeasurement, CommandsIntactPerCombinationOfWaits) {
    const Variant variants[] = {
        {"no waits", FocusWait::kNone, DeliveryWait::kNone, 0},
        {"foreground poll only", FocusWait::kForegroundOnly, DeliveryWait::kNone, 0},
        {"fixed 100 ms", FocusWait::kFixed100, DeliveryWait::kNone, 0},
        {"focus barrier, no delivery wait", FocusWait::kFocusBarrier, DeliveryWait::kNone, 0},
        {"focus barrier + WM_NULL", FocusWait::kFocusBarrier, DeliveryWait::kNullRoundTrip, 0},
        {"focus barrier + 10 ms + WM_NULL", FocusWait::kFocusBarrier, DeliveryWait::kSettleAndNull, 0},
        {"focus barrier + paint barrier", FocusWait::kFocusBarrier, DeliveryWait::kPaintBarrier, 0},
        {"slow keys: focus + WM_NULL", FocusWait::kFocusBarrier, DeliveryWait::kNullRoundTrip, 2},
        {"slow keys: focus + 10 ms + WM_NULL", FocusWait::kFocusBarrier, DeliveryWait::kSettleAndNull, 2},
        {"slow keys: focus + paint barrier", FocusWait::kFocusBarrier, DeliveryWait::kPaintBarrier, 2},
    };
    const int rounds = 12;
    std::printf("%-36s %8s %6s %22s %22s %8s\n", "waits (3 probes, 30 ms activation)", "intact", "misr.",
                "focus wait mean/max", "delivery mean/max", "wall ms");
    for (const Variant& v : variants) {
        const Outcome o = RunVariant(v, rounds);
        std::printf("%-36s %4d/%-3d %6d %13.1f/%-8.0f %13.1f/%-8.0f %8.0f\n", v.name, o.intact, o.total,
                    o.misrouted, o.focusMsMean, o.focusMsMax, o.deliveryMsMean, o.deliveryMsMax, o.wallMs);
        std::fflush(stdout);
    }
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

// How a window of another process comes forward and takes the keyboard, one road at a time.
// Run by bench/barrier_waits as well.
TEST(ForegroundMeasurement, ForegroundFromAnotherProcess) {
    TempFolder folder(L"e2e-foreground");
    tandrel::win32::Win32Platform platform;
    Probe other(folder, {.title = L"other"});
    Probe target(folder, {.title = L"target", .activationDelayMs = 30});
    ASSERT_TRUE(other.Started());
    ASSERT_TRUE(target.Started());
    const HWND h = target.Window();
    const DWORD thread = GetWindowThreadProcessId(h, nullptr);
    auto focusOf = [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    };
    auto resetTo = [&] {
        ASSERT_TRUE(BringForward(platform.windows, other.Id()));
        Sleep(100);
    };
    struct Road {
        const char* name;
        std::function<BOOL()> act;
    };
    const Road roads[] = {
        {"SetForegroundWindow alone", [&] { return SetForegroundWindow(h); }},
        {"WM_SYSCOMMAND SC_HOTKEY alone",
         [&] {
             DWORD_PTR r = 0;
             return static_cast<BOOL>(SendMessageTimeoutW(h, WM_SYSCOMMAND, SC_HOTKEY,
                                                          reinterpret_cast<LPARAM>(h), SMTO_ABORTIFHUNG, 1000,
                                                          &r) != 0);
         }},
        {"SetFocus alone (no shared input)", [&] { return static_cast<BOOL>(SetFocus(h) != nullptr); }},
        {"SetFocus inside the target's input",
         [&] {
             AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
             const BOOL ok = SetFocus(h) != nullptr;
             AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
             return ok;
         }},
        {"the five steps (Win32WindowSystem)",
         [&] {
             tandrel::BringWindowForward(platform.windows, target.Id());
             return TRUE;
         }},
    };
    for (const Road& road : roads) {
        resetTo();
        const ULONGLONG t0 = GetTickCount64();
        SetLastError(0);
        const BOOL result = road.act();
        const DWORD error = GetLastError();
        const ULONGLONG returned = GetTickCount64() - t0;
        long long foregroundAt = -1;
        long long focusAt = -1;
        while (GetTickCount64() - t0 < 1000 && (foregroundAt < 0 || focusAt < 0)) {
            if (foregroundAt < 0 && GetForegroundWindow() == h)
                foregroundAt = static_cast<long long>(GetTickCount64() - t0);
            if (focusAt < 0 && focusOf() == h)
                focusAt = static_cast<long long>(GetTickCount64() - t0);
            Sleep(1);
        }
        std::printf(
            "%-38s result=%d error=%lu returned after %llu ms; foreground at %lld ms, focus at %lld ms\n",
            road.name, result, error, returned, foregroundAt, focusAt);
    }
}

}  // namespace
}  // namespace e2e
