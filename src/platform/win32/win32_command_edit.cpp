#include "platform/win32/win32_command_edit.h"

#include <commctrl.h>

#include <string>

namespace tandrel::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1011;

// The selection as CF_UNICODETEXT; the clipboard is left alone when nothing is selected.
void CopySelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end)
        return;
    if (!OpenClipboard(edit))
        return;
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    const std::size_t from = start < text.size() ? start : text.size();
    const std::wstring selection = text.substr(from, end - start);
    EmptyClipboard();
    const SIZE_T bytes = (selection.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes); block != nullptr) {
        if (void* p = GlobalLock(block); p != nullptr) {
            CopyMemory(p, selection.c_str(), bytes);
            GlobalUnlock(block);
            if (SetClipboardData(CF_UNICODETEXT, block) == nullptr)
                GlobalFree(block);  // the clipboard did not take it
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

LRESULT CALLBACK CommandEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
    const CCommandEdit& box = *reinterpret_cast<const CCommandEdit*>(data);
    switch (message) {
        case WM_LBUTTONUP: {
            // The selection is complete only after the control's own handling.
            const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            if (box.emulateCopyPaste != 0)
                CopySelection(edit);
            return result;
        }
        case WM_RBUTTONUP:
            if (box.emulateCopyPaste != 0) {
                SendMessageW(edit, WM_PASTE, 0, 0);
                return 0;  // and no context menu
            }
            break;
        case WM_KEYDOWN:
            if (box.cmdhistoryScrollThrough != 0 && (wParam == VK_UP || wParam == VK_DOWN)) {
                // The main window has already walked the history; the caret stays where it put it.
                SendMessageW(GetParent(edit), WM_KEYDOWN, wParam, lParam);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, CommandEditProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool SubclassCommandEdit(HWND edit, const CCommandEdit& box) {
    return edit != nullptr &&
           SetWindowSubclass(edit, CommandEditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&box)) != FALSE;
}

}  // namespace tandrel::win32
