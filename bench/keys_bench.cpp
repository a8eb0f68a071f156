// Playing long key sequences into the fake desktop: key events per second, and the heap
// allocations the key sender makes per key event (counted by the shared replacement of the
// global operator new; the goal is none). The fake's own bookkeeping is counted apart.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "allocation_counter.h"
#include "fakes/fake_desktop.h"
#include "keys/key_sender.h"

namespace {

using tandrel::CKeySender;
using tandrel::KeyInput;
using tandrel::fakes::FakeDesktop;

using InsideFake = tandrel::bench::AllocationMark;

// Hands every keyboard call to the fake desktop, counting key events and marking the time spent
// inside the fake so that its allocations are told apart from the key sender's.
class CountingKeyboard : public tandrel::IKeyboard {
  public:
    explicit CountingKeyboard(FakeDesktop& desk) : desk_(desk) {}
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
        ++events;
        InsideFake inside;
        desk_.KeyEvent(vk, scan, flags);
    }
    void SendKeyInputs(const KeyInput* inputs, std::size_t count) override {
        events += count;
        InsideFake inside;
        desk_.SendKeyInputs(inputs, count);
    }
    std::uint16_t CharToKeyCode(wchar_t ch) override {
        InsideFake inside;
        return desk_.CharToKeyCode(ch);
    }
    std::uint32_t VirtualKeyToScanCode(std::uint32_t vk) override {
        InsideFake inside;
        return desk_.VirtualKeyToScanCode(vk);
    }
    bool IsDeadKey(std::uint16_t code) override {
        InsideFake inside;
        return desk_.IsDeadKey(code);
    }
    std::int16_t KeyState(int vk) override {
        InsideFake inside;
        return desk_.KeyState(vk);
    }
    std::int16_t AsyncKeyState(int vk) override {
        InsideFake inside;
        return desk_.AsyncKeyState(vk);
    }
    void ReadKeyboardState(std::uint8_t state[256]) override {
        InsideFake inside;
        desk_.ReadKeyboardState(state);
    }
    void WriteKeyboardState(const std::uint8_t state[256]) override {
        InsideFake inside;
        desk_.WriteKeyboardState(state);
    }
    std::uint32_t SystemVersion() override {
        InsideFake inside;
        return desk_.SystemVersion();
    }
    std::uint64_t events = 0;

  private:
    FakeDesktop& desk_;
};

constexpr std::size_t kSequenceLength = 10000;

// A sequence of exactly kSequenceLength characters built by repeating `unit`, padded with
// plain letters.
std::wstring MakeSequence(const std::wstring& unit) {
    std::wstring s;
    while (s.size() + unit.size() <= kSequenceLength) s += unit;
    s.append(kSequenceLength - s.size(), L'x');
    return s;
}

void PlayInto(benchmark::State& state, const std::wstring& sequence) {
    FakeDesktop desk;
    const tandrel::WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    desk.SetFocusNow(term);
    desk.SetRecording(false);
    desk.Window(term).keys.reserve(200000);
    desk.Window(term).text.reserve(200000);
    CountingKeyboard keyboard(desk);
    CKeySender sender(keyboard, desk, desk);

    const std::uint64_t allocationsBefore = tandrel::bench::AllocationCount();
    const std::uint64_t fakeAllocationsBefore = tandrel::bench::MarkedAllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sender.PlayKeys(sequence));
        desk.Window(term).keys.clear();  // keeps its capacity: no allocation
        desk.Window(term).text.clear();
    }
    const double all = static_cast<double>(tandrel::bench::AllocationCount() - allocationsBefore);
    const double fake = static_cast<double>(tandrel::bench::MarkedAllocationCount() - fakeAllocationsBefore);
    const double events = static_cast<double>(keyboard.events);
    state.counters["key_events/s"] = benchmark::Counter(events, benchmark::Counter::kIsRate);
    state.counters["events/play"] = events / static_cast<double>(state.iterations());
    state.counters["sender_allocs/key_event"] = (all - fake) / events;
    state.counters["fake_allocs/key_event"] = fake / events;
}

// Command text as the broadcast escapes it: letters, capitals, digits, blanks, braced key names
// with counts, prefixes, groups, "~", and characters the layout cannot type.
void BM_PlayKeysMixed(benchmark::State& state) {
    static const std::wstring sequence = MakeSequence(
        L"{DELAY=0}ls -la /var/log && echo Done{PLUS}1 {PERCENT}{LEFTBRACE}x{RIGHTBRACE}~"
        L"+(abc){LEFT 3}{ENTER}\x0436\x20AC^c%{F4}{VKEY 321}{Home}{NUMLOCK}Tab\t");
    PlayInto(state, sequence);
}
BENCHMARK(BM_PlayKeysMixed)->Unit(benchmark::kMicrosecond);

// Plain lower-case text: one key-down and one key-up per character.
void BM_PlayKeysPlainText(benchmark::State& state) {
    static const std::wstring sequence = MakeSequence(L"the quick brown fox jumps over the lazy dog ");
    PlayInto(state, sequence);
}
BENCHMARK(BM_PlayKeysPlainText)->Unit(benchmark::kMicrosecond);

}  // namespace
