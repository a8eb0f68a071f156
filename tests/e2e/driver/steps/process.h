// A child process of the driver, ended (if still running) when the object goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The bound of every wait for something that must come (a window, a state, an event in a
// probe's log, an answer): generous, since a busy machine can be slow by seconds. A wait ends as
// soon as what it waits for is there, so the bound costs nothing while the scenario passes;
// reaching it is the failure.
constexpr DWORD kWaitMs = 30000;

// One argument quoted the way CommandLineToArgvW reads it back.
std::wstring QuoteArgument(const std::wstring& arg);

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `exe` with the arguments in `folder` as its working folder, its first window shown
    // with `showCommand` when one is given, its standard output and error going to `output` when
    // one is given (an inheritable handle). False when it could not.
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder,
               int showCommand = -1, HANDLE output = nullptr);
    bool Running() const;
    DWORD Id() const { return info_.dwProcessId; }
    // Ends it and waits until it is gone.
    void Kill();
    // Waits up to `boundMs` for it to end by itself; false when it is still running.
    bool WaitForExit(DWORD boundMs);
    DWORD ExitCode() const;

  private:
    PROCESS_INFORMATION info_{};
};

}  // namespace e2e
