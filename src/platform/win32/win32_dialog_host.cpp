#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_handles.h"
#include "platform/diagnostics.h"

#include <algorithm>
#include <memory>
#include <commctrl.h>
#include <commdlg.h>

namespace tandrel::win32 {
namespace {

LayeredAttributesFn g_layeredAttributes = nullptr;

// A list view's cell is compared with its new text through a buffer of this many units.
constexpr int kTextBuffer = 512;

// What a dialog window is bound to: made when the window is, given back at its WM_NCDESTROY.
struct Binding {
    CDialog* dialog;
    std::unique_ptr<Win32DialogHost> host;
};

Binding* BindingOf(HWND hwnd) {
    return reinterpret_cast<Binding*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
}

// The framework's filter form "Name (*.ext)|*.ext||" as the null-separated list the system
// dialog takes.
std::wstring SystemFilter(const std::wstring& filter) {
    std::wstring out = filter;
    for (wchar_t& c : out) {
        if (c == L'|')
            c = L'\0';
    }
    out.push_back(L'\0');
    return out;
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontFaceInstalled(const std::wstring& face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    const win32::ScreenDC screen;
    ::EnumFontFamiliesExW(screen.Get(), &lf, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// Where the glyph fonts are missing (Wine without its fonts, for one), the glyph buttons show
// the same shapes as ordinary characters of the dialog's own font.
struct StandIn {
    const wchar_t* face;
    const wchar_t* glyph;
    const wchar_t* character;
};
constexpr StandIn kStandIns[] = {
    {L"Marlett", L"5", L"\u25B2"},      // up triangle
    {L"Marlett", L"6", L"\u25BC"},      // down triangle
    {L"Marlett", L"3", L"\u25C0"},      // left triangle
    {L"Marlett", L"4", L"\u25B6"},      // right triangle
    {L"Marlett", L"r", L"\u00D7"},      // a cross
    {L"Marlett", L"i", L"\u25CF"},      // a dot
    {L"Symbol", L"\u00BF", L"\u21B5"},  // the return arrow
};

// A list view's check box changed by the operator (its state image: 1 unticked, 2 ticked) or a
// row double-clicked, as the dialog's events.
bool ListNotification(CDialog& dialog, const NMHDR& header) {
    const int id = static_cast<int>(header.idFrom);
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT before = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
        const UINT after = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
        if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0 || before == 0 || after == 0 ||
            before == after)
            return false;
        return dialog.Dispatch(DialogEvent::kCommand, id,
                               after == 2 ? notify::kRowTicked : notify::kRowUnticked,
                               static_cast<std::uintptr_t>(change.iItem));
    }
    if (header.code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        return row >= 0 && dialog.Dispatch(DialogEvent::kCommand, id, notify::kRowDblClk,
                                           static_cast<std::uintptr_t>(row));
    }
    return false;
}

}  // namespace

void LookUpLayeredAttributes() {
    HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
    g_layeredAttributes = nullptr;
    if (user32 != nullptr) {
        // Through the generic function pointer type, which every compiler lets go to any other.
        FARPROC found = ::GetProcAddress(user32, "SetLayeredWindowAttributes");
        g_layeredAttributes = reinterpret_cast<LayeredAttributesFn>(reinterpret_cast<void (*)()>(found));
    }
}

LayeredAttributesFn LayeredAttributes() {
    return g_layeredAttributes;
}

Win32DialogHost::Win32DialogHost(HWND dialog, bool modeless) : hwnd_(dialog), modeless_(modeless) {}

Win32DialogHost::~Win32DialogHost() {
    if (tips_ != nullptr)
        ::DestroyWindow(tips_);
    for (const Picture& p : pictures_) DeletePicture(p);
}

WindowId Win32DialogHost::Window() {
    return reinterpret_cast<WindowId>(hwnd_);
}

void Win32DialogHost::SetItemText(int id, const std::wstring& text) {
    ::SetDlgItemTextW(hwnd_, id, text.c_str());
}

std::wstring Win32DialogHost::ItemText(int id) {
    HWND item = Item(id);
    if (item == nullptr)
        return {};
    const int length = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(item, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Win32DialogHost::SetCheck(int id, bool checked) {
    ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogHost::IsChecked(int id) {
    return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void Win32DialogHost::EnableItem(int id, bool enabled) {
    ::EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool Win32DialogHost::IsItemEnabled(int id) {
    return ::IsWindowEnabled(Item(id)) != FALSE;
}

void Win32DialogHost::ShowItem(int id, bool shown) {
    ::ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

bool Win32DialogHost::IsItemShown(int id) {
    // The control's own style, so that the answer holds while the dialog itself is hidden.
    return (::GetWindowLongPtrW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogHost::SetItemTip(int id, const std::wstring& tip) {
    HWND item = Item(id);
    if (item == nullptr)
        return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(item);
    info.lpszText = const_cast<wchar_t*>(tip.c_str());
    if (tips_ == nullptr) {
        // Not owned by the dialog (the host destroys it): under Wine a topmost window that owns
        // a topmost popup cannot itself be made topmost, so "Always on top" would not take.
        tips_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        if (tips_ == nullptr)
            return;  // no tooltip control: the button works without its tip
    }
    // The tool is added once; later calls only change its text.
    ::SendMessageW(tips_, HasTool(item) ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                   reinterpret_cast<LPARAM>(&info));
}

bool Win32DialogHost::HasTool(HWND item) const {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(item);
    return ::SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void Win32DialogHost::SetItemGlyph(int id, const FontSpec& font, const std::wstring& glyph) {
    const Glyph g{id, font, glyph};
    DrawGlyph(g);
    glyphs_.push_back(g);
}

void Win32DialogHost::RedrawGlyphs() {
    for (const Glyph& g : glyphs_) DrawGlyph(g);
}

void Win32DialogHost::DrawGlyph(const Glyph& g) {
    HWND item = Item(g.id);
    if (item == nullptr)
        return;
    // The font at the window's own scale; a missing glyph font is stood in for by a character of
    // the dialog's font at the same size.
    const int dpi = static_cast<int>(::GetDpiForWindow(hwnd_));
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(g.font.pointTenths, dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI, 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring text = g.glyph;
    if (FontFaceInstalled(g.font.face)) {
        lstrcpynW(lf.lfFaceName, g.font.face.c_str(), LF_FACESIZE);
    } else {
        lstrcpynW(lf.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
        for (const StandIn& s : kStandIns) {
            if (g.font.face == s.face && g.glyph == s.glyph)
                text = s.character;
        }
    }
    const UniqueGdiObject font(::CreateFontIndirectW(&lf));
    const ScreenDC screen;
    HDC dc = ::CreateCompatibleDC(screen.Get());
    if (dc == nullptr || font.Get() == nullptr) {
        if (dc != nullptr)
            ::DeleteDC(dc);
        return;  // the button shows its name as text instead
    }
    // The picture is the glyph's own cell, which the button centres: its size follows the scale
    // alone, whether or not the button has been resized for it yet.
    HGDIOBJ oldFont = ::SelectObject(dc, font.Get());
    SIZE cell{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &cell);
    const int width = std::max(1, static_cast<int>(cell.cx));
    const int height = std::max(1, static_cast<int>(cell.cy));
    // An icon, so that the background stays the button's and a greyed button greys the glyph
    // alone: the mask is the glyph in black on white, the colour the glyph on black.
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HBITMAP colour = ::CreateCompatibleBitmap(screen.Get(), width, height);
    HICON picture = nullptr;
    if (mask != nullptr && colour != nullptr) {
        RECT r{0, 0, width, height};
        ::SetBkMode(dc, TRANSPARENT);
        HGDIOBJ oldBitmap = ::SelectObject(dc, mask);
        ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(dc, colour);
        ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(dc, oldBitmap);
        ICONINFO info{TRUE, 0, 0, mask, colour};
        picture = ::CreateIconIndirect(&info);
    }
    ::SelectObject(dc, oldFont);
    ::DeleteDC(dc);
    if (mask != nullptr)
        ::DeleteObject(mask);
    if (colour != nullptr)
        ::DeleteObject(colour);
    if (picture != nullptr)
        SetPicture(item, IMAGE_ICON, picture);
}

void Win32DialogHost::SetPicture(HWND item, UINT type, HANDLE picture) {
    const auto old =
        reinterpret_cast<HANDLE>(::SendMessageW(item, BM_SETIMAGE, type, reinterpret_cast<LPARAM>(picture)));
    // The picture it replaces (one of a former scale) is ours to delete.
    const auto mine =
        std::find_if(pictures_.begin(), pictures_.end(), [old](const Picture& p) { return p.handle == old; });
    if (old != nullptr && mine != pictures_.end()) {
        DeletePicture(*mine);
        pictures_.erase(mine);
    }
    pictures_.push_back({type, picture});
}

void Win32DialogHost::DeletePicture(const Picture& p) {
    if (p.type == IMAGE_ICON)
        ::DestroyIcon(static_cast<HICON>(p.handle));
    else
        ::DeleteObject(p.handle);
}

void Win32DialogHost::SetItemPicture(int id, int bitmapResource) {
    HBITMAP picture = static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapResource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (picture == nullptr)
        return;  // the button shows its name as text instead
    // Drawn for 96 dots per inch: stretched to the window's scale.
    const int dpi = static_cast<int>(::GetDpiForWindow(hwnd_));
    BITMAP size{};
    if (dpi > USER_DEFAULT_SCREEN_DPI && ::GetObjectW(picture, sizeof size, &size) != 0) {
        HANDLE scaled =
            ::CopyImage(picture, IMAGE_BITMAP, ::MulDiv(size.bmWidth, dpi, USER_DEFAULT_SCREEN_DPI),
                        ::MulDiv(size.bmHeight, dpi, USER_DEFAULT_SCREEN_DPI), LR_COPYDELETEORG);
        if (scaled != nullptr)
            picture = static_cast<HBITMAP>(scaled);
    }
    SetPicture(Item(id), IMAGE_BITMAP, picture);
}

bool Win32DialogHost::IsComboBox(int id) const {
    wchar_t name[32] = {};
    ::GetClassNameW(Item(id), name, 32);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

bool Win32DialogHost::IsListView(int id) const {
    wchar_t name[32] = {};
    ::GetClassNameW(Item(id), name, 32);
    return lstrcmpiW(name, WC_LISTVIEWW) == 0;
}

void Win32DialogHost::ClearList(int id) {
    if (IsListView(id)) {
        // One column as wide as the list, and a check box before each entry.
        const HWND list = Item(id);
        ListView_DeleteAllItems(list);
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                                            LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        if (Header_GetItemCount(ListView_GetHeader(list)) == 0) {
            RECT client{};
            ::GetClientRect(list, &client);
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH;
            column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
            ListView_InsertColumn(list, 0, &column);
        }
        return;
    }
    ::SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Win32DialogHost::AddListItem(int id, const std::wstring& text) {
    if (IsListView(id)) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListCount(id);
        item.pszText = const_cast<wchar_t*>(text.c_str());
        ListView_InsertItem(Item(id), &item);
        return;
    }
    ::SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogHost::SelectListItem(int id, int index) {
    if (IsListView(id)) {
        ListView_SetItemState(Item(id), -1, 0, LVIS_SELECTED);
        if (index >= 0)
            ListView_SetItemState(Item(id), index, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    ::SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index),
                          0);
}

int Win32DialogHost::ListSelection(int id) {
    if (IsListView(id))
        return ListView_GetNextItem(Item(id), -1, LVNI_SELECTED);
    return static_cast<int>(
        ::SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

int Win32DialogHost::ListCount(int id) {
    if (IsListView(id))
        return ListView_GetItemCount(Item(id));
    const LRESULT n = ::SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

void Win32DialogHost::SetListItemChecked(int id, int index, bool checked) {
    ListView_SetCheckState(Item(id), index, checked ? TRUE : FALSE);
}

bool Win32DialogHost::IsListItemChecked(int id, int index) {
    return ListView_GetCheckState(Item(id), index) != 0;
}

void Win32DialogHost::SetEditSelection(int id, int start, int end) {
    ::SendDlgItemMessageW(hwnd_, id, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32DialogHost::ReplaceEditSelection(int id, const std::wstring& text) {
    ::SendDlgItemMessageW(hwnd_, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogHost::ScrollEditCaret(int id) {
    ::SendDlgItemMessageW(hwnd_, id, EM_SCROLLCARET, 0, 0);
}

void Win32DialogHost::SetSliderRange(int id, int low, int high) {
    ::SendDlgItemMessageW(hwnd_, id, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
}

void Win32DialogHost::SetSliderPosition(int id, int position) {
    ::SendDlgItemMessageW(hwnd_, id, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
}

int Win32DialogHost::SliderPosition(int id) {
    return static_cast<int>(::SendDlgItemMessageW(hwnd_, id, TBM_GETPOS, 0, 0));
}

void Win32DialogHost::SetListColumns(int id, const std::vector<ListColumn>& columns) {
    HWND list = Item(id);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        RECT width{0, 0, columns[i].width, 0};
        ::MapDialogRect(hwnd_, &width);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].title.c_str());
        column.cx = width.right;
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
}

void Win32DialogHost::SetListRows(int id, const std::vector<ListRow>& rows) {
    HWND list = Item(id);
    const int count = static_cast<int>(rows.size());
    while (ListView_GetItemCount(list) > count) ListView_DeleteItem(list, ListView_GetItemCount(list) - 1);
    for (int i = ListView_GetItemCount(list); i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertItem(list, &item);
    }
    wchar_t buffer[kTextBuffer];
    for (int i = 0; i < count; ++i) {
        const ListRow& row = rows[static_cast<std::size_t>(i)];
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            // Only what changed is set again: the list does not flicker under the operator.
            buffer[0] = L'\0';
            ListView_GetItemText(list, i, static_cast<int>(c), buffer, kTextBuffer);
            if (row.cells[c] != buffer)
                ListView_SetItemText(list, i, static_cast<int>(c),
                                     const_cast<wchar_t*>(row.cells[c].c_str()));
        }
        if ((ListView_GetCheckState(list, i) != FALSE) != row.checked)
            ListView_SetCheckState(list, i, row.checked ? TRUE : FALSE);
    }
}

void Win32DialogHost::FocusItem(int id) {
    ::SetFocus(Item(id));
}

int Win32DialogHost::FocusedItem() {
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(hwnd_, focus))
        return 0;
    // A control made of child windows (a combo box's edit) answers with the control's id.
    while (::GetParent(focus) != hwnd_ && ::GetParent(focus) != nullptr) focus = ::GetParent(focus);
    return ::GetDlgCtrlID(focus);
}

void Win32DialogHost::MakeDefaultButton(int id) {
    ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void Win32DialogHost::SetTitle(const std::wstring& title) {
    ::SetWindowTextW(hwnd_, title.c_str());
}

std::wstring Win32DialogHost::Title() {
    const int length = ::GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::uint32_t Win32DialogHost::ExtendedStyle() {
    return static_cast<std::uint32_t>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
}

void Win32DialogHost::SetExtendedStyle(std::uint32_t style) {
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(style));
    // A changed frame (tool window or not) is drawn only once the system recomputes it.
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32DialogHost::WindowRect() {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool Win32DialogHost::HasLayeredAttributes() {
    return g_layeredAttributes != nullptr;
}

void Win32DialogHost::SetLayeredAlpha(std::uint8_t alpha) {
    if (g_layeredAttributes != nullptr)
        g_layeredAttributes(hwnd_, 0, alpha, LWA_ALPHA);
}

void Win32DialogHost::RemoveSystemMenuItem(std::uint32_t command) {
    ::RemoveMenu(::GetSystemMenu(hwnd_, FALSE), command, MF_BYCOMMAND);
}

void Win32DialogHost::AppendSystemMenuSeparator() {
    ::AppendMenuW(::GetSystemMenu(hwnd_, FALSE), MF_SEPARATOR, 0, nullptr);
}

void Win32DialogHost::AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) {
    ::AppendMenuW(::GetSystemMenu(hwnd_, FALSE), MF_STRING, command, text.c_str());
}

void Win32DialogHost::MoveWindowTo(int x, int y) {
    // A place on a monitor that is gone would put the window out of reach.
    if (::MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL) == nullptr)
        return;
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32DialogHost::StartTimer(int timerId, std::uint32_t periodMs) {
    ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32DialogHost::StopTimer(int timerId) {
    ::KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
}

bool Win32DialogHost::ChooseFileToOpen(const std::wstring& filter, const std::wstring& title,
                                       std::wstring& path) {
    const std::wstring systemFilter = SystemFilter(filter);
    std::wstring buffer(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = systemFilter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!::GetOpenFileNameW(&ofn))
        return false;
    path.assign(buffer.c_str());
    return true;
}

int Win32DialogHost::ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                                    std::uint32_t flags) {
    return ::MessageBoxW(hwnd_, text.c_str(), caption.c_str(), flags);
}

int Win32DialogHost::RunModal(CDialog& dialog) {
    const INT_PTR r = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog.TemplateId()),
                                        hwnd_, GenericDialogProc, reinterpret_cast<LPARAM>(&dialog));
    return static_cast<int>(r);
}

void Win32DialogHost::OpenModeless(CDialog& dialog) {
    HWND window = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog.TemplateId()),
                                       hwnd_, ModelessDialogProc, reinterpret_cast<LPARAM>(&dialog));
    if (window == nullptr) {
        Trace(L"The window of dialog " + std::to_wstring(dialog.TemplateId()) + L" could not be made.");
        return;
    }
    ::ShowWindow(window, SW_SHOW);
}

void Win32DialogHost::EndDialog(int result) {
    ended_ = true;
    result_ = result;
    if (destroyOnEnd_) {
        // The host goes with the window: nothing of it is touched after this.
        ::DestroyWindow(hwnd_);
        return;
    }
    if (modeless_) {
        // The window's own loop sees Ended() once it wakes up.
        ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    } else {
        ::EndDialog(hwnd_, result);
    }
}

void BindDialog(HWND hwnd, CDialog& dialog, bool modeless) {
    auto binding =
        std::make_unique<Binding>(Binding{&dialog, std::make_unique<Win32DialogHost>(hwnd, modeless)});
    dialog.Attach(binding->host.get());
    // The window owns it from here on.
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(binding.release()));
}

CDialog* DialogOf(HWND hwnd) {
    Binding* b = BindingOf(hwnd);
    return b != nullptr ? b->dialog : nullptr;
}

Win32DialogHost* HostOf(HWND hwnd) {
    Binding* b = BindingOf(hwnd);
    return b != nullptr ? b->host.get() : nullptr;
}

INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Binding* b = BindingOf(hwnd);
    if (b == nullptr)
        return FALSE;
    CDialog& dialog = *b->dialog;
    switch (message) {
        case WM_INITDIALOG:
            return dialog.Dispatch(DialogEvent::kInit) ? TRUE : FALSE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (dialog.Dispatch(DialogEvent::kCommand, id, code))
                return TRUE;
            if (id == IDOK && code == BN_CLICKED) {
                dialog.OnOK();
                return TRUE;
            }
            if (id == IDCANCEL && code == BN_CLICKED) {
                dialog.OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL: {
            const int id = lParam != 0 ? ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0;
            return dialog.Dispatch(DialogEvent::kHScroll, id, LOWORD(wParam)) ? TRUE : FALSE;
        }
        case WM_HELP:
            dialog.Dispatch(DialogEvent::kHelp);
            return TRUE;
        case WM_SYSCOMMAND:
            if (dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, static_cast<std::uintptr_t>(wParam))) {
                ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;  // default processing
        case WM_TIMER:
            return dialog.Dispatch(DialogEvent::kTimer, static_cast<int>(wParam)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return ListNotification(dialog, *reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
        case WM_NCDESTROY: {
            const std::unique_ptr<Binding> owned(b);
            ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            dialog.Attach(nullptr);
            return FALSE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK GenericDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        BindDialog(hwnd, *reinterpret_cast<CDialog*>(lParam), false);
    return HandleDialogMessage(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK ModelessDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        BindDialog(hwnd, *reinterpret_cast<CDialog*>(lParam), true);
        HostOf(hwnd)->DestroyOnEnd();
    }
    return HandleDialogMessage(hwnd, message, wParam, lParam);
}

HWND ActiveModelessDialog() {
    HWND active = ::GetActiveWindow();
    const Win32DialogHost* host = active != nullptr ? HostOf(active) : nullptr;
    return host != nullptr && host->DestroysOnEnd() ? active : nullptr;
}

}  // namespace tandrel::win32
