// Other programs' windows at the operating-system boundary: enumeration, class names and
// titles, messages, show commands, placement, foreground and focus, processes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_constants.h"

namespace tandrel {

// The system takes a window for hung once its thread has taken no message for this long. A
// terminal that is only slow is waited for up to this long.
inline constexpr std::uint32_t kHungThresholdMs = 5000;

class IWindowSystem {
  public:
    virtual ~IWindowSystem() = default;

    // EnumWindows: every top-level window, in the system's order. `out` is cleared first.
    virtual void ListTopLevelWindows(std::vector<WindowId>& out) = 0;
    // GetClassNameW / GetWindowTextW into a buffer of `capacity` units, terminator included;
    // return the number of units copied (without the terminator).
    virtual std::size_t ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) = 0;
    virtual std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) = 0;
    // FindWindowW(nullptr, title).
    virtual WindowId FindByTitle(const std::wstring& title) = 0;

    // A synchronous send that gives up on a window that does not answer (SendMessageTimeoutW
    // with SMTO_ABORTIFHUNG and the bound kHungThresholdMs): at once for a window the system
    // already counts as hung, after the bound for one that does not answer in time. False then,
    // or when the window is gone.
    virtual bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // SendNotifyMessageW: to another thread's window it is queued as a sent message and returns
    // at once, whether that thread answers or not. False when the window is gone.
    virtual bool SendNotify(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The barrier after SendNotify: waits, up to `boundMs`, until each window's thread has
    // handled every message sent to it before this call; `taken[i]` says whether windows[i]'s
    // did. A window the system counts as hung, or that is gone, is given up at once; no window
    // waits for another.
    virtual void WaitUntilTaken(const std::vector<WindowId>& windows, std::uint32_t boundMs,
                                std::vector<bool>& taken) = 0;
    // Waits `ms` with the caller's own windows served as WaitUntilTaken serves them: a delay in
    // the middle of a background broadcast leaves the window responsive.
    virtual void Pause(std::uint32_t ms) = 0;
    // ShowWindow; for another thread's window ShowWindowAsync, which never blocks and is never
    // dropped: the window's thread handles it after the messages sent before it, when it can.
    virtual void Show(WindowId w, int showCommand) = 0;
    // SetWindowPos; for another thread's window asynchronous in the same way.
    virtual void Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy,
                       std::uint32_t flags) = 0;
    virtual void BringToForeground(WindowId w) = 0;  // SetForegroundWindow
    virtual void GiveFocus(WindowId w) = 0;          // SetFocus
    virtual WindowId ForegroundWindow() = 0;         // GetForegroundWindow
    // The window that has the keyboard focus in the foreground window's thread (GetGUIThreadInfo),
    // else the foreground window itself.
    virtual WindowId FocusWindow() = 0;
    // GetKeyState as the window's own thread sees it: the state it interprets its keys with,
    // which under Wine (and for other threads on Windows) is not the caller's.
    virtual std::int16_t KeyStateOfThread(WindowId w, int vk) = 0;
    virtual bool IsVisible(WindowId w) = 0;                    // IsWindowVisible
    virtual bool IsMinimized(WindowId w) = 0;                  // IsIconic
    virtual Rect ClientRect(WindowId w) = 0;                   // GetClientRect
    virtual int Metric(int index) = 0;                         // GetSystemMetrics
    virtual void Redraw(WindowId w, std::uint32_t flags) = 0;  // RedrawWindow over the whole window

    // Sizes the window so that its client area is `clientWidth` by `clientHeight`: its frame
    // (caption, borders, menu, scroll bars) keeps its size around it; position and z-order stay.
    virtual void SizeClientTo(WindowId w, int clientWidth, int clientHeight) = 0;

    // Waits, up to `boundMs`, until the window's thread has the keyboard focus on the window
    // (GetGUIThreadInfo) and that state holds. False when it never does.
    virtual bool WaitUntilFocused(WindowId w, std::uint32_t boundMs) = 0;
    // Waits, up to `boundMs`, until the key events already sent have been routed to the window
    // that had the focus, so the next window cannot receive them. False when the bound ran out.
    virtual bool WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) = 0;

    // GetWindowThreadProcessId: 0 when unknown.
    virtual std::uint32_t ProcessOf(WindowId w) = 0;
    // OpenProcess(0x1F0FFF) and TerminateProcess(exitCode). False when it could not be opened.
    virtual bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) = 0;
    virtual std::uint32_t CurrentProcessId() = 0;
};

}  // namespace tandrel
