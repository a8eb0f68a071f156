// Opening saved sessions: one putty.exe each, then the wait for their terminal windows.
#include "platform/diagnostics.h"
#include "sessions/sessions.h"
#include "targets/terminal_window.h"

namespace tandrel {

namespace {

struct Started {
    std::size_t session;  // index into the sessions
    std::uint32_t processId;
    WindowId window = kNoWindow;
};

// A shown top-level terminal window of the process, if it has one.
void FindShownWindows(IWindowSystem& windows, std::vector<Started>& started) {
    std::vector<WindowId> all;
    windows.ListTopLevelWindows(all);
    for (const WindowId w : all) {
        wchar_t className[kNameBufferUnits];
        const std::size_t n = windows.ReadClassName(w, className, kNameBufferUnits);
        if (!IsTerminalClass(std::wstring_view(className, n < kNameBufferUnits ? n : 0)) ||
            !windows.IsVisible(w))
            continue;
        const std::uint32_t process = windows.ProcessOf(w);
        for (Started& s : started)
            if (s.window == kNoWindow && process != 0 && s.processId == process) {
                s.window = w;
                break;
            }
    }
}

bool AllShown(const std::vector<Started>& started) {
    for (const Started& s : started)
        if (s.window == kNoWindow)
            return false;
    return true;
}

}  // namespace

OpenedSessions OpenSessions(ILauncher& launcher, IWindowSystem& windows, IClock& clock,
                            const std::wstring& putty, const std::vector<std::wstring>& sessions) {
    OpenedSessions opened;
    std::vector<Started> started;
    std::vector<bool> failed(sessions.size(), false);
    for (std::size_t i = 0; i < sessions.size(); ++i) {
        std::uint32_t processId = 0;
        std::uint32_t error = 0;
        if (launcher.StartProcess(putty, PuttyCommandLine(putty, sessions[i]), processId, error)) {
            started.push_back({i, processId});
        } else {
            Trace(L"putty.exe did not start for the session " + sessions[i] + L": error " +
                  std::to_wstring(error));
            failed[i] = true;
        }
    }

    const std::uint64_t deadline = clock.NowMs() + kSessionWindowWaitMs;
    for (;;) {
        FindShownWindows(windows, started);
        if (AllShown(started) || clock.NowMs() >= deadline)
            break;
        clock.Sleep(kSessionWindowPollMs);
    }

    std::size_t next = 0;
    for (std::size_t i = 0; i < sessions.size(); ++i) {
        if (failed[i]) {
            opened.missed.push_back(sessions[i]);
            continue;
        }
        const Started& s = started[next++];
        if (s.window != kNoWindow) {
            opened.windows.push_back(s.window);
        } else {
            Trace(L"The session " + sessions[i] + L" showed no terminal window in time");
            opened.missed.push_back(sessions[i]);
        }
    }
    return opened;
}

}  // namespace tandrel
