// Steps that the scenarios of tandrel.exe share: its profile, its buttons and commands, the
// dialogs and message boxes it owns, and the shell's handling of web addresses.
#pragma once
#include <windows.h>

#include <string>

#include "res/resource.h"
#include "arrange/arrange_geometry.h"
#include "e2e_files.h"

namespace e2e {

// The message by which the notification area tells the main window of the mouse on its icon.
inline constexpr UINT kTrayNotify = TANDREL_MSG_TRAY_NOTIFY;

// Writes the profile beside the private copy before the start: the section line, then `lines`.
void WriteAppProfile(const TempFolder& folder, const std::string& lines);
// One value of the profile as the program saved it, or "<missing>".
std::wstring ProfileValue(const std::wstring& path, const std::wstring& key);

// A button pressed in `window` (the main window or a dialog), or a menu command: its
// notification, posted, since a press may open a modal dialog.
void Click(HWND window, int id);

// The visible dialog owned by `owner` with that caption (any caption when null), waited for up to 5 s.
HWND WaitForDialog(HWND owner, const wchar_t* caption);
// The main window's Preferences button pressed: the dialog, once shown, or none.
HWND OpenPreferences(HWND app);
// The visible message box of the process (class "#32770", caption "Tandrel"), or none after `boundMs`.
HWND WaitForMessageBox(DWORD processId, DWORD boundMs);
// Whether a message box of the process (caption "Tandrel") is shown now.
bool MessageBoxShown(DWORD processId);
// The text of the message box's static control.
std::wstring MessageBoxText(HWND box);
bool WaitGone(HWND window);
// Presses a button of the message box (IDYES, IDNO, IDOK) and waits until the box is gone.
bool AnswerMessageBox(HWND box, int button);

// Replaces the edit's text the way typing over a full selection does, so that even a multi-line
// edit (which says nothing on WM_SETTEXT) tells its dialog of the change.
void SetText(HWND dialog, int id, const std::wstring& text);
bool Enabled(HWND dialog, int id);
bool Checked(HWND dialog, int id);

// The window's client size, and its outer top-left corner on the screen.
bool HasClientSize(HWND w, int width, int height);
bool IsAt(HWND w, int x, int y);
// Where an arrangement leaves a window: at (x, y) with that client size, shown and not minimised.
// Placed and sized alone is also a state that the placement passes through halfway (hidden, before
// its closing minimise and restore), so a wait for less than all of it can end too early.
bool Arranged(HWND w, int x, int y, int clientWidth, int clientHeight);
// Whether Tile has arranged the window in its cell: a window that fits itself to the announced
// client size has the cell's client size; one that does not is given the whole cell (the height
// reserve included), frame and all, within the screen.
bool InTileCell(HWND w, const tandrel::Placement& cell, bool fitsItself);
// Whether the cascade has arranged the window in step `index` (0 for the first) with that size.
bool InCascadeStep(HWND w, int index, int width, int height);

// An ASCII text (an address) as bytes.
std::string Narrow(const std::wstring& text);

// One key pressed and released through the system's input, as the operator types it.
void PressKey(WORD vk);
// The text typed key by key through the system's input on the US layout (Shift where needed).
void TypeText(const std::wstring& text);
// The left button pressed and released through the system's input at the window's centre.
void MouseClick(HWND w);
void MouseClickAt(int x, int y);  // on the screen

// The shell's "open" of an http address, pointed for the scenario at a command that adds the
// address as a line to `urlFile`; the former command is put back afterwards.
class HttpHandlerOverride {
  public:
    explicit HttpHandlerOverride(const std::wstring& urlFile);
    ~HttpHandlerOverride();
    HttpHandlerOverride(const HttpHandlerOverride&) = delete;
    HttpHandlerOverride& operator=(const HttpHandlerOverride&) = delete;
    bool Ok() const { return ok_; }

  private:
    bool Set(const std::wstring& value, DWORD type);
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    bool ok_ = false;
    std::wstring old_;
    DWORD oldType_ = REG_SZ;
};

}  // namespace e2e
