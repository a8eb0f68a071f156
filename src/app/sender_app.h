// The application object: start-up, the hand-over to an instance that is already running, the
// main window's run, and the end of the process.
#pragma once
#include <windows.h>

namespace tandrel::app {

inline constexpr wchar_t kWindowClass[] = L"TANDREL_WND_CLASS";
inline constexpr int kIconId = 100;
inline constexpr int kTrayMenuId = 139;

class CSenderApp {
  public:
    explicit CSenderApp(HINSTANCE instance) : instance_(instance) {}

    // Runs the program; returns false in every case, so that no message loop runs after the
    // main window and the process ends.
    bool InitInstance();

  private:
    bool RegisterMainWindowClass(HICON icon);
    // True when another instance was found and handed the activation.
    bool HandOverToRunningInstance();
    void RunMainWindow(HICON icon);

    HINSTANCE instance_;
};

}  // namespace tandrel::app
