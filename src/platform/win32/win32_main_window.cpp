#include "platform/win32/win32_main_window.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/win32_dialog_host.h"

namespace tandrel::win32 {
namespace {

constexpr int kTemplate = 110;
constexpr UINT kActivateMessage = 1025;
constexpr UINT kTrayNotifyMessage = 1026;
constexpr UINT_PTR kCommandBoxSubclass = 1;

// One main window per process: what its dialog procedure needs besides the dialog.
struct MainWindowState {
    CMainDialog* dialog = nullptr;
    HICON icon = nullptr;
    UINT taskbarCreated = 0;
};
MainWindowState g_main;

void PaintIconic(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    ::SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, g_main.icon);
    ::EndPaint(hwnd, &ps);
}

// Copies the box's selection to the clipboard as CF_UNICODETEXT; nothing when nothing is
// selected or the clipboard cannot be had.
void CopySelection(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end)
        return;
    if (!::OpenClipboard(box))
        return;
    const int length = ::GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(box, text.data(), length + 1)));
    const std::wstring selected = start < text.size() ? text.substr(start, end - start) : std::wstring();
    ::EmptyClipboard();
    const SIZE_T bytes = (selected.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory != nullptr) {
        void* p = ::GlobalLock(memory);
        if (p != nullptr) {
            ::CopyMemory(p, selected.c_str(), bytes);
            ::GlobalUnlock(memory);
            if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
                ::GlobalFree(memory);
        } else {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

// The command box: the selection copies and the right button pastes, the way a terminal
// behaves; Up and Down are left to the main window's history when the box says so.
LRESULT CALLBACK CommandBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    const CCommandEdit& flags = *reinterpret_cast<const CCommandEdit*>(data);
    switch (message) {
        case WM_LBUTTONUP: {
            const LRESULT r = ::DefSubclassProc(box, message, wParam, lParam);
            if (flags.emulateCopyPaste != 0)
                CopySelection(box);
            return r;
        }
        case WM_RBUTTONUP:
            if (flags.emulateCopyPaste != 0) {
                ::SendMessageW(box, WM_PASTE, 0, 0);
                return 0;  // and no context menu
            }
            break;
        case WM_KEYDOWN:
            if (flags.cmdhistoryScrollThrough != 0 && (wParam == VK_UP || wParam == VK_DOWN)) {
                ::SendMessageW(::GetParent(box), WM_KEYDOWN, wParam, lParam);  // the parent ignores it
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(box, CommandBoxProc, kCommandBoxSubclass);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            BindDialog(hwnd, *g_main.dialog, true);
            ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_main.icon));
            ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_main.icon));
            ::SetWindowSubclass(::GetDlgItem(hwnd, CCommandEdit::kId), CommandBoxProc, kCommandBoxSubclass,
                                reinterpret_cast<DWORD_PTR>(&g_main.dialog->commandBox));
            return HandleDialogMessage(hwnd, message, wParam, lParam);
        }
        case WM_PAINT:
            if (::IsIconic(hwnd)) {
                PaintIconic(hwnd);
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(g_main.icon);
        case kActivateMessage:
            // 1025 is also DM_SETDEFID, which the dialog manager of this very thread may send:
            // only a message from another thread or process (a second instance) is the hand-over.
            if ((::InSendMessageEx(nullptr) & ISMEX_SEND) == 0)
                return HandleDialogMessage(hwnd, message, wParam, lParam);
            [[fallthrough]];
        case kTrayNotifyMessage:
            if (DialogOf(hwnd) == nullptr)
                return FALSE;
            g_main.dialog->Dispatch(DialogEvent::kUser, static_cast<int>(message), 0,
                                    static_cast<std::uintptr_t>(lParam));
            return TRUE;
        default:
            if (g_main.taskbarCreated != 0 && message == g_main.taskbarCreated && DialogOf(hwnd) != nullptr) {
                g_main.dialog->Dispatch(DialogEvent::kUser, static_cast<int>(message), 0,
                                        static_cast<std::uintptr_t>(lParam));
                return FALSE;  // and on to the default processing
            }
            return HandleDialogMessage(hwnd, message, wParam, lParam);
    }
}

// The control with the keyboard focus inside the window, or 0.
int FocusedControl(HWND window) {
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(window, focus))
        return 0;
    while (::GetParent(focus) != window && ::GetParent(focus) != nullptr) focus = ::GetParent(focus);
    return ::GetDlgCtrlID(focus);
}

}  // namespace

int RunMainWindow(HINSTANCE instance, HICON icon, CMainDialog& dialog) {
    g_main.dialog = &dialog;
    g_main.icon = icon;
    g_main.taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    dialog.taskbarCreatedMessage = g_main.taskbarCreated;

    HWND window = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(kTemplate), nullptr, MainDialogProc, 0);
    if (window == nullptr) {
        g_main = MainWindowState{};
        return -1;
    }
    Win32DialogHost* host = HostOf(window);
    int result = 0;
    MSG msg;
    while (host != nullptr && !host->Ended()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for whoever loops after us
            break;
        }
        if (got < 0)
            break;
        if (msg.message == WM_KEYDOWN && (msg.hwnd == window || ::IsChild(window, msg.hwnd))) {
            auto key = static_cast<std::uint32_t>(msg.wParam);
            dialog.PreTranslateKeyDown(FocusedControl(window), key);
            msg.wParam = key;
            if (host->Ended())
                break;
        }
        if (!::IsDialogMessageW(window, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (host != nullptr)
        result = host->Result();
    dialog.OnDestroyWindow();
    ::DestroyWindow(window);
    g_main = MainWindowState{};
    return result;
}

}  // namespace tandrel::win32
