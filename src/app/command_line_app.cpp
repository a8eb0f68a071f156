// tandrel.exe with arguments: the request handed to the running instance, or carried out here
// on the profile's settings without a window; the outcome reported on the caller's console.
#include "app/command_line_app.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/instance_lock.h"
#include "app/sender_app.h"
#include "cli/handoff_record.h"
#include "cli/handoff_result.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_storage.h"
#include "ui/main_dialog.h"

namespace tandrel::app {

namespace {

constexpr wchar_t kReportWindowClass[] = L"TandrelCommandReport";
// The running instance may be serving many slow terminals; a hung one answers at once (the
// send gives up on it), so only a busy one is waited for this long.
constexpr UINT kHandOffBoundMs = kInstanceWaitMs;

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
        if (self == nullptr || data == nullptr || data->dwData != handoff::kCopyDataTag ||
            data->lpData == nullptr)
            return FALSE;
        self->report =
            handoff::DecodeReport(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
        return self->report ? TRUE : FALSE;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The integrity level of a process (its mandatory label's last part); none when it cannot be
// read.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    win32::UniqueKernelHandle token;
    if (!::OpenProcessToken(process, TOKEN_QUERY, token.Receive()))
        return std::nullopt;
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR parts = *::GetSidSubAuthorityCount(sid);
    if (parts == 0)
        return std::nullopt;
    return *::GetSidSubAuthority(sid, parts - 1u);
}

// Rights differ between an elevated Tandrel and a normal prompt. The system refuses a request
// sent up to higher rights (WM_COPYDATA is not let through the message filter: a program of
// lower rights must not drive an elevated Tandrel); one sent down would be carried out and its
// report refused on its way back, so it is not sent. Levels that cannot be read leave it to the
// send.
bool RunsWithOtherRights(DWORD runningProcess) {
    const win32::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, runningProcess));
    if (!process.Valid())
        return false;
    const std::optional<DWORD> theirs = IntegrityLevel(process.Get());
    const std::optional<DWORD> ours = IntegrityLevel(::GetCurrentProcess());
    return theirs && ours && *theirs != *ours;
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
    if (RunsWithOtherRights(runningProcess)) {
        ::DestroyWindow(reportWindow);
        return handoff::OutcomeOf(handoff::HandOffResult::kOtherRights);
    }
    ::AllowSetForegroundWindow(runningProcess);

    std::string record = handoff::EncodeRequest(request);
    COPYDATASTRUCT data{handoff::kCopyDataTag, static_cast<DWORD>(record.size()), record.data()};
    DWORD_PTR reply = 0;
    LRESULT answered = 0;
    DWORD error = ERROR_SUCCESS;
    // While the running instance is busy with a command it takes nothing; the request is asked
    // again until it is taken, within the same bound as one long send.
    for (const ULONGLONG start = ::GetTickCount64();;) {
        const ULONGLONG waitedMs = ::GetTickCount64() - start;
        ::SetLastError(ERROR_SUCCESS);
        answered = ::SendMessageTimeoutW(
            running, WM_COPYDATA, reinterpret_cast<WPARAM>(reportWindow), reinterpret_cast<LPARAM>(&data),
            SMTO_ABORTIFHUNG,
            kHandOffBoundMs - static_cast<UINT>(std::min<ULONGLONG>(waitedMs, kHandOffBoundMs - 1)), &reply);
        // Refused by the message filter (other rights), the send fails with ERROR_ACCESS_DENIED.
        error = ::GetLastError();
        if (answered == 0 || state.report || static_cast<std::intptr_t>(reply) != handoff::kReplyBusy ||
            waitedMs + handoff::kAskAgainMs >= kHandOffBoundMs)
            break;
        ::Sleep(handoff::kAskAgainMs);
    }
    ::DestroyWindow(reportWindow);
    if (answered == 0)
        return handoff::OutcomeOf(handoff::ResultOfFailedSend(error));
    if (state.report)
        return *state.report;
    return handoff::OutcomeOf(handoff::ResultOfReply(static_cast<std::intptr_t>(reply)));
}

// No instance is running: the request is carried out here, on the profile's settings, without
// showing a window, while this process holds the single-instance lock. The settings (the
// history of /send among them) are saved at the end.
CommandOutcome RunHere(const CommandRequest& request) {
    win32::Win32Platform system;
    Win32Storage storage;
    win32::Win32Shell shell;
    CMainDialog dialog(system.With(storage, shell));
    dialog.LoadSettings();
    // saves only what may change
    dialog.initialised = request.action != CommandAction::kTargets && request.action != CommandAction::kOpen;
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
    // Run here, the request holds the single-instance lock from the profile's load to its save:
    // a Tandrel started meanwhile waits, and then reads what this run saved.
    InstanceLock lock;
    HWND running = FindRunningInstance(lock);
    const CommandOutcome outcome = running != nullptr ? HandOver(instance, running, request)
                                   : lock.Owned()     ? RunHere(request)
                                                      : handoff::OutcomeOf(handoff::HandOffResult::kNoAnswer);
    for (const std::wstring& line : outcome.lines) {
        if (outcome.exitCode == cli::kAllServed)
            console.Out(line);
        else
            console.Err(line);
    }
    return outcome.exitCode;
}

}  // namespace tandrel::app
