#include "app_steps.h"

#include <algorithm>

#include "settings/ini_store.h"
#include "tandrel_client.h"

namespace e2e {
namespace {

// The id of a message box's text: user32 gives its static control this one.
constexpr int kMessageBoxTextId = 0xFFFF;

}  // namespace

void WriteAppProfile(const TempFolder& folder, const std::string& lines) {
    WriteWholeFile(folder.File(L"tandrel.ini"), "[Tandrel]\r\n" + lines);
}

std::wstring ProfileValue(const std::wstring& path, const std::wstring& key) {
    tandrel::IniStore store;
    store.Load(ReadWholeFile(path));
    return store.GetString(L"Tandrel", key, L"<missing>");
}

void Click(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

namespace {

struct DialogSearch {
    HWND owner;  // or none, then `process` decides
    DWORD process;
    const wchar_t* caption;  // or none for any
    HWND found;
};

BOOL CALLBACK FindDialogStep(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    wchar_t className[64] = {};
    GetClassNameW(w, className, 64);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    const bool ours =
        search->owner != nullptr ? GetWindow(w, GW_OWNER) == search->owner : process == search->process;
    if (std::wstring(className) == L"#32770" && ours && IsWindowVisible(w) &&
        (search->caption == nullptr || WindowText(w) == search->caption)) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(DialogSearch search) {
    EnumWindows(FindDialogStep, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND WaitForDialog(HWND owner, const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog({owner, 0, caption, nullptr})) != nullptr; }, kWaitMs);
    return found;
}

HWND OpenPreferences(HWND app) {
    Click(app, IDC_PREFERENCES);
    return WaitForDialog(app, L"Preferences");
}

HWND WaitForMessageBox(DWORD processId, DWORD boundMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            return (found = FindDialog({nullptr, processId, L"Tandrel", nullptr})) != nullptr;
        },
        boundMs);
    return found;
}

bool MessageBoxShown(DWORD processId) {
    return FindDialog({nullptr, processId, L"Tandrel", nullptr}) != nullptr;
}

std::wstring MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, kMessageBoxTextId));
}

bool WaitGone(HWND window) {
    return WaitUntil([&] { return !IsWindow(window); }, kWaitMs);
}

bool AnswerMessageBox(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, button, 0);
    return WaitGone(box);
}

void SetText(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kWaitMs, nullptr);
    SendMessageTimeoutW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        kWaitMs, nullptr);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &state);
    return state == BST_CHECKED;
}

bool HasClientSize(HWND w, int width, int height) {
    RECT c{};
    return GetClientRect(w, &c) && c.right == width && c.bottom == height;
}

bool IsAt(HWND w, int x, int y) {
    RECT r{};
    return GetWindowRect(w, &r) && r.left == x && r.top == y;
}

bool Arranged(HWND w, int x, int y, int clientWidth, int clientHeight) {
    return IsWindowVisible(w) && !IsIconic(w) && IsAt(w, x, y) && HasClientSize(w, clientWidth, clientHeight);
}

bool InTileCell(HWND w, const tandrel::Placement& cell, bool fitsItself) {
    if (fitsItself)
        return Arranged(w, cell.x, cell.y, cell.width, cell.height);
    const int right = std::min(cell.x + cell.width, GetSystemMetrics(SM_CXSCREEN));
    const int bottom =
        std::min(cell.y + cell.height + tandrel::kTileHeightReserve, GetSystemMetrics(SM_CYSCREEN));
    RECT r{};
    return IsWindowVisible(w) && !IsIconic(w) && GetWindowRect(w, &r) && r.left == cell.x &&
           r.top == cell.y && r.right == right && r.bottom == bottom;
}

bool InCascadeStep(HWND w, int index, int width, int height) {
    const int step = GetSystemMetrics(SM_CYSIZE);
    return Arranged(w, (index + 1) * step, (index + 1) * step, width, height);
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
    Sleep(30);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT code = VkKeyScanW(c);
        const bool shift = (code & 0x100) != 0;
        INPUT in[4] = {};
        UINT n = 0;
        const auto key = [&](WORD vk, bool up) {
            in[n].type = INPUT_KEYBOARD;
            in[n].ki.wVk = vk;
            in[n++].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        };
        if (shift)
            key(VK_SHIFT, false);
        key(static_cast<WORD>(code & 0xFF), false);
        key(static_cast<WORD>(code & 0xFF), true);
        if (shift)
            key(VK_SHIFT, true);
        SendInput(n, in, sizeof in[0]);
        Sleep(5);
    }
}

void MouseClick(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MouseClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void MouseClickAt(int x, int y) {
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof in[0]);
}

HttpHandlerOverride::HttpHandlerOverride(const std::wstring& urlFile) {
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\command", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    wchar_t old[2048] = {};
    DWORD size = sizeof old - sizeof(wchar_t);
    DWORD type = 0;
    hadOld_ =
        RegQueryValueExW(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    old_ = old;
    oldType_ = type;
    ok_ = Set(L"C:\\windows\\system32\\cmd.exe /c echo \"%1\">>\"" + urlFile + L"\"", REG_SZ);
}

HttpHandlerOverride::~HttpHandlerOverride() {
    if (key_ == nullptr)
        return;
    if (hadOld_)
        Set(old_, oldType_);
    else
        RegDeleteValueW(key_, nullptr);
    RegCloseKey(key_);
}

bool HttpHandlerOverride::Set(const std::wstring& value, DWORD type) {
    return RegSetValueExW(key_, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace e2e
