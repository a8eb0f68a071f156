// The application object: start-up, the hand-off to an instance that is already running, and
// the main window's run for the whole life of the process.
#pragma once
#include <windows.h>

#include "res/resource.h"

namespace tandrel::app {

inline constexpr wchar_t kWindowClass[] = L"TANDREL_WND_CLASS";
inline constexpr UINT kActivateMessage = TANDREL_MSG_ACTIVATE;
inline constexpr int kIconId = IDI_TANDREL;

class CSenderApp {
  public:
    explicit CSenderApp(HINSTANCE instance) : instance_(instance) {}
    // Always false: no message loop of the application runs after the main window's.
    bool InitInstance();
    // 0, or what a command-line request came to.
    int ExitCode() const { return exitCode_; }

  private:
    bool RegisterWindowClass();

    HINSTANCE instance_;
    int exitCode_ = 0;
};

}  // namespace tandrel::app
