// Filter verdicts and target collection at desktop scale.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "fakes/main_window_on.h"
#include "targets/filter.h"

namespace tandrel::bench {
namespace {

struct FilterCase {
    const wchar_t* definition;
    const wchar_t* title;
};

// Typical definitions against typical terminal titles: the built-in one, a two-rule one, a
// larger production filter that passes, and one whose every rule must be tried.
const FilterCase kFilterCases[] = {
    {L"All PuTTYs||+*", L"root@web-017: ~"},
    {L"Web||+web*;-*test*", L"web-017.example.com - PuTTY"},
    {L"Prod DB||+*prod-db-??*;+*prod-replica*;-*backup*;-*old*", L"admin@prod-db-03: /var/lib/mysql"},
    {L"Many||+*alpha*;+*beta*;+*gamma*;+*delta*;+*epsilon*;+*zeta*;-*eta*;-*theta*;-*iota*;-*kappa*",
     L"operator@build-server-42.internal.example.com: /srv/builds/nightly/2024"},
};

void BM_TitlePassesFilter(benchmark::State& state) {
    const FilterCase& c = kFilterCases[state.range(0)];
    const std::wstring definition = c.definition;
    const std::wstring title = c.title;
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TitlePassesFilter(definition, title));
    }
    const std::size_t allocations = AllocationCount() - before;
    state.counters["allocations"] = static_cast<double>(allocations);
    if (allocations != 0)
        state.SkipWithError("TitlePassesFilter allocated");
}
BENCHMARK(BM_TitlePassesFilter)->DenseRange(0, 3);

// The fake desktop with class names and titles looked up by index, so the benchmark measures
// the collection rather than the fake's linear search.
class LargeDesktop : public fakes::FakeDesktop {
  public:
    WindowId Add(const std::wstring& className, const std::wstring& title) {
        classes_.push_back(className);
        titles_.push_back(title);
        return AddWindow(className, title);
    }
    std::size_t ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) override {
        return CopyOut(classes_[w - 1], buffer, capacity);
    }
    std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) override {
        return CopyOut(titles_[w - 1], buffer, capacity);
    }

  private:
    static std::size_t CopyOut(const std::wstring& s, wchar_t* buffer, std::size_t capacity) {
        const std::size_t n = std::min(s.size(), capacity - 1);
        s.copy(buffer, n);
        buffer[n] = L'\0';
        return n;
    }
    std::vector<std::wstring> classes_;
    std::vector<std::wstring> titles_;
};

// 2,000 top-level windows, every fourth a terminal (500), the terminals in scrambled title
// order, the others of everyday classes (one a near miss in letter case).
void FillDesktop(LargeDesktop& d) {
    const wchar_t* const terminalClasses[] = {L"PuTTY", L"PuTTYtel", L"TuTTY", L"PieTTY"};
    const wchar_t* const otherClasses[] = {L"Chrome_WidgetWin_1", L"Notepad",       L"putty",
                                           L"CabinetWClass",      L"Shell_TrayWnd", L"ConsoleWindowClass"};
    for (int i = 0; i < 2000; ++i) {
        wchar_t title[96];
        if (i % 4 == 0) {
            const int n = (i / 4) * 7919 % 500;  // scrambled
            std::swprintf(title, 96, L"admin@%ls-%03d.example.com: /var/log", n % 3 == 0 ? L"db" : L"web", n);
            d.Add(terminalClasses[(i / 4) % 4], title);
        } else {
            std::swprintf(title, 96, L"Window %d - Some Application", i);
            d.Add(otherClasses[i % 6], title);
        }
    }
}

void BM_CollectTargets(benchmark::State& state) {
    fakes::DialogOn<LargeDesktop> t;
    FillDesktop(t.desktop);
    t.dialog.filterList = {std::wstring(kBuiltInFilter), L"Web||+*web-1*;+*web-2*;-*web-2?5*"};
    t.dialog.selectedFilter = static_cast<std::int32_t>(state.range(0));
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        t.dialog.CollectTargets();
        benchmark::DoNotOptimize(t.dialog.TargetList.data());
    }
    state.counters["allocations/collection"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
    state.counters["targets"] = static_cast<double>(t.dialog.TargetList.size());
}
BENCHMARK(BM_CollectTargets)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tandrel::bench
