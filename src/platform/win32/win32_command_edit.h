// The command box's Win32 side: its edit control subclassed so that a selection made with the
// mouse is copied, the right button pastes (the way a terminal behaves), and Up and Down go to the
// main window instead of moving the caret while the history walks with them.
#pragma once
#include <windows.h>

#include "ui/command_edit.h"

namespace tandrel::win32 {

// Subclasses the edit control; `box` supplies the two flags and must outlive the control.
// False when the control could not be subclassed (it then behaves as a plain edit control).
bool SubclassCommandEdit(HWND edit, const CCommandEdit& box);

}  // namespace tandrel::win32
