#include "platform/win32/win32_main_window.h"

#include <commctrl.h>

#include <string>

#include "cli/handoff_record.h"
#include "cli/handoff_result.h"
#include "platform/win32/win32_dialog_host.h"
#include "res/resource.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_window_system.h"

namespace tandrel::win32 {
namespace {

constexpr int kTemplate = IDD_MAIN;
constexpr UINT kActivateMessage = TANDREL_MSG_ACTIVATE;
constexpr UINT kTrayNotifyMessage = TANDREL_MSG_TRAY_NOTIFY;
constexpr UINT_PTR kCommandBoxSubclass = 1;

// One main window per process: what its dialog procedure needs besides the dialog.
struct MainWindowState {
    CMainDialog* dialog = nullptr;
    HICON icon = nullptr;
    UINT taskbarCreated = 0;
    // Commands of the window under way: a hand-off that arrives meanwhile (while a broadcast
    // waits on a terminal, say) is told that the window is busy instead of running inside it.
    int commandsUnderWay = 0;
};
MainWindowState g_main;

void PaintIconic(HWND hwnd) {
    const PaintScope paint(hwnd);
    HDC dc = paint.Get();
    ::SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, g_main.icon);
}

// Copies the box's selection to the clipboard as CF_UNICODETEXT; nothing when nothing is
// selected or the clipboard cannot be had.
void CopySelection(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end)
        return;
    const ClipboardScope clipboard(box);
    if (!clipboard.Opened())
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

struct CommandUnderWay {
    CommandUnderWay() { ++g_main.commandsUnderWay; }
    ~CommandUnderWay() { --g_main.commandsUnderWay; }
    CommandUnderWay(const CommandUnderWay&) = delete;
    CommandUnderWay& operator=(const CommandUnderWay&) = delete;
};

// A command line's request from another instance: refused (0) when the record is not one we
// can read whole; otherwise carried out, and the report sent back to the window in wParam.
LRESULT OnCopyData(HWND hwnd, HWND reportTo, const COPYDATASTRUCT* data) {
    if (DialogOf(hwnd) == nullptr || data == nullptr || data->dwData != handoff::kCopyDataTag ||
        (data->lpData == nullptr && data->cbData != 0))
        return FALSE;
    const bool busy = g_main.commandsUnderWay > 0;
    CommandUnderWay underWay;
    std::string report;
    const std::intptr_t reply = g_main.dialog->OnHandOffRecord(
        std::string_view(static_cast<const char*>(data->lpData), data->cbData), busy, report);
    if (reply != handoff::kReplyReported)
        return reply;
    // The caller waits inside its own send for this very answer, without reading its queue: after
    // a long broadcast the system may deem it hung, and SMTO_ABORTIFHUNG would drop the report
    // unsent. Its thread takes the report at once all the same; the bound is for a caller gone.
    COPYDATASTRUCT answer{handoff::kCopyDataTag, static_cast<DWORD>(report.size()), report.data()};
    DWORD_PTR taken = FALSE;
    ::SetLastError(ERROR_SUCCESS);
    if (::SendMessageTimeoutW(reportTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd),
                              reinterpret_cast<LPARAM>(&answer), SMTO_NORMAL, 5000, &taken) != 0 &&
        taken != FALSE)
        return handoff::kReplyReported;
    // A caller of higher rights does not let the report through its message filter.
    return ::GetLastError() == ERROR_ACCESS_DENIED ? handoff::kReplyReportBlocked : handoff::kReplyReportLost;
}

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COPYDATA:
            ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT,
                                OnCopyData(hwnd, reinterpret_cast<HWND>(wParam),
                                           reinterpret_cast<const COPYDATASTRUCT*>(lParam)));
            return TRUE;
        case WM_COMMAND:
        case WM_SYSCOMMAND: {
            CommandUnderWay underWay;
            return HandleDialogMessage(hwnd, message, wParam, lParam);
        }
        case WM_INITDIALOG: {
            // Run elevated, the window would not hear the shell's "TaskbarCreated" nor the
            // hand-over of a second start that is not: both are let through.
            ::ChangeWindowMessageFilterEx(hwnd, g_main.taskbarCreated, MSGFLT_ALLOW, nullptr);
            ::ChangeWindowMessageFilterEx(hwnd, kActivateMessage, MSGFLT_ALLOW, nullptr);
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
        case WM_ACTIVATE:
            // Terminals opened or closed meanwhile: the Send button's count is made anew.
            if (LOWORD(wParam) != WA_INACTIVE && DialogOf(hwnd) != nullptr)
                g_main.dialog->UpdateSendTip();
            return HandleDialogMessage(hwnd, message, wParam, lParam);
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(g_main.icon);
        case WM_QUERYENDSESSION:
        case WM_ENDSESSION:
            // Saved at the question already: a program that says yes may be ended before the
            // session's end is announced.
            if (DialogOf(hwnd) != nullptr && (message == WM_QUERYENDSESSION || wParam != FALSE))
                g_main.dialog->Dispatch(DialogEvent::kUser, static_cast<int>(message), 0, 0);
            return FALSE;  // and the default answer: the session may end
        case WM_DPICHANGED:
            if (DialogOf(hwnd) != nullptr) {
                // The window takes the size the system suggests for the new scale, and its
                // normal height is measured again from it.
                const RECT r = *reinterpret_cast<const RECT*>(lParam);
                ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
                g_main.dialog->OnDpiChanged(r.bottom - r.top);
                // The glyph pictures are drawn again at the new scale.
                if (Win32DialogHost* host = HostOf(hwnd))
                    host->RedrawGlyphs();
            }
            return FALSE;  // and on to the dialog's own scaling
        case kActivateMessage:
            // 1025 is also DM_SETDEFID, which the dialog manager of this very thread may send:
            // only a message from another thread or process (a second instance) is the hand-over.
            if ((::InSendMessageEx(nullptr) & ISMEX_SEND) == 0)
                return HandleDialogMessage(hwnd, message, wParam, lParam);
            [[fallthrough]];
        case kTrayNotifyMessage: {
            if (DialogOf(hwnd) == nullptr)
                return FALSE;
            CommandUnderWay underWay;
            g_main.dialog->Dispatch(DialogEvent::kUser, static_cast<int>(message), 0,
                                    static_cast<std::uintptr_t>(lParam));
            return TRUE;
        }
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

// One message of the thread's queue, handled as the window's loop does: the keyboard routing
// first, then the dialog manager.
void HandleQueued(HWND window, MSG& msg) {
    if (msg.message == WM_KEYDOWN && (msg.hwnd == window || ::IsChild(window, msg.hwnd))) {
        auto key = static_cast<std::uint32_t>(msg.wParam);
        {
            CommandUnderWay underWay;
            g_main.dialog->PreTranslateKeyDown(FocusedControl(window), key);
        }
        msg.wParam = key;
        const Win32DialogHost* host = HostOf(window);
        if (host != nullptr && host->Ended())
            return;
    }
    // The Targets window, when active, has its own keyboard navigation.
    if (HWND modeless = ActiveModelessDialog(); modeless != nullptr && ::IsDialogMessageW(modeless, &msg))
        return;
    if (!::IsDialogMessageW(window, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

HWND g_window = nullptr;

// While a broadcast waits on its targets: every message queued now is handled, so that the
// window answers the operator meanwhile (the commands given are queued behind the broadcast by
// the window itself). A quit request is left for the window's own loop.
void ServeQueued() {
    MSG msg;
    while (g_window != nullptr && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        HandleQueued(g_window, msg);
    }
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
    g_window = window;
    Win32WindowSystem::ServeOwnWindowsWith(&ServeQueued);
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
        HandleQueued(window, msg);
    }
    Win32WindowSystem::ServeOwnWindowsWith(nullptr);
    g_window = nullptr;
    if (host != nullptr)
        result = host->Result();
    dialog.OnDestroyWindow();
    ::DestroyWindow(window);
    g_main = MainWindowState{};
    return result;
}

}  // namespace tandrel::win32
