// The application object: start-up, the hand-off to an instance that is already running, and
// the main window's run for the whole life of the process.
#pragma once
#include <windows.h>

namespace tandrel::app {

inline constexpr wchar_t kWindowClass[] = L"TANDREL_WND_CLASS";
inline constexpr UINT kActivateMessage = 1025;
inline constexpr int kIconId = 100;

class CSenderApp {
  public:
    explicit CSenderApp(HINSTANCE instance) : instance_(instance) {}
    // Always false: no message loop of the application runs after the main window's.
    bool InitInstance();

  private:
    bool RegisterWindowClass();

    HINSTANCE instance_;
};

}  // namespace tandrel::app
