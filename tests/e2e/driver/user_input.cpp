#include "user_input.h"

#include <vector>

namespace e2e {

namespace {

INPUT Key(WORD vk, WORD scan, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    return in;
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(30);  // the target thread reads its input queue
}

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[32] = {};
    GetClassNameW(h, name, 32);
    if (pid == s->processId && std::wstring(name) == L"#32770" && IsWindowVisible(h) &&
        GetDlgItem(h, 0xFFFF) != nullptr) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitForForeground(HWND window, DWORD boundMs) {
    return WaitUntil([window] { return GetForegroundWindow() == window; }, boundMs);
}

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return WaitForForeground(window);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        std::vector<INPUT> in{Key(0, c, KEYEVENTF_UNICODE), Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
        Send(in);
    }
}

void PressKey(WORD vk, bool shift, bool ctrl, bool alt) {
    std::vector<INPUT> in;
    if (shift)
        in.push_back(Key(VK_SHIFT, 0, 0));
    if (ctrl)
        in.push_back(Key(VK_CONTROL, 0, 0));
    if (alt)
        in.push_back(Key(VK_MENU, 0, 0));
    in.push_back(Key(vk, 0, 0));
    in.push_back(Key(vk, 0, KEYEVENTF_KEYUP));
    if (alt)
        in.push_back(Key(VK_MENU, 0, KEYEVENTF_KEYUP));
    if (ctrl)
        in.push_back(Key(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    if (shift)
        in.push_back(Key(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    Send(in);
}

void Click(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Sleep(30);
    std::vector<INPUT> in(2);
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(in);
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                             2000, &copied)) {
        return L"(no answer)";
    }
    return std::wstring(buffer, copied);
}

HWND WaitForMessageBox(DWORD processId, DWORD boundMs) {
    BoxSearch s{processId, nullptr};
    WaitUntil(
        [&s] {
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        boundMs);
    return s.found;
}

std::wstring MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

}  // namespace e2e
