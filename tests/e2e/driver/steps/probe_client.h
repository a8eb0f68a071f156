// The driver's side of a probe terminal: start one with options, wait until its window exists,
// read its log, wait for something to appear in it, make it hang, stop it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "probe_events.h"
#include "process.h"

namespace e2e {

struct ProbeOptions {
    std::wstring className = L"PuTTY";
    std::wstring title = L"probe";
    bool hidden = false;
    bool minimized = false;
    bool hang = false;           // hangs at once
    bool hangOnRequest = false;  // hangs when Hang() is called
    bool ignoreSize = false;
    unsigned activationDelayMs = 0;
    unsigned keyDelayMs = 0;
    unsigned charDelayMs = 0;
    unsigned slowMs = 0;  // late with every hide, show, size, activation and painting
};

using EventCondition = std::function<bool(const std::vector<ProbeEvent>&)>;

class Probe {
  public:
    // Starts the probe with its log in `folder` and waits, up to 10 s, until its window exists.
    Probe(const TempFolder& folder, ProbeOptions options);
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(window_); }
    DWORD ProcessId() const { return process_.Id(); }
    const ProbeOptions& Options() const { return options_; }
    const std::wstring& LogPath() const { return logPath_; }
    bool Running() const { return process_.Running(); }

    std::vector<ProbeEvent> Events() const;
    // The events logged after the first `mark` ones (a mark is Events().size() at some time).
    std::vector<ProbeEvent> EventsAfter(std::size_t mark) const;
    std::size_t Mark() const { return Events().size(); }
    // Waits up to `boundMs` until the condition holds over the events after `mark`.
    bool WaitFor(const EventCondition& condition, DWORD boundMs, std::size_t mark = 0) const;
    // Waits until the probe has typed at least `count` characters after `mark`.
    bool WaitForChars(std::size_t count, DWORD boundMs, std::size_t mark = 0) const;

    // Waits up to `boundMs` until the probe has handled every message sent to it so far, show
    // commands queued for it included.
    bool Settled(DWORD boundMs) const;

    // A probe started with hangOnRequest stops answering messages from now on; true once it
    // has said so in its log.
    bool Hang();
    void Stop() { process_.Kill(); }
    // Waits up to `boundMs` for the probe to end; its exit code once it has.
    bool WaitForExit(DWORD boundMs) { return process_.WaitForExit(boundMs); }
    DWORD ExitCode() const { return process_.ExitCode(); }

  private:
    ProbeOptions options_;
    std::wstring logPath_;
    std::wstring hangFile_;
    ChildProcess process_;
    HWND window_ = nullptr;
};

}  // namespace e2e
