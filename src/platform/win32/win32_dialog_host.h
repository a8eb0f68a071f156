// The dialog layer on Win32: a dialog host over an HWND made from the dialog's resource template,
// the one dialog procedure that turns window messages into CDialog::Dispatch calls, nested modal
// dialogs (DialogBoxParamW), and the main window's run: a modeless dialog with a message loop of
// its own, in which the dialog sees every key press of the window and its controls first.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "ui/dialog.h"
#include "ui/dialog_host.h"

namespace tandrel::win32 {

// SetLayeredWindowAttributes, looked up by name in USER32.DLL once at start-up; null where the
// system has no such function.
using LayeredAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
void SetLayeredAttributesFunction(LayeredAttributesFn fn);
LayeredAttributesFn LayeredAttributesFunction();

class Win32DialogHost final : public IDialogHost {
  public:
    // A dialog run by DialogBoxParamW ends with EndDialog; the main window's own loop ends when
    // Ended() turns true.
    enum class Run : std::uint8_t { kDialogBox, kOwnLoop };

    // `icon`, when given, is the window's large and small icon, painted while it is minimised
    // and answered to WM_QUERYDRAGICON. The host does not own it.
    Win32DialogHost(HINSTANCE instance, Run run, HICON icon = nullptr);
    ~Win32DialogHost() override;
    Win32DialogHost(const Win32DialogHost&) = delete;
    Win32DialogHost& operator=(const Win32DialogHost&) = delete;

    HWND Hwnd() const { return hwnd_; }
    HICON Icon() const { return icon_; }
    void BindWindow(HWND hwnd) { hwnd_ = hwnd; }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

    // ---- IDialogHost ----
    WindowId Window() override { return reinterpret_cast<WindowId>(hwnd_); }
    void SetItemText(int id, const std::wstring& text) override;
    std::wstring ItemText(int id) override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) override;
    void EnableItem(int id, bool enabled) override;
    bool IsItemEnabled(int id) override;
    void ShowItem(int id, bool shown) override;
    bool IsItemShown(int id) override;
    void SetItemFont(int id, const FontSpec& font) override;
    void ClearList(int id) override;
    void AddListItem(int id, const std::wstring& text) override;
    void SelectListItem(int id, int index) override;
    int ListSelection(int id) override;
    int ListCount(int id) override;
    void SetEditSelection(int id, int start, int end) override;
    void ReplaceEditSelection(int id, const std::wstring& text) override;
    void ScrollEditCaret(int id) override;
    void SetSliderRange(int id, int low, int high) override;
    void SetSliderPosition(int id, int position) override;
    int SliderPosition(int id) override;
    void FocusItem(int id) override;
    int FocusedItem() override;
    void MakeDefaultButton(int id) override;
    void SetTitle(const std::wstring& title) override;
    std::wstring Title() override;
    std::uint32_t ExtendedStyle() override;
    void SetExtendedStyle(std::uint32_t style) override;
    Rect WindowRect() override;
    bool HasLayeredAttributes() override;
    void SetLayeredAlpha(std::uint8_t alpha) override;
    void RemoveSystemMenuItem(std::uint32_t command) override;
    void AppendSystemMenuSeparator() override;
    void AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) override;
    bool ChooseFileToOpen(const std::wstring& filter, const std::wstring& title, std::wstring& path) override;
    int MessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override;
    int RunModal(CDialog& dialog) override;
    void EndDialog(int result) override;

  private:
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool IsComboBox(int id) const;
    // The framework's point-size font of the face, in the face's own character set.
    HFONT CreatePointFont(const FontSpec& spec) const;

    HINSTANCE instance_;
    Run run_;
    HICON icon_;
    HWND hwnd_ = nullptr;
    bool ended_ = false;
    int result_ = 0;
    // Fonts made for the controls, by face and size, deleted with the host.
    std::map<std::pair<std::wstring, int>, HFONT> fonts_;
};

// What the main window's run adds to the generic dialog procedure.
struct MainWindowHooks {
    // Once the window exists, before the dialog's initialisation (subclassing its controls).
    std::function<void(HWND window)> created;
    // Every WM_KEYDOWN of the window and its controls, before the dialog manager sees it, with
    // the identifier of the control that has the focus (0 for none); may set the key to 0.
    std::function<void(int focusedControlId, std::uint32_t& key)> preTranslateKey;
    // Once the run has ended, before the window is destroyed.
    std::function<void()> beforeDestroy;
};

// Creates the dialog from its template with no owner, runs it until it ends, destroys the window
// and returns the dialog's result; -1 when the window could not be created.
int RunMainWindow(CDialog& dialog, HINSTANCE instance, HICON icon, const MainWindowHooks& hooks);

}  // namespace tandrel::win32
