#include "process.h"

#include <cstdio>

namespace e2e {

std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}

ChildProcess::~ChildProcess() {
    Kill();
    if (info_.hProcess != nullptr)
        CloseHandle(info_.hProcess);
    if (info_.hThread != nullptr)
        CloseHandle(info_.hThread);
}

bool ChildProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& args,
                         const std::wstring& folder, int showCommand, HANDLE output) {
    std::wstring command = QuoteArgument(exe);
    for (const std::wstring& a : args) command += L" " + QuoteArgument(a);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    if (output != nullptr) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    // Under a loaded Wine a start was seen failing at once, now and then (a probe, putty.exe,
    // tandrel.exe); it is tried again a few times, and the failures are said.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE)
            return true;
        const DWORD error = GetLastError();
        std::fprintf(stderr, "e2e: starting %ls failed (error %lu, attempt %d)\n", exe.c_str(),
                     static_cast<unsigned long>(error), attempt);
        if (attempt == 3)
            return false;
        Sleep(200);
    }
}

bool ChildProcess::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    if (!Running())
        return;
    TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, 5000);
}

bool ChildProcess::WaitForExit(DWORD boundMs) {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, boundMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess != nullptr)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

}  // namespace e2e
