// The dialog host's control operations: each is the one Win32 call or control message it names.
#include "platform/win32/win32_dialog_host.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

namespace tandrel::win32 {

namespace {
LayeredAttributesFn layeredAttributes = nullptr;
}  // namespace

void SetLayeredAttributesFunction(LayeredAttributesFn fn) {
    layeredAttributes = fn;
}

LayeredAttributesFn LayeredAttributesFunction() {
    return layeredAttributes;
}

namespace {

struct FaceCharsets {
    bool symbol = false;
    bool text = false;  // any set of letters
};

int CALLBACK NoteCharset(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
    FaceCharsets& sets = *reinterpret_cast<FaceCharsets*>(data);
    if (lf->lfCharSet == SYMBOL_CHARSET) {
        sets.symbol = true;
    } else {
        sets.text = true;
    }
    return 1;
}

// A symbol font ("Marlett", "Symbol") is asked for in its own set: its glyphs sit at the
// character codes only then (some font mappers give another face's letters otherwise).
BYTE CharsetOf(HDC dc, const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
    FaceCharsets sets;
    EnumFontFamiliesExW(dc, &query, NoteCharset, reinterpret_cast<LPARAM>(&sets), 0);
    return sets.symbol && !sets.text ? SYMBOL_CHARSET : DEFAULT_CHARSET;
}

}  // namespace

HFONT Win32DialogHost::CreatePointFont(const FontSpec& spec) const {
    // Tenths of a point at the screen's vertical resolution.
    const HDC dc = GetDC(hwnd_);
    if (dc == nullptr)
        return nullptr;
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(spec.pointTenths, GetDeviceCaps(dc, LOGPIXELSY), 720);
    lf.lfCharSet = CharsetOf(dc, spec.face);
    lstrcpynW(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE);
    ReleaseDC(hwnd_, dc);
    return CreateFontIndirectW(&lf);
}

Win32DialogHost::Win32DialogHost(HINSTANCE instance, Run run, HICON icon)
    : instance_(instance), run_(run), icon_(icon) {}

Win32DialogHost::~Win32DialogHost() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

void Win32DialogHost::SetItemText(int id, const std::wstring& text) {
    SetDlgItemTextW(hwnd_, id, text.c_str());
}

std::wstring Win32DialogHost::ItemText(int id) {
    const HWND item = Item(id);
    if (item == nullptr)
        return {};
    const int length = GetWindowTextLengthW(item);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void Win32DialogHost::SetCheck(int id, bool checked) {
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogHost::IsChecked(int id) {
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void Win32DialogHost::EnableItem(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool Win32DialogHost::IsItemEnabled(int id) {
    return IsWindowEnabled(Item(id)) != FALSE;
}

void Win32DialogHost::ShowItem(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

bool Win32DialogHost::IsItemShown(int id) {
    return IsWindowVisible(Item(id)) != FALSE;
}

void Win32DialogHost::SetItemFont(int id, const FontSpec& spec) {
    const auto key = std::make_pair(spec.face, spec.pointTenths);
    HFONT font = nullptr;
    if (const auto it = fonts_.find(key); it != fonts_.end()) {
        font = it->second;
    } else {
        font = CreatePointFont(spec);
        if (font == nullptr)
            return;  // the control keeps the dialog's font
        fonts_.emplace(key, font);
    }
    SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool Win32DialogHost::IsComboBox(int id) const {
    wchar_t name[32] = {};
    GetClassNameW(Item(id), name, 32);
    return lstrcmpiW(name, WC_COMBOBOXW) == 0;
}

void Win32DialogHost::ClearList(int id) {
    SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Win32DialogHost::AddListItem(int id, const std::wstring& text) {
    SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogHost::SelectListItem(int id, int index) {
    SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index),
                        0);
}

int Win32DialogHost::ListSelection(int id) {
    return static_cast<int>(
        SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

int Win32DialogHost::ListCount(int id) {
    const LRESULT n = SendDlgItemMessageW(hwnd_, id, IsComboBox(id) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    return n > 0 ? static_cast<int>(n) : 0;
}

void Win32DialogHost::SetEditSelection(int id, int start, int end) {
    SendDlgItemMessageW(hwnd_, id, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32DialogHost::ReplaceEditSelection(int id, const std::wstring& text) {
    SendDlgItemMessageW(hwnd_, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogHost::ScrollEditCaret(int id) {
    SendDlgItemMessageW(hwnd_, id, EM_SCROLLCARET, 0, 0);
}

void Win32DialogHost::SetSliderRange(int id, int low, int high) {
    SendDlgItemMessageW(hwnd_, id, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
}

void Win32DialogHost::SetSliderPosition(int id, int position) {
    SendDlgItemMessageW(hwnd_, id, TBM_SETPOS, TRUE, position);
}

int Win32DialogHost::SliderPosition(int id) {
    return static_cast<int>(SendDlgItemMessageW(hwnd_, id, TBM_GETPOS, 0, 0));
}

void Win32DialogHost::FocusItem(int id) {
    SetFocus(Item(id));
}

int Win32DialogHost::FocusedItem() {
    const HWND focus = GetFocus();
    if (focus == nullptr || IsChild(hwnd_, focus) == FALSE)
        return 0;
    // The control of the dialog that holds the focus (a combo box's own edit is its child).
    HWND control = focus;
    while (GetAncestor(control, GA_PARENT) != hwnd_) control = GetAncestor(control, GA_PARENT);
    return GetDlgCtrlID(control);
}

void Win32DialogHost::MakeDefaultButton(int id) {
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void Win32DialogHost::SetTitle(const std::wstring& title) {
    SetWindowTextW(hwnd_, title.c_str());
}

std::wstring Win32DialogHost::Title() {
    const int length = GetWindowTextLengthW(hwnd_);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::uint32_t Win32DialogHost::ExtendedStyle() {
    return static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
}

void Win32DialogHost::SetExtendedStyle(std::uint32_t style) {
    if (ExtendedStyle() == style)
        return;
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(style));
    // The frame (a tool window's shorter caption) is measured anew.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

Rect Win32DialogHost::WindowRect() {
    RECT r{};
    if (!GetWindowRect(hwnd_, &r))
        return Rect{};
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool Win32DialogHost::HasLayeredAttributes() {
    return layeredAttributes != nullptr;
}

void Win32DialogHost::SetLayeredAlpha(std::uint8_t alpha) {
    if (layeredAttributes != nullptr)
        layeredAttributes(hwnd_, 0, alpha, LWA_ALPHA);
}

void Win32DialogHost::RemoveSystemMenuItem(std::uint32_t command) {
    RemoveMenu(GetSystemMenu(hwnd_, FALSE), command, MF_BYCOMMAND);
}

void Win32DialogHost::AppendSystemMenuSeparator() {
    AppendMenuW(GetSystemMenu(hwnd_, FALSE), MF_SEPARATOR, 0, nullptr);
}

void Win32DialogHost::AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) {
    AppendMenuW(GetSystemMenu(hwnd_, FALSE), MF_STRING, command, text.c_str());
}

bool Win32DialogHost::ChooseFileToOpen(const std::wstring& filter, const std::wstring& title,
                                       std::wstring& path) {
    // The framework's filter form, "Name|pattern|...||", becomes the system's NUL-separated one.
    std::wstring pairs = filter;
    for (wchar_t& c : pairs) {
        if (c == L'|')
            c = L'\0';
    }
    pairs.push_back(L'\0');
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = pairs.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn))
        return false;
    path = file.data();
    return true;
}

int Win32DialogHost::MessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) {
    return MessageBoxW(hwnd_, text.c_str(), caption.c_str(), flags);
}

}  // namespace tandrel::win32
