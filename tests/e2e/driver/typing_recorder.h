// The Win32 window system with a record of the windows that were typed into, in order: the
// broadcast asks for the delivery barrier right after playing a target's keys, and only then.
#pragma once
#include <vector>

#include "platform/win32/win32_window_system.h"

namespace e2e {

class TypingRecorder final : public tandrel::IWindowSystem {
  public:
    explicit TypingRecorder(tandrel::win32::Win32WindowSystem& real) : real_(real) {}
    const std::vector<tandrel::WindowId>& TypedInto() const { return typedInto_; }

    void ListTopLevelWindows(std::vector<tandrel::WindowId>& out) override { real_.ListTopLevelWindows(out); }
    std::size_t ReadClassName(tandrel::WindowId w, wchar_t* b, std::size_t n) override {
        return real_.ReadClassName(w, b, n);
    }
    std::size_t ReadTitle(tandrel::WindowId w, wchar_t* b, std::size_t n) override {
        return real_.ReadTitle(w, b, n);
    }
    tandrel::WindowId FindByTitle(const std::wstring& t) override { return real_.FindByTitle(t); }
    bool Send(tandrel::WindowId w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        return real_.Send(w, m, wp, lp);
    }
    void Show(tandrel::WindowId w, int c) override { real_.Show(w, c); }
    void Place(tandrel::WindowId w, tandrel::WindowId after, int x, int y, int cx, int cy,
               std::uint32_t f) override {
        real_.Place(w, after, x, y, cx, cy, f);
    }
    void BringToForeground(tandrel::WindowId w) override { real_.BringToForeground(w); }
    void GiveFocus(tandrel::WindowId w) override { real_.GiveFocus(w); }
    tandrel::WindowId ForegroundWindow() override { return real_.ForegroundWindow(); }
    bool IsVisible(tandrel::WindowId w) override { return real_.IsVisible(w); }
    tandrel::Rect ClientRect(tandrel::WindowId w) override { return real_.ClientRect(w); }
    int Metric(int i) override { return real_.Metric(i); }
    void Redraw(tandrel::WindowId w, std::uint32_t f) override { real_.Redraw(w, f); }
    void SizeClientTo(tandrel::WindowId w, int cw, int ch) override { real_.SizeClientTo(w, cw, ch); }
    bool WaitUntilFocused(tandrel::WindowId w, std::uint32_t b) override {
        return real_.WaitUntilFocused(w, b);
    }
    void WaitUntilInputDelivered(tandrel::WindowId w, std::uint32_t b) override {
        typedInto_.push_back(w);
        real_.WaitUntilInputDelivered(w, b);
    }
    std::uint32_t ProcessOf(tandrel::WindowId w) override { return real_.ProcessOf(w); }
    bool EndProcess(std::uint32_t p, std::uint32_t c) override { return real_.EndProcess(p, c); }
    std::uint32_t CurrentProcessId() override { return real_.CurrentProcessId(); }

  private:
    tandrel::win32::Win32WindowSystem& real_;
    std::vector<tandrel::WindowId> typedInto_;
};

}  // namespace e2e
