// tandrel.exe with arguments: the request handed to the running instance, or carried out here
// on the profile's settings without a window; the outcome reported on the caller's console.
#include "app/command_line_app.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/sender_app.h"
#include "cli/handoff_record.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "ui/main_dialog.h"

namespace tandrel::app {

namespace {

constexpr wchar_t kReportWindowClass[] = L"TandrelCommandReport";
// The running instance may be serving many slow terminals; a hung one answers at once (the
// send gives up on it), so only a busy one is waited for this long.
constexpr UINT kHandOffBoundMs = 10 * 60 * 1000;

// The caller's console: a redirected standard handle when there is one, else the console of
// the parent process (a GUI program has none of its own).
class Console {
  public:
    Console() {
        out_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
        err_ = ::GetStdHandle(STD_ERROR_HANDLE);
        if (Missing(out_) || Missing(err_)) {
            if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
                HANDLE console =
                    ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
                if (Missing(out_))
                    out_ = console;
                if (Missing(err_))
                    err_ = console;
            }
        }
    }
    void Out(const std::wstring& line) { Write(out_, line); }
    void Err(const std::wstring& line) { Write(err_, line); }

  private:
    static bool Missing(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    // A console takes the text as it is; a file or pipe gets UTF-8.
    static void Write(HANDLE h, const std::wstring& line) {
        if (Missing(h))
            return;  // started with no console and no redirection: nobody to tell
        const std::wstring text = line + L"\r\n";
        DWORD mode = 0;
        DWORD written = 0;
        if (::GetConsoleMode(h, &mode)) {
            ::WriteConsoleW(h, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
            return;
        }
        const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                            0, nullptr, nullptr);
        std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                              nullptr, nullptr);
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    HANDLE out_ = nullptr;
    HANDLE err_ = nullptr;
};

std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> args;
    int count = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count); argv != nullptr) {
        for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
        ::LocalFree(argv);
    }
    return args;
}

// The running instance answers on a message-only window of ours while our send waits.
struct ReportWindow {
    std::optional<CommandOutcome> report;
};

LRESULT CALLBACK ReportWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* self = reinterpret_cast<ReportWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (self == nullptr || data->dwData != handoff::kCopyDataTag || data->lpData == nullptr)
            return FALSE;
        self->report =
            handoff::DecodeReport(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
        return self->report ? TRUE : FALSE;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

CommandOutcome HandOver(HINSTANCE instance, HWND running, const CommandRequest& request) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReportWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kReportWindowClass;
    ::RegisterClassW(&wc);
    ReportWindow state;
    HWND reportWindow = ::CreateWindowExW(0, kReportWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          instance, nullptr);
    if (reportWindow == nullptr)
        return {cli::kSomePassedOver, {L"Cannot hand the request over: no window for the report."}};
    ::SetWindowLongPtrW(reportWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    // The running instance brings terminals to the foreground; we may, being started by the
    // operator, and we let it.
    DWORD runningProcess = 0;
    ::GetWindowThreadProcessId(running, &runningProcess);
    ::AllowSetForegroundWindow(runningProcess);

    std::string record = handoff::EncodeRequest(request);
    COPYDATASTRUCT data{handoff::kCopyDataTag, static_cast<DWORD>(record.size()), record.data()};
    DWORD_PTR accepted = 0;
    const LRESULT answered =
        ::SendMessageTimeoutW(running, WM_COPYDATA, reinterpret_cast<WPARAM>(reportWindow),
                              reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kHandOffBoundMs, &accepted);
    ::DestroyWindow(reportWindow);
    if (answered == 0)
        return {cli::kSomePassedOver, {L"The running Tandrel did not answer; nothing was done."}};
    if (accepted == 0)
        return {cli::kBadArguments, {L"The running Tandrel refused the request (is it an older version?)."}};
    if (!state.report)
        return {cli::kSomePassedOver, {L"The running Tandrel sent no report."}};
    return *state.report;
}

// No instance is running: the request is carried out here, on the profile's settings, without
// showing a window. The settings (the history of /send among them) are saved at the end.
CommandOutcome RunHere(const CommandRequest& request) {
    win32::Win32Platform system;
    Win32Storage storage;
    win32::Win32Shell shell;
    CMainDialog dialog(system.With(storage, shell));
    dialog.LoadSettings();
    dialog.initialised = request.action != CommandAction::kTargets;  // saves only what may change
    return dialog.RunCommandRequest(request);
}

}  // namespace

std::optional<int> RunCommandLine(HINSTANCE instance) {
    const ParsedCommandLine parsed = ParseCommandLine(Arguments());
    if (parsed.kind == ParsedCommandLine::Kind::kRunWindow)
        return std::nullopt;
    Console console;
    if (parsed.kind == ParsedCommandLine::Kind::kHelp) {
        console.Out(CommandLineUsage());
        return cli::kAllServed;
    }
    if (parsed.kind == ParsedCommandLine::Kind::kError) {
        console.Err(L"tandrel: " + parsed.error);
        console.Err(CommandLineUsage());
        return cli::kBadArguments;
    }
    CommandRequest request = parsed.request;
    if (request.action == CommandAction::kScript) {
        // The file is named relative to the caller's folder, which the running instance knows
        // nothing of.
        wchar_t full[MAX_PATH * 4];
        const DWORD n = ::GetFullPathNameW(request.text.c_str(), MAX_PATH * 4, full, nullptr);
        if (n > 0 && n < MAX_PATH * 4)
            request.text.assign(full, n);
    }
    HWND running = ::FindWindowW(kWindowClass, nullptr);
    const CommandOutcome outcome =
        running != nullptr ? HandOver(instance, running, request) : RunHere(request);
    for (const std::wstring& line : outcome.lines) {
        if (outcome.exitCode == cli::kAllServed)
            console.Out(line);
        else
            console.Err(line);
    }
    return outcome.exitCode;
}

}  // namespace tandrel::app
