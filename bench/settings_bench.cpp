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
        d.savePassword = 1;
        d.encodedPassword = L"czNjcjN0IHBhc3M=";
        d.runOnSystemStartup = 1;
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

}  // namespace
}  // namespace tandrel


