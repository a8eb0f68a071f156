// IWindowSystem on the Win32 API: other programs' windows, found, sent messages, shown, placed,
// brought forward and focused, and the two barriers that keep typed keys in the right window.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace tandrel::win32 {

class Win32WindowSystem final : public IWindowSystem {
  public:
    // What serves the caller's own windows while WaitUntilTaken waits: takes every message
    // queued for this thread and handles it as the window's message loop would. Without one,
    // only the messages sent to this thread are taken meanwhile.
    using OwnWindowsServer = void (*)();
    static void ServeOwnWindowsWith(OwnWindowsServer server);

    // The bound of every synchronous send to another thread's window: the system's own hung
    // threshold, so that a terminal that is only slow is waited for.
    static constexpr std::uint32_t kSendBoundMs = kHungThresholdMs;
    // How long a send waits, at most, for a window that runs out that bound but is not hung.
    static constexpr std::uint32_t kSlowBoundMs = 3 * kHungThresholdMs;
    // How long the window in front is given to finish its own activation before another takes
    // its place: a busy one is not waited for.
    static constexpr std::uint32_t kSettleBoundMs = 250;

    void ListTopLevelWindows(std::vector<WindowId>& out) override;
    std::size_t ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    WindowId FindByTitle(const std::wstring& title) override;

    bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendNotify(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    void WaitUntilTaken(const std::vector<WindowId>& windows, std::uint32_t boundMs,
                        std::vector<bool>& taken) override;
    void Pause(std::uint32_t ms) override;
    void Show(WindowId w, int showCommand) override;
    void Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) override;
    void BringToForeground(WindowId w) override;
    void GiveFocus(WindowId w) override;
    WindowId ForegroundWindow() override;
    WindowId FocusWindow() override;
    std::int16_t KeyStateOfThread(WindowId w, int vk) override;
    bool IsVisible(WindowId w) override;
    bool IsMinimized(WindowId w) override;
    Rect ClientRect(WindowId w) override;
    void SizeClientTo(WindowId w, int clientWidth, int clientHeight) override;
    int Metric(int index) override;
    void Redraw(WindowId w, std::uint32_t flags) override;

    bool WaitUntilFocused(WindowId w, std::uint32_t boundMs) override;
    bool WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) override;

    std::uint32_t ProcessOf(WindowId w) override;
    bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) override;
    std::uint32_t CurrentProcessId() override;

  private:
    // True when the window belongs to this thread, or its thread answers a WM_NULL within the
    // send bound. Calls that make the system send to the window's thread and wait without a
    // bound (SetFocus, RedrawWindow) ask this first, so a hung window is passed over. Nothing is
    // remembered: a window that answers again is served again.
    bool Answers(WindowId w);
};

}  // namespace tandrel::win32
