// The driver's side of real PuTTY windows: each one a putty.exe (built by tests/e2e/putty/build)
// on a raw session to its own bash on a loopback port, with local echo and line editing off, so
// that the shell receives exactly the bytes the terminal sends for the keys it is given. The
// shells are served by tests/e2e/putty/shells, which tests/e2e/run starts and names in
// E2E_SHELLS_PORT; it records every byte a window sent, and counts the shell's prompts.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "process.h"

namespace e2e {

// putty.exe, built once outside the win64 tree.
std::wstring PuttyExe();

class PuttyWindow {
  public:
    HWND Window() const { return window_; }
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(window_); }
    const std::wstring& Title() const { return title_; }
    DWORD ProcessId() const { return adopted_ != 0 ? adopted_ : process_.Id(); }

    // Every byte the window has sent to its shell, in order.
    std::string Received() const;
    // Waits up to `boundMs` until at least `count` bytes have arrived.
    bool WaitForReceived(std::size_t count, DWORD boundMs) const;
    // The prompts the shell has shown (one before each command line it reads).
    std::size_t Prompts() const;
    bool WaitForPrompts(std::size_t count, DWORD boundMs) const;
    // A file in the shell's working folder, as the driver reaches it.
    std::wstring ShellFile(const std::wstring& name) const { return folder_ + name; }

  private:
    friend class PuttyWindows;
    std::wstring title_;
    std::wstring session_;  // PuTTY's saved session of this window
    std::wstring folder_;   // the shell's working folder, with a trailing backslash
    ChildProcess process_;
    DWORD adopted_ = 0;  // the process of a window the program under test opened
    HWND window_ = nullptr;
};

class PuttyWindows {
  public:
    // Starts one PuTTY window per title, shown with `showCommand`, and waits until every one is
    // connected and its shell has shown its first prompt. With `start` false each is only saved
    // (a session named as its title) for the program under test to open; Adopt then waits for
    // its window and prompt, and ends it with the rest.
    explicit PuttyWindows(const std::vector<std::wstring>& titles, int showCommand = SW_SHOWNORMAL,
                          bool start = true);
    bool Adopt();
    ~PuttyWindows();
    PuttyWindows(const PuttyWindows&) = delete;
    PuttyWindows& operator=(const PuttyWindows&) = delete;

    // Empty when every window is up; otherwise what went wrong.
    const std::string& Error() const { return error_; }
    std::size_t size() const { return windows_.size(); }
    PuttyWindow& operator[](std::size_t i) { return *windows_[i]; }
    const PuttyWindow& operator[](std::size_t i) const { return *windows_[i]; }

  private:
    bool Open(const std::wstring& title, int showCommand, bool start);
    std::string error_;
    SOCKET control_ = INVALID_SOCKET;  // closing it ends the shells
    std::vector<std::unique_ptr<PuttyWindow>> windows_;
};

// A saved session to a loopback port nobody listens on; every PuTTY showing an error box ended.
bool SaveRefusingSession(const std::wstring& name);
void EndPuttyErrorBoxes();

}  // namespace e2e
