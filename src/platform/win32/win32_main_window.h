// The main window's Win32 side: the window made from template 110, its own modal loop with the
// keyboard pre-translation, the painting while minimised, and the command box subclass.
#pragma once
#include <windows.h>

#include "ui/main_dialog.h"

namespace tandrel::win32 {

// Makes the window, runs it until the dialog ends, then runs the first steps of its
// destruction and destroys it. Returns the dialog's result, or -1 when the window could not be
// made. `icon` is icon resource 100.
int RunMainWindow(HINSTANCE instance, HICON icon, CMainDialog& dialog);

}  // namespace tandrel::win32
