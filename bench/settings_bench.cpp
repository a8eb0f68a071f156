// Saving and loading a full profile (100 filters, 100 history entries) against the fake storage.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "fakes/fake_desktop.h"
#include "fakes/fake_storage.h"
#include "ui/main_dialog.h"

namespace tandrel {
namespace {

class NoShell : public IShell {
  public:
    void OpenUrl(const std::wstring&) override {}
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

struct Machine {
    fakes::FakeDesktop desktop;
    fakes::FakeStorage storage;
    NoShell shell;
    Platform platform{desktop, desktop, desktop, storage, shell};
    std::unique_ptr<CMainDialog> dialog = std::make_unique<CMainDialog>(platform);

    Machine() {
        CMainDialog& d = *dialog;
        d.LoadSettings();
        d.filterList.clear();
        for (int n = 0; n < 100; ++n) {
            d.filterList.push_back(L"servers " + std::to_wstring(n) + L"||+web" + std::to_wstring(n) +
                                   L"*;-*test*;+db??" + std::to_wstring(n));
            d.commandHistory.push_back(L"sudo systemctl restart service-" + std::to_wstring(n) +
                                       L" && journalctl -u service-" + std::to_wstring(n) + L" -n 50");
        }
        d.commandHistory[7] = L"for h in a b c\r\ndo ssh $h uptime\r\ndone";  // one multi-line command
        d.settings.savePassword = 1;
        d.encodedPassword = L"czNjcjN0IHBhc3M=";
        d.settings.runOnSystemStartup = 1;
        d.SaveSettings();
        storage.writes = 0;
    }
};

void BM_SaveSettings(benchmark::State& state) {
    Machine m;
    for (auto _ : state) m.dialog->SaveSettings();
    state.counters["writes_per_save"] =
        benchmark::Counter(static_cast<double>(m.storage.writes) / static_cast<double>(state.iterations()));
    state.counters["file_bytes"] = static_cast<double>(m.storage.files.begin()->second.size());
}
BENCHMARK(BM_SaveSettings);

void BM_LoadSettings(benchmark::State& state) {
    Machine m;
    for (auto _ : state) {
        m.dialog->LoadSettings();
        benchmark::DoNotOptimize(m.dialog->filterList.data());
    }
    if (m.dialog->filterList.size() != 100 || m.dialog->commandHistory.size() != 100) {
        state.SkipWithError("the full profile did not load whole");
    }
    state.counters["writes"] = static_cast<double>(m.storage.writes);
}
BENCHMARK(BM_LoadSettings);

// A start on a 16 MiB profile of junk: random bytes (Arg 0), or nothing but distinct section
// headers (Arg 1), the worst case for finding sections, about 1.4 million of them.
void BM_LoadJunkProfile(benchmark::State& state) {
    constexpr std::size_t kBytes = 16u << 20;
    std::string junk;
    junk.reserve(kBytes + 16);
    if (state.range(0) == 0) {
        std::uint32_t seed = 1;
        while (junk.size() < kBytes)
            junk.push_back(static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16));
    } else {
        for (std::size_t n = 0; junk.size() < kBytes; ++n) junk += "[s" + std::to_string(n) + "]\r\n";
    }
    Machine m;
    m.storage.files.begin()->second = junk;
    for (auto _ : state) {
        m.dialog->LoadSettings();
        benchmark::DoNotOptimize(m.dialog->filterList.data());
    }
    if (m.dialog->filterList.size() != 1)
        state.SkipWithError("the junk profile did not load as an empty one");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * junk.size()));
}
BENCHMARK(BM_LoadJunkProfile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tandrel
