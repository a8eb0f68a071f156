// The Win32 implementations of the input, window and time boundaries, owned together.
#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_window_system.h"

namespace tandrel::win32 {

struct Win32Platform {
    Win32Keyboard keyboard;
    Win32WindowSystem windows;
    Win32Clock clock;
    Win32Launcher launcher;

    // The whole boundary for the core, with the storage and shell implementations beside these.
    Platform With(IStorage& storage, IShell& shell) {
        Platform platform{keyboard, windows, clock, storage, shell};
        platform.launcher = &launcher;
        return platform;
    }
};

}  // namespace tandrel::win32
