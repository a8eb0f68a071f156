// The Win32 window system with a record of the windows that were typed into, in order: the
// broadcast asks for the delivery barrier right after playing a target's keys, and only then.
// For measurements it also adds up the time spent in the calls a broadcast makes per target.
#pragma once
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_window_system.h"

namespace e2e {

class TypingRecorder final : public tandrel::IWindowSystem {
  public:
    explicit TypingRecorder(tandrel::win32::Win32WindowSystem& real) : real_(real) {}
    const std::vector<tandrel::WindowId>& TypedInto() const { return typedInto_; }
    // Forgets the time spent in the timed calls so far.
    void ResetSpent() { spentMs_.clear(); }
    // The calls' names, as a header for Breakdown.
    static std::string BreakdownHeader() {
        std::string out;
        for (const char* p : kTimedCalls) out += std::string(" ") + p;
        return out + " rest";
    }
    // The milliseconds spent per target in each timed call, and in everything else of `wallMs`.
    std::string Breakdown(double wallMs, double targets) const {
        std::string out;
        double accounted = 0;
        char figure[32];
        for (const char* p : kTimedCalls) {
            const auto it = spentMs_.find(p);
            const double ms = it == spentMs_.end() ? 0 : it->second;
            accounted += ms;
            std::snprintf(figure, sizeof figure, " %.1f", ms / targets);
            out += figure;
        }
        std::snprintf(figure, sizeof figure, " %.1f", (wallMs - accounted) / targets);
        return out + figure;
    }

    void ListTopLevelWindows(std::vector<tandrel::WindowId>& out) override { real_.ListTopLevelWindows(out); }
    std::size_t ReadClassName(tandrel::WindowId w, wchar_t* b, std::size_t n) override {
        return real_.ReadClassName(w, b, n);
    }
    std::size_t ReadTitle(tandrel::WindowId w, wchar_t* b, std::size_t n) override {
        return real_.ReadTitle(w, b, n);
    }
    tandrel::WindowId FindByTitle(const std::wstring& t) override { return real_.FindByTitle(t); }
    bool Send(tandrel::WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        return Timed("send", [&] { return real_.Send(w, m, wp, lp); });
    }
    bool SendNotify(tandrel::WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        return Timed("notify", [&] { return real_.SendNotify(w, m, wp, lp); });
    }
    void WaitUntilTaken(const std::vector<tandrel::WindowId>& ws, std::uint32_t b,
                        std::vector<bool>& taken) override {
        Timed("taken barrier", [&] { return (real_.WaitUntilTaken(ws, b, taken), true); });
    }
    void Pause(std::uint32_t ms) override { real_.Pause(ms); }
    void Show(tandrel::WindowId w, int c) override {
        Timed("show", [&] { return (real_.Show(w, c), true); });
    }
    void Place(tandrel::WindowId w, tandrel::WindowId after, int x, int y, int cx, int cy,
               std::uint32_t f) override {
        real_.Place(w, after, x, y, cx, cy, f);
    }
    void BringToForeground(tandrel::WindowId w) override {
        Timed("foreground", [&] { return (real_.BringToForeground(w), true); });
    }
    void GiveFocus(tandrel::WindowId w) override {
        Timed("focus", [&] { return (real_.GiveFocus(w), true); });
    }
    tandrel::WindowId ForegroundWindow() override { return real_.ForegroundWindow(); }
    tandrel::WindowId FocusWindow() override { return real_.FocusWindow(); }
    std::int16_t KeyStateOfThread(tandrel::WindowId w, int vk) override {
        return real_.KeyStateOfThread(w, vk);
    }
    bool IsVisible(tandrel::WindowId w) override { return real_.IsVisible(w); }
    bool IsMinimized(tandrel::WindowId w) override { return real_.IsMinimized(w); }
    tandrel::Rect ClientRect(tandrel::WindowId w) override { return real_.ClientRect(w); }
    int Metric(int i) override { return real_.Metric(i); }
    void Redraw(tandrel::WindowId w, std::uint32_t f) override { real_.Redraw(w, f); }
    void SizeClientTo(tandrel::WindowId w, int cw, int ch) override { real_.SizeClientTo(w, cw, ch); }
    bool WaitUntilFocused(tandrel::WindowId w, std::uint32_t b) override {
        return Timed("focus barrier", [&] { return real_.WaitUntilFocused(w, b); });
    }
    bool WaitUntilInputDelivered(tandrel::WindowId w, std::uint32_t b) override {
        typedInto_.push_back(w);
        return Timed("delivery barrier", [&] { return real_.WaitUntilInputDelivered(w, b); });
    }
    std::uint32_t ProcessOf(tandrel::WindowId w) override { return real_.ProcessOf(w); }
    bool EndProcess(std::uint32_t p, std::uint32_t c) override { return real_.EndProcess(p, c); }
    std::uint32_t CurrentProcessId() override { return real_.CurrentProcessId(); }

  private:
    static constexpr const char* kTimedCalls[] = {"send",   "show",          "foreground",
                                                  "focus",  "focus barrier", "delivery barrier",
                                                  "notify", "taken barrier"};

    template <typename Call>
    bool Timed(const char* what, Call call) {
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceCounter(&start);
        const bool result = call();
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        spentMs_[what] += 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        return result;
    }

    tandrel::win32::Win32WindowSystem& real_;
    std::vector<tandrel::WindowId> typedInto_;
    std::map<std::string, double> spentMs_;
};

}  // namespace e2e
