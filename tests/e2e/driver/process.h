// A child process of the driver, ended (if still running) when the object goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// One argument quoted the way CommandLineToArgvW reads it back.
std::wstring QuoteArgument(const std::wstring& arg);

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `exe` with the arguments in `folder` as its working folder. False when it could not.
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& folder);
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
