// The probe terminal: a top-level window of a given class and title that logs everything a
// terminal window receives from outside, for the end-to-end tests. See probe_options.h for its
// command line and probe_log.h for the log's form.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "probe_log.h"
#include "probe_options.h"

namespace probe {
namespace {

Options g_options;
EventLog g_log;
bool g_inSizeMove = false;
std::string g_lastState;

constexpr UINT_PTR kHangTimer = 1;

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

unsigned long long Handle(HWND h) {
    return reinterpret_cast<unsigned long long>(h);
}

// A busy terminal: the message is handled, but late.
void BeSlow() {
    if (g_options.slowMs != 0)
        Sleep(g_options.slowMs);
}

[[noreturn]] void HangForever() {
    g_log.Write("hang");
    for (;;) Sleep(INFINITE);
}

// Key messages: the virtual key, and from lParam the scan code, the extended-key bit, the
// context (Alt) bit, the previous key state and the repeat count.
void LogKey(const char* name, WPARAM wParam, LPARAM lParam) {
    const auto bits = static_cast<unsigned long>(lParam);
    g_log.Write("%s vk=0x%02x scan=0x%02lx ext=%lu alt=%lu prev=%lu repeat=%lu", name,
                static_cast<unsigned>(wParam), (bits >> 16) & 0xFF, (bits >> 24) & 1, (bits >> 29) & 1,
                (bits >> 30) & 1, bits & 0xFFFF);
}

// Shown, minimised and maximised, logged whenever one of them changes.
void LogStateIfChanged(HWND hwnd) {
    char state[64];
    wsprintfA(state, "visible=%d minimized=%d maximized=%d", IsWindowVisible(hwnd) ? 1 : 0,
              IsIconic(hwnd) ? 1 : 0, IsZoomed(hwnd) ? 1 : 0);
    if (g_lastState == state)
        return;
    g_lastState = state;
    g_log.Write("state %s", state);
}

// Like a terminal: during a size-move, a WM_SIZE announces the client size the window is to
// have, and the window grows or shrinks so that its client area is that size.
void FitToAnnouncedSize(HWND hwnd, int width, int height) {
    RECT client{};
    RECT outer{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &outer);
    if (client.right == width && client.bottom == height)
        return;
    const int frameW = (outer.right - outer.left) - client.right;
    const int frameH = (outer.bottom - outer.top) - client.bottom;
    g_log.Write("fit w=%d h=%d", width, height);
    SetWindowPos(hwnd, nullptr, 0, 0, width + frameW, height + frameH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    DrawTextW(dc, g_options.title.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN:
            LogKey("keydown", wParam, lParam);
            if (g_options.keyDelayMs != 0)
                Sleep(g_options.keyDelayMs);
            return 0;
        case WM_KEYUP:
            LogKey("keyup", wParam, lParam);
            return 0;
        // System keys are taken here, as a terminal does, so that a lone Alt opens no menu.
        case WM_SYSKEYDOWN:
            LogKey("syskeydown", wParam, lParam);
            return 0;
        case WM_SYSKEYUP:
            LogKey("syskeyup", wParam, lParam);
            return 0;
        case WM_CHAR:
            g_log.Write("char code=0x%04x", static_cast<unsigned>(wParam));
            if (g_options.charDelayMs != 0)
                Sleep(g_options.charDelayMs);
            return 0;
        case WM_SYSCHAR:
            g_log.Write("syschar code=0x%04x", static_cast<unsigned>(wParam));
            return 0;
        case WM_DEADCHAR:
            g_log.Write("deadchar code=0x%04x", static_cast<unsigned>(wParam));
            return 0;
        case WM_SYSCOMMAND:
            g_log.Write("syscommand cmd=0x%04x lparam=0x%llx", static_cast<unsigned>(wParam),
                        static_cast<unsigned long long>(lParam));
            break;
        case WM_SIZE: {
            const int width = LOWORD(lParam);
            const int height = HIWORD(lParam);
            BeSlow();
            g_log.Write("size type=%u w=%d h=%d", static_cast<unsigned>(wParam), width, height);
            if (g_inSizeMove && wParam == SIZE_RESTORED && !g_options.ignoreSize)
                FitToAnnouncedSize(hwnd, width, height);
            return 0;
        }
        case WM_MOVE:
            g_log.Write("move x=%d y=%d", static_cast<short>(LOWORD(lParam)),
                        static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_ENTERSIZEMOVE:
            g_inSizeMove = true;
            g_log.Write("entersizemove");
            return 0;
        case WM_EXITSIZEMOVE:
            g_inSizeMove = false;
            g_log.Write("exitsizemove");
            return 0;
        case WM_SHOWWINDOW:
            BeSlow();
            g_log.Write("showwindow show=%u status=%u", static_cast<unsigned>(wParam),
                        static_cast<unsigned>(lParam));
            break;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
                RECT r{};
                GetWindowRect(hwnd, &r);
                g_log.Write("windowpos x=%ld y=%ld w=%ld h=%ld", r.left, r.top, r.right - r.left,
                            r.bottom - r.top);
            }
            LogStateIfChanged(hwnd);
            break;  // DefWindowProc turns it into WM_SIZE and WM_MOVE
        }
        case WM_ACTIVATE:
            g_log.Write("activate state=%u minimized=%u other=0x%llx", LOWORD(wParam), HIWORD(wParam),
                        Handle(reinterpret_cast<HWND>(lParam)));
            if (LOWORD(wParam) != WA_INACTIVE) {
                if (g_options.activationDelayMs != 0)
                    Sleep(g_options.activationDelayMs);
                BeSlow();
            }
            break;  // DefWindowProc gives the window the focus
        case WM_ACTIVATEAPP:
            g_log.Write("activateapp active=%u", static_cast<unsigned>(wParam));
            break;
        case WM_SETFOCUS:
            g_log.Write("setfocus from=0x%llx", Handle(reinterpret_cast<HWND>(wParam)));
            if (g_options.activationDelayMs != 0)
                Sleep(g_options.activationDelayMs);
            return 0;
        case WM_KILLFOCUS:
            g_log.Write("killfocus to=0x%llx", Handle(reinterpret_cast<HWND>(wParam)));
            return 0;
        case WM_PAINT:
            BeSlow();
            Paint(hwnd);
            return 0;
        case WM_TIMER:
            if (wParam == kHangTimer &&
                GetFileAttributesW(g_options.hangWhen.c_str()) != INVALID_FILE_ATTRIBUTES) {
                HangForever();
            }
            return 0;
        case WM_CLOSE:
            g_log.Write("close");
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void WritePidFile(const std::wstring& path) {
    const HANDLE f =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    char text[32];
    const int n = wsprintfA(text, "%lu\n", GetCurrentProcessId());
    DWORD written = 0;
    WriteFile(f, text, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(f);
}

int Run(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = g_options.className.c_str();
    if (!RegisterClassExW(&wc)) {
        g_log.Write("error register-class %lu", GetLastError());
        return 2;
    }
    const HWND hwnd =
        CreateWindowExW(0, g_options.className.c_str(), g_options.title.c_str(), WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        g_log.Write("error create-window %lu", GetLastError());
        return 2;
    }
    if (g_options.minimized) {
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    } else if (!g_options.hidden) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
    UpdateWindow(hwnd);
    if (!g_options.hangWhen.empty())
        SetTimer(hwnd, kHangTimer, 20, nullptr);
    if (!g_options.pidFile.empty())
        WritePidFile(g_options.pidFile);
    g_log.Write("ready hwnd=0x%llx pid=%lu class=%s title=%s", Handle(hwnd), GetCurrentProcessId(),
                Utf8(g_options.className).c_str(), Utf8(g_options.title).c_str());
    if (g_options.hang)
        HangForever();

    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    g_log.Write("exit");
    return 0;
}

}  // namespace
}  // namespace probe

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring error;
    const bool parsed = argv != nullptr && probe::ParseOptions(argc, argv, probe::g_options, error);
    if (argv != nullptr)
        LocalFree(argv);
    if (!probe::g_options.logPath.empty() && !probe::g_log.Open(probe::g_options.logPath))
        return 3;
    if (!parsed) {
        probe::g_log.Write("error options %s", probe::Utf8(error).c_str());
        return 1;
    }
    return probe::Run(instance);
}
