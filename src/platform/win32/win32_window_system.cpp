#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <algorithm>

namespace tandrel::win32 {

namespace {

HWND ToHwnd(WindowId w) {
    return reinterpret_cast<HWND>(w);
}
WindowId ToId(HWND h) {
    return reinterpret_cast<WindowId>(h);
}

DWORD ThreadOf(HWND h) {
    return GetWindowThreadProcessId(h, nullptr);
}

BOOL CALLBACK CollectWindow(HWND h, LPARAM list) {
    reinterpret_cast<std::vector<WindowId>*>(list)->push_back(ToId(h));
    return TRUE;
}

// The window's thread has the keyboard on the window: its focus is the window (or one of its
// children), or nothing has the focus and the window is the active one (keys then arrive as
// system keys to the active window); and the window is the foreground window.
bool HasKeyboard(HWND h, DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info))
        return false;
    const bool focused = info.hwndFocus != nullptr
                             ? (info.hwndFocus == h || IsChild(h, info.hwndFocus) != FALSE)
                             : info.hwndActive == h;
    return focused && GetForegroundWindow() == h;
}

}  // namespace

void Win32WindowSystem::ListTopLevelWindows(std::vector<WindowId>& out) {
    out.clear();
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&out));
}

std::size_t Win32WindowSystem::ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    buffer[0] = L'\0';
    const int n =
        GetClassNameW(ToHwnd(w), buffer, static_cast<int>(std::min<std::size_t>(capacity, 0x7FFFFFFF)));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::size_t Win32WindowSystem::ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    buffer[0] = L'\0';
    const int n =
        GetWindowTextW(ToHwnd(w), buffer, static_cast<int>(std::min<std::size_t>(capacity, 0x7FFFFFFF)));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

WindowId Win32WindowSystem::FindByTitle(const std::wstring& title) {
    return ToId(FindWindowW(nullptr, title.c_str()));
}

bool Win32WindowSystem::Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (KnownHung(w))
        return false;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(ToHwnd(w), msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSendBoundMs,
                            &result) != 0) {
        return true;
    }
    if (IsWindow(ToHwnd(w)))
        NoteHung(w);
    return false;
}

bool Win32WindowSystem::Answers(WindowId w) {
    const HWND h = ToHwnd(w);
    if (!IsWindow(h))
        return false;
    if (ThreadOf(h) == GetCurrentThreadId())
        return true;
    return Send(w, WM_NULL, 0, 0);
}

bool Win32WindowSystem::KnownHung(WindowId w) {
    const std::uint64_t now = GetTickCount64();
    hung_.erase(std::remove_if(hung_.begin(), hung_.end(),
                               [now](const HungWindow& h) { return now - h.since >= kHungMemoryMs; }),
                hung_.end());
    return std::any_of(hung_.begin(), hung_.end(), [w](const HungWindow& h) { return h.window == w; });
}

void Win32WindowSystem::NoteHung(WindowId w) {
    if (!KnownHung(w))
        hung_.push_back(HungWindow{w, GetTickCount64()});
}

void Win32WindowSystem::Show(WindowId w, int showCommand) {
    if (Answers(w))
        ShowWindow(ToHwnd(w), showCommand);
}

void Win32WindowSystem::Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy,
                              std::uint32_t flags) {
    if (Answers(w))
        SetWindowPos(ToHwnd(w), ToHwnd(insertAfter), x, y, cx, cy, flags);
}

void Win32WindowSystem::BringToForeground(WindowId w) {
    const HWND h = ToHwnd(w);
    if (SetForegroundWindow(h))
        return;
    // Windows refuses the foreground to a caller that did not receive the last input event; the
    // thread that owns the current foreground window may give it away, so ask from inside its
    // input. (Wine grants the first call.)
    const HWND current = GetForegroundWindow();
    const DWORD self = GetCurrentThreadId();
    const DWORD owner = current != nullptr ? ThreadOf(current) : 0;
    if (owner == 0 || owner == self)
        return;
    if (AttachThreadInput(self, owner, TRUE)) {
        SetForegroundWindow(h);
        AttachThreadInput(self, owner, FALSE);
    }
}

void Win32WindowSystem::GiveFocus(WindowId w) {
    const HWND h = ToHwnd(w);
    const DWORD thread = ThreadOf(h);
    const DWORD self = GetCurrentThreadId();
    if (thread == 0)
        return;
    if (thread == self) {
        SetFocus(h);
        return;
    }
    // SetFocus moves only the focus of the caller's own input state; for another thread's window
    // it fails unless the caller shares that thread's input for the call. It then sends
    // WM_SETFOCUS to that thread and waits without a bound, hence the check first.
    if (!Answers(w))
        return;
    const bool attached = AttachThreadInput(self, thread, TRUE) != FALSE;
    SetFocus(h);
    if (attached)
        AttachThreadInput(self, thread, FALSE);
}

WindowId Win32WindowSystem::ForegroundWindow() {
    return ToId(GetForegroundWindow());
}

bool Win32WindowSystem::IsVisible(WindowId w) {
    return IsWindowVisible(ToHwnd(w)) != FALSE;
}

Rect Win32WindowSystem::ClientRect(WindowId w) {
    RECT r{};
    if (!GetClientRect(ToHwnd(w), &r))
        return Rect{};
    return Rect{r.left, r.top, r.right, r.bottom};
}

int Win32WindowSystem::Metric(int index) {
    return GetSystemMetrics(index);
}

void Win32WindowSystem::Redraw(WindowId w, std::uint32_t flags) {
    // RDW_UPDATENOW on another thread's window waits for it to paint.
    if (Answers(w))
        RedrawWindow(ToHwnd(w), nullptr, nullptr, flags);
}

void Win32WindowSystem::SizeClientTo(WindowId w, int clientWidth, int clientHeight) {
    const HWND h = ToHwnd(w);
    if (!Answers(w))
        return;
    // The outer size from the client size, by the window's own styles and whether it has a menu.
    RECT outer{0, 0, clientWidth, clientHeight};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE));
    const BOOL hasMenu = (style & WS_CHILD) == 0 && GetMenu(h) != nullptr;
    if (!AdjustWindowRectEx(&outer, style, hasMenu, exStyle))
        return;
    SetWindowPos(h, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32WindowSystem::WaitUntilFocused(WindowId w, std::uint32_t boundMs) {
    // Polled every millisecond or two; the state must be seen twice, a few ms apart, so that a
    // focus that the window's thread is still moving around during its activation is not taken.
    constexpr DWORD kPollMs = 1;
    constexpr DWORD kConfirmMs = 5;
    const HWND h = ToHwnd(w);
    const DWORD thread = ThreadOf(h);
    if (thread == 0 || KnownHung(w))
        return false;
    const std::uint64_t until = GetTickCount64() + boundMs;
    bool seenOnce = false;
    for (;;) {
        const bool has = HasKeyboard(h, thread);
        if (has && seenOnce)
            return true;
        seenOnce = has;
        if (GetTickCount64() >= until)
            return false;
        ::Sleep(has ? kConfirmMs : kPollMs);
    }
}

void Win32WindowSystem::WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) {
    // A thread takes WM_PAINT only when no sent, posted or input message is waiting for it, and
    // the keys already injected are waiting in its input queue. So one pixel of the window is
    // made invalid, and once the window has painted it (its update region is empty again) every
    // key before it has been taken out of the queue by the window's own thread; after that a
    // change of focus can no longer take them elsewhere or drop them.
    constexpr DWORD kPollMs = 1;
    const HWND h = ToHwnd(w);
    const DWORD thread = ThreadOf(h);
    if (thread == 0 || thread == GetCurrentThreadId() || KnownHung(w))
        return;
    if (!IsWindowVisible(h) || IsIconic(h))
        return;
    const std::uint64_t until = GetTickCount64() + boundMs;
    const RECT pixel{0, 0, 1, 1};
    if (!RedrawWindow(h, &pixel, nullptr, RDW_INVALIDATE))
        return;
    while (GetUpdateRect(h, nullptr, FALSE)) {
        if (GetTickCount64() >= until)
            return;
        ::Sleep(kPollMs);
    }
}

std::uint32_t Win32WindowSystem::ProcessOf(WindowId w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(ToHwnd(w), &pid);
    return pid;
}

bool Win32WindowSystem::EndProcess(std::uint32_t processId, std::uint32_t exitCode) {
    const HANDLE process = OpenProcess(0x1F0FFF, FALSE, processId);
    if (process == nullptr)
        return false;
    TerminateProcess(process, exitCode);
    CloseHandle(process);
    return true;
}

std::uint32_t Win32WindowSystem::CurrentProcessId() {
    return GetCurrentProcessId();
}

}  // namespace tandrel::win32
