// The driver's side of tandrel.exe: a copy of the program in a private folder (so its profile
// beside it is private to the scenario), started, its main window found, stopped.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "e2e_files.h"
#include "process.h"

namespace e2e {

class TandrelApp {
  public:
    // Copies tandrel.exe into `folder`, starts it there and waits up to 10 s for its main window.
    explicit TandrelApp(const TempFolder& folder);
    TandrelApp(const TandrelApp&) = delete;
    TandrelApp& operator=(const TandrelApp&) = delete;

    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_.Id(); }
    // The profile file beside the private copy.
    std::wstring ProfilePath() const { return profile_; }
    void Stop() { process_.Kill(); }
    ChildProcess& Process() { return process_; }

  private:
    ChildProcess process_;
    std::wstring profile_;
    HWND window_ = nullptr;
};

// Whether the main window was shown with its title within `boundMs`: the end of its
// initialisation (the window is found as soon as it exists; its controls are filled and its
// settings applied once it shows).
bool Shown(const TandrelApp& app, DWORD boundMs = kWaitMs);

// The first top-level window of the class owned by the process, or none.
HWND FindWindowOfProcess(const wchar_t* className, DWORD processId);

// Polls the condition every 20 ms until it holds; false when `boundMs` ran out first.
bool WaitUntil(const std::function<bool()>& condition, DWORD boundMs);

// Polls until the window is visible; false when `boundMs` ran out first.
bool WaitVisible(HWND w, DWORD boundMs);

// Waits until the thread of the (visible) window has taken every message and key that was
// waiting for it: a thread paints only when nothing else is waiting, so a pixel is made invalid
// and the window must paint it. False when the bound ran out or the window cannot paint.
bool Settled(HWND w, DWORD boundMs = kWaitMs);

// A window's text (title or control text), asked with a bounded send.
std::wstring WindowText(HWND w);

}  // namespace e2e
