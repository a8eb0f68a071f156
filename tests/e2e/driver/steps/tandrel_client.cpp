#include "tandrel_client.h"

namespace e2e {

namespace {

struct Search {
    const wchar_t* className;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK Match(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t name[256];
    if (pid == s->processId && GetClassNameW(h, name, 256) > 0 && std::wstring(name) == s->className) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindWindowOfProcess(const wchar_t* className, DWORD processId) {
    Search s{className, processId, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

TandrelApp::TandrelApp(const TempFolder& folder) {
    const std::wstring exe = folder.File(L"tandrel.exe");
    profile_ = folder.File(L"tandrel.ini");
    if (!CopyFileW(TandrelExe().c_str(), exe.c_str(), FALSE))
        return;
    if (!process_.Start(exe, {}, folder.Path()))
        return;
    const ULONGLONG until = GetTickCount64() + kWaitMs;
    while (window_ == nullptr && GetTickCount64() < until && process_.Running()) {
        window_ = FindWindowOfProcess(L"TANDREL_WND_CLASS", process_.Id());
        if (window_ == nullptr)
            Sleep(20);
    }
}

bool WaitVisible(HWND w, DWORD boundMs) {
    return WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, boundMs);
}

bool Settled(HWND w, DWORD boundMs) {
    const RECT pixel{0, 0, 1, 1};
    if (!IsWindowVisible(w) || IsIconic(w) || !RedrawWindow(w, &pixel, nullptr, RDW_INVALIDATE))
        return false;
    return WaitUntil([&] { return !GetUpdateRect(w, nullptr, FALSE); }, boundMs);
}

bool Shown(const TandrelApp& app, DWORD boundMs) {
    return app.Started() &&
           WaitUntil([&] { return IsWindowVisible(app.Window()) && !WindowText(app.Window()).empty(); },
                     boundMs);
}

std::wstring WindowText(HWND w) {
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, kWaitMs,
                        nullptr);
    return buffer;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD boundMs) {
    const ULONGLONG until = GetTickCount64() + boundMs;
    while (!condition()) {
        if (GetTickCount64() >= until)
            return false;
        Sleep(20);
    }
    return true;
}

}  // namespace e2e
