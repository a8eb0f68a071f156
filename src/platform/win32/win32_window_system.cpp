#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/diagnostics.h"
#include "platform/win32/win32_handles.h"

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

// True once the window's thread has answered a WM_NULL, waited for as long as it keeps taking
// messages (is not hung), up to the slow bound.
bool AnswersWithinSlowBound(HWND h) {
    DWORD_PTR result = 0;
    const std::uint64_t until = GetTickCount64() + Win32WindowSystem::kSlowBoundMs;
    while (IsWindow(h) && !IsHungAppWindow(h) && GetTickCount64() < until) {
        if (SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                Win32WindowSystem::kSendBoundMs, &result) != 0)
            return true;
    }
    return false;
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
    const HWND h = ToHwnd(w);
    DWORD_PTR result = 0;
    const bool otherThread = ThreadOf(h) != GetCurrentThreadId();
    // Under Wine a sent message that its receiver has not yet taken when the bound runs out is
    // dropped. So a busy terminal is first let finish what was queued for it before (the show
    // commands and placements queued a moment ago), and the message then finds it taking
    // messages.
    if (otherThread && msg != WM_NULL && !AnswersWithinSlowBound(h))
        return false;
    if (SendMessageTimeoutW(h, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSendBoundMs, &result) !=
        0)
        return true;
    // The bound ran out while the window's thread was still busy with the message, but it keeps
    // taking messages: a slow terminal, not a hung one (the system says so of a thread that has
    // taken none for 5 s). A message sent behind the first is answered once the first has been
    // handled, so the first is waited for that way, as long as the thread is not hung.
    return AnswersWithinSlowBound(h);
}

bool Win32WindowSystem::SendNotify(WindowId w, std::uint32_t msg, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    return SendNotifyMessageW(ToHwnd(w), msg, wParam, lParam) != 0;
}

namespace {

// The barrier being waited for on this thread: its answers, and a number that tells a late
// answer to an earlier barrier (which arrives whenever this thread next takes messages) from
// one to it.
struct TakenBarrier {
    std::uint32_t generation = 0;
    std::vector<char> answered;
};
thread_local TakenBarrier* currentBarrier = nullptr;
thread_local Win32WindowSystem::OwnWindowsServer ownWindowsServer = nullptr;
thread_local std::uint32_t barrierGeneration = 0;
constexpr unsigned kBarrierIndexBits = 20;

void CALLBACK BarrierAnswered(HWND, UINT, ULONG_PTR data, LRESULT) {
    const auto generation = static_cast<std::uint32_t>(data >> kBarrierIndexBits);
    const std::size_t index = data & ((1u << kBarrierIndexBits) - 1);
    if (currentBarrier != nullptr && currentBarrier->generation == generation &&
        index < currentBarrier->answered.size())
        currentBarrier->answered[index] = 1;
}

// Serves this thread, up to `boundMs`, for as long as `waiting()` says so: takes the messages
// sent to it (the barrier's answers among them) and, with a server of this thread's windows,
// every other message too: the window stays responsive, and a command given meanwhile is queued
// behind this one by the window itself.
template <typename Waiting>
void ServeOwnWindowsWhile(std::uint32_t boundMs, Waiting waiting) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const Win32WindowSystem::OwnWindowsServer serve = ownWindowsServer;
        if (serve != nullptr) {
            serve();
        } else {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        const ULONGLONG elapsedMs = GetTickCount64() - start;
        if (!waiting() || elapsedMs >= boundMs)
            return;
        constexpr DWORD kSliceMs = 10;
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  std::min<DWORD>(kSliceMs, static_cast<DWORD>(boundMs - elapsedMs)),
                                  serve != nullptr ? QS_ALLINPUT : QS_SENDMESSAGE);
    }
}

}  // namespace

void Win32WindowSystem::ServeOwnWindowsWith(OwnWindowsServer server) {
    ownWindowsServer = server;
}

void Win32WindowSystem::WaitUntilTaken(const std::vector<WindowId>& windows, std::uint32_t boundMs,
                                       std::vector<bool>& taken) {
    // One WM_NULL per window, sent with SendMessageCallbackW so that no window waits for
    // another: like the messages sent before it with SendNotifyMessageW from this thread, it is
    // queued as a sent message, and a thread handles its sent messages in the order queued, so
    // its answer comes once all of them have been handled. The answers are called back on this
    // thread while it takes its sent messages below.
    TakenBarrier barrier;
    barrier.generation = ++barrierGeneration & 0xFFF;
    barrier.answered.assign(windows.size(), 0);
    std::vector<char> givenUp(windows.size(), 0);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const ULONG_PTR data = (static_cast<ULONG_PTR>(barrier.generation) << kBarrierIndexBits) | i;
        if (i >= (1u << kBarrierIndexBits) ||
            SendMessageCallbackW(ToHwnd(windows[i]), WM_NULL, 0, 0, BarrierAnswered, data) == 0)
            givenUp[i] = 1;
    }
    currentBarrier = &barrier;
    ServeOwnWindowsWhile(boundMs, [&] {
        bool waiting = false;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (barrier.answered[i] != 0 || givenUp[i] != 0)
                continue;
            // As SMTO_ABORTIFHUNG: a window the system counts as hung, or that is gone, is not
            // waited for.
            const HWND h = ToHwnd(windows[i]);
            if (IsWindow(h) == FALSE || IsHungAppWindow(h) != FALSE) {
                givenUp[i] = 1;
            } else {
                waiting = true;
            }
        }
        return waiting;
    });
    currentBarrier = nullptr;
    taken.assign(windows.size(), false);
    for (std::size_t i = 0; i < windows.size(); ++i) taken[i] = barrier.answered[i] != 0;
}

void Win32WindowSystem::Pause(std::uint32_t ms) {
    ServeOwnWindowsWhile(ms, [] { return true; });
}

bool Win32WindowSystem::Answers(WindowId w) {
    const HWND h = ToHwnd(w);
    if (!IsWindow(h))
        return false;
    if (ThreadOf(h) == GetCurrentThreadId())
        return true;
    return Send(w, WM_NULL, 0, 0);
}

void Win32WindowSystem::Show(WindowId w, int showCommand) {
    const HWND h = ToHwnd(w);
    // ShowWindow on another thread's window waits, without a bound, until that thread has
    // handled it. The asynchronous form is queued behind the messages sent before it and taken
    // whenever the thread gets to it, so a busy terminal is neither waited for nor left hidden.
    if (ThreadOf(h) == GetCurrentThreadId()) {
        ShowWindow(h, showCommand);
    } else {
        ShowWindowAsync(h, showCommand);
    }
}

void Win32WindowSystem::Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy,
                              std::uint32_t flags) {
    const HWND h = ToHwnd(w);
    if (ThreadOf(h) != GetCurrentThreadId())
        flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(h, ToHwnd(insertAfter), x, y, cx, cy, flags);
}

void Win32WindowSystem::SizeClientTo(WindowId w, int clientWidth, int clientHeight) {
    const HWND h = ToHwnd(w);
    // A minimised or maximised window has no frame to measure.
    if (IsIconic(h) || IsZoomed(h))
        return;
    // The frame is measured as the window has it now rather than computed from its styles: a
    // terminal's scroll bar belongs to the frame, and AdjustWindowRectEx does not count it.
    RECT outer{};
    RECT client{};
    if (!GetWindowRect(h, &outer) || !GetClientRect(h, &client))
        return;
    const int frameWidth = (outer.right - outer.left) - (client.right - client.left);
    const int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    Place(w, kNoWindow, 0, 0, clientWidth + frameWidth, clientHeight + frameHeight,
          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The size is queued for the window's thread; the answer to a message sent behind it says
    // it has been given.
    Send(w, WM_NULL, 0, 0);
}

namespace {

// Under Wine without a window manager, an activation moves the X input focus by a request that
// Wine stamps with a time reckoned from the first timed X event its process took: none while only
// the keyboard was used (the request then takes the server's time), the pointer entering one of
// its windows once the mouse was. The X server drops a request stamped earlier than the last focus
// change, which the last target made a moment ago with a stamp of its own reckoning. The X focus
// then stays with the target, and as soon as this thread takes its X events, the focus-out that
// the target's change left for it makes Wine hand the foreground to the desktop: the keys typed
// next reach no window at all. So the thread's waiting X events are taken now, and while the
// desktop holds the foreground the window asks again, each request stamped later than the last.
// Another program that took the foreground meanwhile keeps it.
void KeepOwnForeground(HWND h) {
    constexpr DWORD kAgainMs = 20;
    constexpr ULONGLONG kBoundMs = 1000;
    const ULONGLONG until = GetTickCount64() + kBoundMs;
    for (;;) {
        // Takes the thread's X events without taking any of its messages.
        MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        const HWND now = GetForegroundWindow();
        if (now != nullptr && now != GetDesktopWindow())
            return;
        if (GetTickCount64() >= until) {
            Trace(L"The window could not take the foreground back from the desktop.");
            return;
        }
        Sleep(kAgainMs);
        SetForegroundWindow(h);
    }
}

}  // namespace

void Win32WindowSystem::BringToForeground(WindowId w) {
    const HWND h = ToHwnd(w);
    // The window in front may still be taking an activation given to it a moment ago (hiding
    // the active window activates the next one on that window's own thread). Under Wine each
    // activation also moves the X input focus from its own thread, and a late one would land
    // after this one's and take the keyboard back: so the window in front is let finish first.
    const HWND before = GetForegroundWindow();
    if (before != nullptr && before != h && ThreadOf(before) != GetCurrentThreadId()) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(before, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSettleBoundMs, &result);
    }
    if (SetForegroundWindow(h)) {
        if (ThreadOf(h) == GetCurrentThreadId())
            KeepOwnForeground(h);
        return;
    }
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

WindowId Win32WindowSystem::FocusWindow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr)
        return kNoWindow;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(ThreadOf(foreground), &info) && info.hwndFocus != nullptr)
        return ToId(info.hwndFocus);
    return ToId(foreground);
}

std::int16_t Win32WindowSystem::KeyStateOfThread(WindowId w, int vk) {
    const DWORD thread = ThreadOf(ToHwnd(w));
    const DWORD self = GetCurrentThreadId();
    if (thread == 0 || thread == self)
        return GetKeyState(vk);
    // While the two threads share their input state, the caller reads the window's. Sharing it
    // may reset it (Wine clears both threads' key state, toggles included): what is read here is
    // then what the window interprets the keys with next, which is what the Caps Lock handling of
    // a broadcast needs. Its own thread's state, or one read before the focus step, could be
    // another.
    if (!AttachThreadInput(self, thread, TRUE))
        return GetKeyState(vk);
    const SHORT state = GetKeyState(vk);
    AttachThreadInput(self, thread, FALSE);
    return state;
}

bool Win32WindowSystem::IsVisible(WindowId w) {
    return IsWindowVisible(ToHwnd(w)) != FALSE;
}

bool Win32WindowSystem::IsMinimized(WindowId w) {
    return IsIconic(ToHwnd(w)) != FALSE;
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

bool Win32WindowSystem::WaitUntilFocused(WindowId w, std::uint32_t boundMs) {
    // Polled every millisecond or two; the state must be seen twice, a few ms apart, so that a
    // focus that the window's thread is still moving around during its activation is not taken.
    constexpr DWORD kPollMs = 1;
    constexpr DWORD kConfirmMs = 5;
    const HWND h = ToHwnd(w);
    const DWORD thread = ThreadOf(h);
    // A hung thread may still hold the focus it had, but it takes no key.
    if (thread == 0 || IsHungAppWindow(h))
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

bool Win32WindowSystem::WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) {
    // A thread takes WM_PAINT only when no sent, posted or input message is waiting for it, and
    // the keys already injected are waiting in its input queue. So one pixel of the window is
    // made invalid, and once the window has painted it (its update region is empty again) every
    // key before it has been taken out of the queue by the window's own thread; after that a
    // change of focus can no longer take them elsewhere or drop them.
    constexpr DWORD kPollMs = 1;
    const HWND h = ToHwnd(w);
    const DWORD thread = ThreadOf(h);
    if (thread == 0 || thread == GetCurrentThreadId())
        return true;
    if (!IsWindowVisible(h) || IsIconic(h))
        return true;
    const std::uint64_t until = GetTickCount64() + boundMs;
    const RECT pixel{0, 0, 1, 1};
    if (!RedrawWindow(h, &pixel, nullptr, RDW_INVALIDATE))
        return true;
    while (GetUpdateRect(h, nullptr, FALSE)) {
        if (GetTickCount64() >= until)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

std::uint32_t Win32WindowSystem::ProcessOf(WindowId w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(ToHwnd(w), &pid);
    return pid;
}

bool Win32WindowSystem::EndProcess(std::uint32_t processId, std::uint32_t exitCode) {
    const UniqueKernelHandle process(OpenProcess(0x1F0FFF, FALSE, processId));
    if (!process.Valid())
        return false;
    TerminateProcess(process.Get(), exitCode);
    return true;
}

std::uint32_t Win32WindowSystem::CurrentProcessId() {
    return GetCurrentProcessId();
}

}  // namespace tandrel::win32
