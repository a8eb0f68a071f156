#include "platform/win32/win32_target_marks.h"

#include <algorithm>
#include <string>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_handles.h"

namespace tandrel::win32 {

namespace {

constexpr UINT_PTR kEndTimer = 1;
constexpr BYTE kAlpha = 225;

void PaintMark(HWND hwnd) {
    const win32::PaintScope paint(hwnd);
    HDC dc = paint.Get();
    RECT client{};
    ::GetClientRect(hwnd, &client);
    {
        const win32::UniqueGdiObject brush(::CreateSolidBrush(kTargetMarkColour));
        ::FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
    }
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    const int height = static_cast<int>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const win32::UniqueGdiObject font(::CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                    ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
    HGDIOBJ old = ::SelectObject(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
}

LRESULT CALLBACK MarkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintMark(hwnd);
            return 0;
        case WM_TIMER:
            if (wParam == kEndTimer) {
                ::DestroyWindow(hwnd);
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL CALLBACK CloseOurMark(HWND hwnd, LPARAM) {
    wchar_t name[64] = {};
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId() && ::GetClassNameW(hwnd, name, 64) > 0 &&
        std::wstring(name) == kTargetMarkClass)
        ::DestroyWindow(hwnd);
    return TRUE;
}

// Pixels of a 96-dpi screen at the window's own scale (the system's for no window).
int Scaled(int pixels, HWND window) {
    const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : ::GetDpiForSystem();
    return ::MulDiv(pixels, dpi > 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI,
                    USER_DEFAULT_SCREEN_DPI);
}

RECT Centred(const RECT& around, int width, int height) {
    const int x = (around.left + around.right - width) / 2;
    const int y = (around.top + around.bottom - height) / 2;
    return RECT{x, y, x + width, y + height};
}

}  // namespace

Win32TargetMarks::Win32TargetMarks(HINSTANCE instance) : instance_(instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MarkProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kTargetMarkClass;
    ::RegisterClassW(&wc);
}

Win32TargetMarks::~Win32TargetMarks() {
    ::EnumWindows(CloseOurMark, 0);
}

void Win32TargetMarks::Open(const std::wstring& text, const RECT& at, int fontHeight,
                            std::uint32_t durationMs) {
    const LayeredAttributesFn layered = LayeredAttributes();
    DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    if (layered != nullptr)
        exStyle |= WS_EX_LAYERED;
    HWND mark =
        ::CreateWindowExW(exStyle, kTargetMarkClass, text.c_str(), WS_POPUP, at.left, at.top,
                          at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance_, nullptr);
    if (mark == nullptr)
        return;  // that target goes unmarked; the others are still shown
    ::SetWindowLongPtrW(mark, GWLP_USERDATA, fontHeight);
    if (layered != nullptr)
        layered(mark, 0, kAlpha, LWA_ALPHA);
    ::SetTimer(mark, kEndTimer, durationMs, nullptr);
    ::SetWindowPos(mark, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(mark);  // painted now, not after the other marks are made
}

void Win32TargetMarks::Show(const std::vector<TargetMark>& marks, const std::wstring& note, WindowId noteOver,
                            std::uint32_t durationMs) {
    ::EnumWindows(CloseOurMark, 0);
    for (const TargetMark& m : marks) {
        RECT r{};
        if (!::GetWindowRect(reinterpret_cast<HWND>(m.window), &r))
            continue;  // gone since it was collected
        const HWND target = reinterpret_cast<HWND>(m.window);
        const int side = std::clamp(static_cast<int>(std::min(r.right - r.left, r.bottom - r.top)) / 3,
                                    Scaled(48, target), Scaled(200, target));
        Open(std::to_wstring(m.number), Centred(r, side, side), side * 3 / 4, durationMs);
    }
    if (note.empty())
        return;
    const HWND over = reinterpret_cast<HWND>(noteOver);
    RECT r{};
    if (over == nullptr || !::IsWindowVisible(over) || ::IsIconic(over) || !::GetWindowRect(over, &r)) {
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int half = Scaled(200, nullptr);
        r = RECT{width / 2 - half, 0, width / 2 + half, 0};
    }
    const int noteHeight = Scaled(32, over != nullptr && ::IsWindow(over) ? over : nullptr);
    Open(note, RECT{r.left, r.top, r.right, r.top + noteHeight}, noteHeight * 2 / 3, durationMs);
}

}  // namespace tandrel::win32
