// IWindowSystem on the Win32 API: other programs' windows, found, sent messages, shown, placed,
// brought forward and focused, and the two barriers that keep typed keys in the right window.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace tandrel::win32 {

class Win32WindowSystem final : public IWindowSystem {
  public:
    // The bound of every synchronous send to another thread's window.
    static constexpr std::uint32_t kSendBoundMs = 1000;
    // A window that let a send run out is taken as hung for this long: later calls give up at
    // once instead of waiting out the bound again. After 5 s the system says so itself.
    static constexpr std::uint32_t kHungMemoryMs = 5000;

    void ListTopLevelWindows(std::vector<WindowId>& out) override;
    std::size_t ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    WindowId FindByTitle(const std::wstring& title) override;

    bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    void Show(WindowId w, int showCommand) override;
    void Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) override;
    void BringToForeground(WindowId w) override;
    void GiveFocus(WindowId w) override;
    WindowId ForegroundWindow() override;
    bool IsVisible(WindowId w) override;
    Rect ClientRect(WindowId w) override;
    int Metric(int index) override;
    void Redraw(WindowId w, std::uint32_t flags) override;
    void SizeClientTo(WindowId w, int clientWidth, int clientHeight) override;

    bool WaitUntilFocused(WindowId w, std::uint32_t boundMs) override;
    void WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) override;

    std::uint32_t ProcessOf(WindowId w) override;
    bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) override;
    std::uint32_t CurrentProcessId() override;

  private:
    // True when the window belongs to this thread, or its thread answers a WM_NULL within the
    // send bound. Calls that make the system send to the window's thread and wait without a
    // bound (ShowWindow, SetWindowPos, SetFocus) ask this first, so a hung window is passed over.
    bool Answers(WindowId w);
    bool KnownHung(WindowId w);
    void NoteHung(WindowId w);

    struct HungWindow {
        WindowId window;
        std::uint64_t since;
    };
    std::vector<HungWindow> hung_;
};

}  // namespace tandrel::win32
