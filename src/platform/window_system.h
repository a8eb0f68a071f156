// Other programs' windows at the operating-system boundary: enumeration, class names and
// titles, messages, show commands, placement, foreground and focus, processes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_constants.h"

namespace tandrel {

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
    // with SMTO_ABORTIFHUNG and a bound of about a second). False when the window is hung, gone,
    // or the bound ran out.
    virtual bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // ShowWindow.
    virtual void Show(WindowId w, int showCommand) = 0;
    // SetWindowPos.
    virtual void Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy,
                       std::uint32_t flags) = 0;
    virtual void BringToForeground(WindowId w) = 0;            // SetForegroundWindow
    virtual void GiveFocus(WindowId w) = 0;                    // SetFocus
    virtual WindowId ForegroundWindow() = 0;                   // GetForegroundWindow
    virtual bool IsVisible(WindowId w) = 0;                    // IsWindowVisible
    virtual Rect ClientRect(WindowId w) = 0;                   // GetClientRect
    virtual int Metric(int index) = 0;                         // GetSystemMetrics
    virtual void Redraw(WindowId w, std::uint32_t flags) = 0;  // RedrawWindow over the whole window

    // Sizes the window so that its client area is `clientWidth` by `clientHeight`: the outer size
    // follows from the window's own styles and menu (AdjustWindowRectEx); position and z-order stay.
    virtual void SizeClientTo(WindowId w, int clientWidth, int clientHeight) = 0;

    // Waits, up to `boundMs`, until the window's thread has the keyboard focus on the window
    // (GetGUIThreadInfo) and that state holds. False when it never does.
    virtual bool WaitUntilFocused(WindowId w, std::uint32_t boundMs) = 0;
    // Waits, up to `boundMs`, until the key events already sent have been routed to the window
    // that had the focus, so the next window cannot receive them.
    virtual void WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) = 0;

    // GetWindowThreadProcessId: 0 when unknown.
    virtual std::uint32_t ProcessOf(WindowId w) = 0;
    // OpenProcess(0x1F0FFF) and TerminateProcess(exitCode). False when it could not be opened.
    virtual bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) = 0;
    virtual std::uint32_t CurrentProcessId() = 0;
};

}  // namespace tandrel
