// Everything the core reaches the operating system through, handed to the main window.
#pragma once
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/launcher.h"
#include "platform/shell.h"
#include "platform/storage.h"
#include "platform/target_marks.h"
#include "platform/tray.h"
#include "platform/window_system.h"

namespace tandrel {

struct Platform {
    IKeyboard& keyboard;
    IWindowSystem& windows;
    IClock& clock;
    IStorage& storage;
    IShell& shell;
    // The notification area; none where the system has no tray (the main window then never
    // hides into it).
    ITray* tray = nullptr;
    // Show Targets' numbers over the windows; none where they cannot be drawn.
    ITargetMarks* marks = nullptr;
    // Saved sessions and the start of other programs; none where programs cannot be started.
    ILauncher* launcher = nullptr;
};

}  // namespace tandrel
