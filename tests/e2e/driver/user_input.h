// What a user does to tandrel.exe: keys typed into the focused control, clicks on its buttons,
// answers to its message boxes; and what a user sees: texts, states and windows.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Waits up to `boundMs` until the window is the foreground window.
bool WaitForForeground(HWND window, DWORD boundMs = 5000);
// Brings the window to the foreground (as a click on its caption would) and waits for it.
bool Activate(HWND window);

// Types the text into whatever has the keyboard focus, one character at a time.
void TypeText(const std::wstring& text);
// Presses and releases a key, with Shift, Ctrl or Alt held when asked.
void PressKey(WORD vk, bool shift = false, bool ctrl = false, bool alt = false);
// Moves the mouse to the middle of the control and clicks it with the left button.
void Click(HWND control);

// The text of a window or control of another process (WM_GETTEXT).
std::wstring TextOf(HWND window);
// The message box of the process on screen now, or none; waits up to `boundMs` for one.
HWND WaitForMessageBox(DWORD processId, DWORD boundMs = 5000);
// The text of the message box (its static text).
std::wstring MessageBoxText(HWND box);

// Waits up to `boundMs` until the condition holds; true when it did.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD boundMs = 5000) {
    const ULONGLONG until = GetTickCount64() + boundMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= until)
            return false;
        Sleep(10);
    }
}

}  // namespace e2e
