// The dialog host over a real dialog window, and the one dialog procedure that turns the
// window's messages into the portable dialog's events.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_host.h"

namespace tandrel::win32 {

// SetLayeredWindowAttributes of USER32.DLL, looked up by name once at start-up; null where the
// system lacks it.
using LayeredAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
void LookUpLayeredAttributes();
LayeredAttributesFn LayeredAttributes();

class Win32DialogHost : public IDialogHost {
  public:
    // `modeless`: the window was made by CreateDialogParamW and runs a loop of its own, which
    // watches Ended(); otherwise DialogBoxParamW runs it and EndDialog ends that run.
    Win32DialogHost(HWND dialog, bool modeless);
    ~Win32DialogHost() override;
    Win32DialogHost(const Win32DialogHost&) = delete;
    Win32DialogHost& operator=(const Win32DialogHost&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool Ended() const { return ended_; }
    // A modeless window without a loop of its own (OpenModeless): EndDialog destroys it.
    void DestroyOnEnd() { destroyOnEnd_ = true; }
    bool DestroysOnEnd() const { return destroyOnEnd_; }
    int Result() const { return result_; }

    WindowId Window() override;
    void SetItemText(int id, const std::wstring& text) override;
    std::wstring ItemText(int id) override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) override;
    void EnableItem(int id, bool enabled) override;
    bool IsItemEnabled(int id) override;
    void ShowItem(int id, bool shown) override;
    bool IsItemShown(int id) override;
    void SetItemGlyph(int id, const FontSpec& font, const std::wstring& glyph) override;
    void SetItemPicture(int id, int bitmapResource) override;
    // The window moved to a monitor of another scale: every glyph picture is drawn again at it.
    void RedrawGlyphs();
    void SetItemTip(int id, const std::wstring& tip) override;
    void ClearList(int id) override;
    void AddListItem(int id, const std::wstring& text) override;
    void SelectListItem(int id, int index) override;
    int ListSelection(int id) override;
    int ListCount(int id) override;
    void SetListItemChecked(int id, int index, bool checked) override;
    bool IsListItemChecked(int id, int index) override;
    void SetEditSelection(int id, int start, int end) override;
    void ReplaceEditSelection(int id, const std::wstring& text) override;
    void ScrollEditCaret(int id) override;
    void SetSliderRange(int id, int low, int high) override;
    void SetSliderPosition(int id, int position) override;
    int SliderPosition(int id) override;
    void SetListColumns(int id, const std::vector<ListColumn>& columns) override;
    void SetListRows(int id, const std::vector<ListRow>& rows) override;
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
    void MoveWindowTo(int x, int y) override;
    void StartTimer(int timerId, std::uint32_t periodMs) override;
    void StopTimer(int timerId) override;
    bool ChooseFileToOpen(const std::wstring& filter, const std::wstring& title, std::wstring& path) override;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override;
    int RunModal(CDialog& dialog) override;
    void OpenModeless(CDialog& dialog) override;
    void EndDialog(int result) override;

  private:
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    // Combo boxes take CB_* messages, list boxes LB_*, list views LVM_*.
    bool IsComboBox(int id) const;
    bool IsListView(int id) const;
    bool HasTool(HWND item) const;

    struct Glyph {
        int id;
        FontSpec font;
        std::wstring glyph;
    };
    // Draws the glyph at the window's scale as the button's picture, and keeps the bitmap.
    void DrawGlyph(const Glyph& g);
    // Gives the button the picture (IMAGE_ICON or IMAGE_BITMAP), deleting the one of ours it
    // replaces.
    struct Picture {
        UINT type;
        HANDLE handle;
    };
    void SetPicture(HWND item, UINT type, HANDLE picture);
    static void DeletePicture(const Picture& p);
    HWND hwnd_;
    bool modeless_;
    bool destroyOnEnd_ = false;  // a modeless window opened by OpenModeless, with no loop of its own
    bool ended_ = false;
    int result_ = 0;
    std::vector<Glyph> glyphs_;
    std::vector<Picture> pictures_;  // every picture given to a button, deleted with the host
    HWND tips_ = nullptr;            // the tooltip control, made with the first tip
};

// The dialog procedure of every dialog: WM_INITDIALOG's lParam is the CDialog*. It attaches a
// host, and turns WM_INITDIALOG, WM_COMMAND, WM_HSCROLL, WM_HELP, WM_SYSCOMMAND, WM_TIMER and a
// list view's check-box and double-click notifications into Dispatch; IDOK and IDCANCEL that the
// map leaves alone run OnOK and OnCancel.
INT_PTR CALLBACK GenericDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The same for a window opened by OpenModeless.
INT_PTR CALLBACK ModelessDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The pieces other dialog procedures (the main window's) share with it: binding a dialog and a
// new host to the window at WM_INITDIALOG, and the messages every dialog handles.
void BindDialog(HWND hwnd, CDialog& dialog, bool modeless);
INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The modeless dialog window that is active, for the keyboard routing of the main loop; null
// when the active window is none of ours or a modal one.
HWND ActiveModelessDialog();

// The dialog and host bound to a window (null before WM_INITDIALOG and after WM_NCDESTROY).
CDialog* DialogOf(HWND hwnd);
Win32DialogHost* HostOf(HWND hwnd);

}  // namespace tandrel::win32
