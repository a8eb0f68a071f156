// The generic dialog procedure and the two ways a dialog runs: nested and modal (DialogBoxParamW
// owned by the running dialog), or as the main window with a message loop of its own.
#include <windows.h>

#include "platform/win32/win32_dialog_host.h"

namespace tandrel::win32 {

namespace {

// What WM_INITDIALOG brings along: the portable dialog, its host, and the main window's hook.
struct DialogRun {
    CDialog* dialog = nullptr;
    Win32DialogHost* host = nullptr;
    const std::function<void(HWND)>* created = nullptr;
};

DialogRun* RunOf(HWND hwnd) {
    return reinterpret_cast<DialogRun*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

// A message the dialog handled: its result for DefDlgProc, and TRUE.
INT_PTR Handled(HWND hwnd, LRESULT result = 0) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

bool PaintIconWhileMinimised(HWND hwnd, HICON icon) {
    if (icon == nullptr || !IsIconic(hwnd))
        return false;
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd, &ps);
    SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
    EndPaint(hwnd, &ps);
    return true;
}

// Application messages that reach the dialog's map. WM_USER and WM_USER + 1 are also the dialog
// manager's DM_GETDEFID and DM_SETDEFID, which our own thread sends: those stay with the dialog
// manager, and WM_USER + 1 reaches the map only when another thread or process sent it (the
// hand-over of a second instance).
bool IsApplicationMessage(UINT message) {
    if (message == DM_GETDEFID)
        return false;
    if (message == DM_SETDEFID)
        return (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    return (message > DM_SETDEFID && message < 0x8000) || message >= 0xC000;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        DialogRun* run = reinterpret_cast<DialogRun*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
        run->host->BindWindow(hwnd);
        if (const HICON icon = run->host->Icon(); icon != nullptr) {
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
        if (run->created != nullptr && *run->created)
            (*run->created)(hwnd);
        run->dialog->Attach(run->host);
        return run->dialog->Dispatch(DialogEvent::kInit) ? TRUE : FALSE;
    }
    DialogRun* run = RunOf(hwnd);
    if (run == nullptr)
        return FALSE;  // messages before WM_INITDIALOG and after WM_NCDESTROY
    CDialog& dialog = *run->dialog;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (dialog.Dispatch(DialogEvent::kCommand, id, code))
                return TRUE;
            // The framework's defaults: OK and Cancel end the dialog.
            if (code == BN_CLICKED && id == IDOK) {
                dialog.OnOK();
                return TRUE;
            }
            if (code == BN_CLICKED && id == IDCANCEL) {
                dialog.OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_HSCROLL: {
            const int id = lParam != 0 ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0;
            return dialog.Dispatch(DialogEvent::kHScroll, id, LOWORD(wParam)) ? TRUE : FALSE;
        }
        case WM_HELP:
            // F1: a dialog without a help action lets it go on to its owner.
            return dialog.Dispatch(DialogEvent::kHelp) ? Handled(hwnd, TRUE) : FALSE;
        case WM_SYSCOMMAND:
            return dialog.Dispatch(DialogEvent::kSysCommand, 0, 0, static_cast<std::uintptr_t>(wParam))
                       ? Handled(hwnd)
                       : FALSE;
        case WM_PAINT:
            return PaintIconWhileMinimised(hwnd, run->host->Icon()) ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            // One of the messages whose dialog-procedure result is the answer itself.
            return reinterpret_cast<INT_PTR>(run->host->Icon());
        case WM_NCDESTROY:
            dialog.Attach(nullptr);
            run->host->BindWindow(nullptr);
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            return FALSE;
        default:
            break;
    }
    if (IsApplicationMessage(message) && dialog.Dispatch(DialogEvent::kUser, static_cast<int>(message), 0,
                                                         static_cast<std::uintptr_t>(lParam))) {
        return Handled(hwnd);
    }
    return FALSE;
}

}  // namespace

int Win32DialogHost::RunModal(CDialog& dialog) {
    Win32DialogHost nested(instance_, Run::kDialogBox);
    DialogRun run{&dialog, &nested, nullptr};
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(dialog.TemplateId()), hwnd_,
                                           DialogProc, reinterpret_cast<LPARAM>(&run));
    return static_cast<int>(result);
}

void Win32DialogHost::EndDialog(int result) {
    ended_ = true;
    result_ = result;
    if (hwnd_ == nullptr)
        return;
    if (run_ == Run::kDialogBox) {
        ::EndDialog(hwnd_, result);
    } else {
        PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the main window's loop to see the end
    }
}

int RunMainWindow(CDialog& dialog, HINSTANCE instance, HICON icon, const MainWindowHooks& hooks) {
    Win32DialogHost host(instance, Win32DialogHost::Run::kOwnLoop, icon);
    DialogRun run{&dialog, &host, &hooks.created};
    const HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(dialog.TemplateId()), nullptr,
                                           DialogProc, reinterpret_cast<LPARAM>(&run));
    if (window == nullptr)
        return -1;
    MSG msg{};
    while (!host.Ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the run; it is posted again for whoever loops after us.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (msg.message == WM_KEYDOWN && hooks.preTranslateKey &&
            (msg.hwnd == window || IsChild(window, msg.hwnd) != FALSE)) {
            std::uint32_t key = static_cast<std::uint32_t>(msg.wParam);
            hooks.preTranslateKey(host.FocusedItem(), key);
            msg.wParam = key;
        }
        if (IsWindow(window) == FALSE || IsDialogMessageW(window, &msg) == FALSE) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (hooks.beforeDestroy)
        hooks.beforeDestroy();
    if (IsWindow(window) != FALSE)
        DestroyWindow(window);
    return host.Result();
}

}  // namespace tandrel::win32
