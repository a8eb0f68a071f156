// The dialog host: everything a portable dialog asks of its window. The Win32 host wraps an HWND
// made from the dialog's resource template; the fake host keeps the controls in memory.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_constants.h"

namespace tandrel {

class CDialog;

// A font given to a control, in tenths of a point ("Marlett" at 100 is 10 pt).
struct FontSpec {
    std::wstring face;
    int pointTenths = 0;
};

// A column of a list view (report view): its title and width in dialog units.
struct ListColumn {
    std::wstring title;
    int width = 0;
};

// A row of a list view with check boxes: its cells in column order and its check box.
struct ListRow {
    std::vector<std::wstring> cells;
    bool checked = false;
    bool operator==(const ListRow&) const = default;
};

class IDialogHost {
  public:
    virtual ~IDialogHost() = default;

    // The dialog's own window.
    virtual WindowId Window() = 0;

    // ---- controls, by identifier ----
    virtual void SetItemText(int id, const std::wstring& text) = 0;
    virtual std::wstring ItemText(int id) = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    virtual bool IsItemEnabled(int id) = 0;
    virtual void ShowItem(int id, bool shown) = 0;
    virtual bool IsItemShown(int id) = 0;
    // The button shows `glyph` drawn in `font` as its picture, made anew at each scale of the
    // window; its own text stays unchanged, the name a screen reader reads.
    virtual void SetItemGlyph(int id, const FontSpec& font, const std::wstring& glyph) = 0;
    // The button shows the bitmap resource as its picture; its text stays its name.
    virtual void SetItemPicture(int id, int bitmapResource) = 0;
    // The tooltip shown while the mouse rests on the control.
    virtual void SetItemTip(int id, const std::wstring& tip) = 0;

    // Combo boxes, list boxes and list views: the entries in order and one selection (-1 for none).
    virtual void ClearList(int id) = 0;
    virtual void AddListItem(int id, const std::wstring& text) = 0;
    virtual void SelectListItem(int id, int index) = 0;
    virtual int ListSelection(int id) = 0;
    virtual int ListCount(int id) = 0;
    // List views with check boxes: the check box of one entry.
    virtual void SetListItemChecked(int id, int index, bool checked) = 0;
    virtual bool IsListItemChecked(int id, int index) = 0;

    // Edit controls.
    virtual void SetEditSelection(int id, int start, int end) = 0;            // EM_SETSEL
    virtual void ReplaceEditSelection(int id, const std::wstring& text) = 0;  // EM_REPLACESEL, not undoable
    virtual void ScrollEditCaret(int id) = 0;                                 // EM_SCROLLCARET

    // List views in report view, each row with a check box.
    virtual void SetListColumns(int id, const std::vector<ListColumn>& columns) = 0;
    // The rows made these, changed in place where they differ: the selection, the scroll
    // position and the focus stay where they are.
    virtual void SetListRows(int id, const std::vector<ListRow>& rows) = 0;

    // Trackbars.
    virtual void SetSliderRange(int id, int low, int high) = 0;
    virtual void SetSliderPosition(int id, int position) = 0;
    virtual int SliderPosition(int id) = 0;

    // ---- focus and the default button ----
    virtual void FocusItem(int id) = 0;          // SetFocus straight to the control
    virtual int FocusedItem() = 0;               // identifier of the control with the focus, or 0
    virtual void MakeDefaultButton(int id) = 0;  // WM_NEXTDLGCTL with the button's handle

    // ---- the window as a whole ----
    virtual void SetTitle(const std::wstring& title) = 0;
    virtual std::wstring Title() = 0;
    virtual std::uint32_t ExtendedStyle() = 0;
    virtual void SetExtendedStyle(std::uint32_t style) = 0;
    virtual Rect WindowRect() = 0;
    // SetLayeredWindowAttributes through the pointer looked up at start-up; false when the
    // system has no such function.
    virtual bool HasLayeredAttributes() = 0;
    virtual void SetLayeredAlpha(std::uint8_t alpha) = 0;
    virtual void RemoveSystemMenuItem(std::uint32_t command) = 0;
    virtual void AppendSystemMenuSeparator() = 0;
    virtual void AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) = 0;
    // Moves the window's top-left corner to (x, y) in screen pixels, without activating it; left
    // where it is when no monitor shows that point.
    virtual void MoveWindowTo(int x, int y) = 0;
    // kTimer events with `timerId` every `periodMs` until StopTimer.
    virtual void StartTimer(int timerId, std::uint32_t periodMs) = 0;
    virtual void StopTimer(int timerId) = 0;

    // The system's file-open dialog owned by this dialog, with a filter in the framework's form
    // ("Name (*.ext)|*.ext||") and a title; hides read-only files. False on Cancel.
    virtual bool ChooseFileToOpen(const std::wstring& filter, const std::wstring& title,
                                  std::wstring& path) = 0;
    // A message box owned by this dialog; returns the answer (mb::kIdYes, ...).
    virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                               std::uint32_t flags) = 0;
    // Runs another dialog modally, owned by this one; returns its result (mb::kIdOk, mb::kIdCancel).
    virtual int RunModal(CDialog& dialog) = 0;
    // Opens another dialog modeless, owned by this one, and returns at once; it lives until it
    // ends itself through EndDialog (or this one is destroyed).
    virtual void OpenModeless(CDialog& dialog) = 0;
    // Ends this dialog's modal run with the result; a modeless dialog's window is destroyed.
    virtual void EndDialog(int result) = 0;
};

}  // namespace tandrel
