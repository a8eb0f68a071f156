#include "delivery_soak.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core_dialog.h"
#include "probe_client.h"

namespace e2e {

namespace {

// 60 characters as typed, with capitals (Shift), escaped characters and a Ctrl+U that empties
// the terminal's line first.
const std::wstring kCommand = L"{%CTRL%}uGrep -Rn 'Fail(ed)' /Var/Log/{%INC%} | Sort -u | Head +5 #%~ Done";

// What a probe at `position` receives (WM_CHAR): Ctrl+U as 0x15, its number, Enter as 0x0D.
std::wstring Received(std::size_t position) {
    return L"\x15Grep -Rn 'Fail(ed)' /Var/Log/" + std::to_wstring(position) +
           L" | Sort -u | Head +5 #%~ Done\r";
}

// The length of the longest common subsequence: what is left of the expected text in the
// received one once lost and stray keys are taken out.
std::size_t CommonLength(const std::wstring& a, const std::wstring& b) {
    std::vector<std::size_t> row(b.size() + 1, 0), next(b.size() + 1, 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            next[j] = a[i - 1] == b[j - 1] ? row[j - 1] + 1 : std::max(row[j], next[j - 1]);
        }
        std::swap(row, next);
    }
    return row[b.size()];
}

double PreciseMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

SoakResult RunSoak(unsigned probeCount, unsigned broadcasts, unsigned activationDelayMs, bool background) {
    SoakResult result;
    TempFolder folder(L"e2e-soak");
    std::vector<std::unique_ptr<Probe>> probes;
    for (unsigned i = 0; i < probeCount; ++i) {
        wchar_t title[16];
        std::swprintf(title, 16, L"soak%03u", i + 1);  // title order is creation order
        probes.push_back(std::make_unique<Probe>(
            folder, ProbeOptions{.title = title, .activationDelayMs = activationDelayMs}));
        if (!probes.back()->Started()) {
            std::printf("soak: probe %u did not start\n%s", i + 1, Dump(probes.back()->Events()).c_str());
            return result;
        }
    }
    result.started = true;
    CoreDialog core;
    tandrel::CMainDialog& dialog = core.Dialog();  // default settings: transition 25, sendCR on
    dialog.settings.typeInBackground = background ? 1 : 0;

    std::vector<double> each;
    const ULONGLONG start = GetTickCount64();
    for (unsigned b = 0; b < broadcasts; ++b) {
        const double at = PreciseMs();
        dialog.BroadcastKeys(kCommand, false, true);
        each.push_back(PreciseMs() - at);
    }
    result.wallMs = GetTickCount64() - start;
    std::sort(each.begin(), each.end());
    result.medianMs = each.empty() ? 0.0 : each[each.size() / 2];

    for (unsigned i = 0; i < probeCount; ++i) {
        std::wstring want;
        for (unsigned b = 0; b < broadcasts; ++b) want += Received(i + 1);
        probes[i]->WaitForChars(want.size(), 5000);
        const std::wstring got = TypedText(probes[i]->Events());
        const std::size_t common = CommonLength(want, got);
        result.lost += want.size() - common;
        result.strays += got.size() - common;
        std::size_t whole = 0;
        for (std::size_t at = got.find(Received(i + 1)); at != std::wstring::npos;
             at = got.find(Received(i + 1), at + 1)) {
            ++whole;
        }
        result.damaged += broadcasts - std::min<std::size_t>(whole, broadcasts);
    }
    // No transition wait in the background: each target's taking of its keys is confirmed.
    result.configuredMs =
        background ? 0
                   : static_cast<unsigned long long>(dialog.settings.transition) * probeCount * broadcasts;
    std::printf("soak: %s, %u probes: median broadcast %.1f ms\n", background ? "background" : "foreground",
                probeCount, result.medianMs);
    std::printf(
        "soak: %u probes x %u broadcasts, activation delay %u ms: wall %llu ms, configured waits %llu ms "
        "(transition %d ms per target), %.2f times the configured waits, %.1f ms per target; lost %zu, "
        "stray %zu, damaged commands %zu\n",
        probeCount, broadcasts, activationDelayMs, result.wallMs, result.configuredMs,
        dialog.settings.transition,
        result.configuredMs != 0
            ? static_cast<double>(result.wallMs) / static_cast<double>(result.configuredMs)
            : 0.0,
        static_cast<double>(result.wallMs) / (probeCount * broadcasts), result.lost, result.strays,
        result.damaged);
    std::printf(
        "soak: per target, ms:%s\n      %s\n", TypingRecorder::BreakdownHeader().c_str(),
        core.Recorder().Breakdown(static_cast<double>(result.wallMs), probeCount * broadcasts).c_str());
    return result;
}

}  // namespace e2e
