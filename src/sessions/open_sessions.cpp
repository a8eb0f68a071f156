// Opening saved sessions: one putty.exe each, then the wait for their terminal windows.
#include "platform/diagnostics.h"
#include "sessions/sessions.h"
#include "targets/terminal_window.h"

namespace tandrel {

namespace {

// The system's class of dialog boxes: PuTTY's error messages and questions.
constexpr std::wstring_view kDialogBoxClass = L"#32770";

struct Started {
    std::size_t session;  // index into the sessions
    std::uint32_t processId;
    WindowId window = kNoWindow;
    bool asking = false;  // shows a dialog box: an error (a host that refuses) or a question
};

// Each process's first shown top-level terminal window, and whether it shows a dialog box.
void Survey(IWindowSystem& windows, std::vector<Started>& started) {
    std::vector<WindowId> all;
    windows.ListTopLevelWindows(all);
    for (const WindowId w : all) {
        wchar_t className[kNameBufferUnits];
        const std::size_t n = windows.ReadClassName(w, className, kNameBufferUnits);
        const std::wstring_view name(className, n < kNameBufferUnits ? n : 0);
        const bool terminal = IsTerminalClass(name);
        if ((!terminal && name != kDialogBoxClass) || !windows.IsVisible(w))
            continue;
        const std::uint32_t process = windows.ProcessOf(w);
        for (Started& s : started) {
            if (process == 0 || s.processId != process)
                continue;
            if (!terminal)
                s.asking = true;
            else if (s.window == kNoWindow)
                s.window = w;
        }
    }
}

bool AllSettled(const std::vector<Started>& started) {
    for (const Started& s : started)
        if (s.window == kNoWindow && !s.asking)
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

    // A refused connection shows its error box only after the window: once every session has
    // shown one or the other, they are watched a little longer.
    const std::uint64_t deadline = clock.NowMs() + kSessionWindowWaitMs;
    std::uint64_t settledAt = 0;
    for (;;) {
        Survey(windows, started);
        const std::uint64_t now = clock.NowMs();
        if (!AllSettled(started))
            settledAt = 0;
        else if (settledAt == 0)
            settledAt = now;
        if ((settledAt != 0 && now - settledAt >= kSessionSettleMs) || now >= deadline)
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
        if (s.window != kNoWindow && !s.asking) {
            opened.windows.push_back(s.window);
        } else {
            Trace(L"The session " + sessions[i] +
                  (s.asking ? L" shows a message or question" : L" showed no terminal window in time"));
            opened.missed.push_back(sessions[i]);
        }
    }
    return opened;
}

}  // namespace tandrel
