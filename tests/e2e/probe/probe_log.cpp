#include "probe_log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace probe {

EventLog::~EventLog() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

bool EventLog::Open(const std::wstring& path) {
    file_ =
        CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

void EventLog::Write(const char* format, ...) {
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    char line[512];
    int n =
        std::snprintf(line, sizeof line, "%llu ", static_cast<unsigned long long>(GetTickCount64() - start_));
    va_list args;
    va_start(args, format);
    const int m = std::vsnprintf(line + n, sizeof line - static_cast<size_t>(n) - 2, format, args);
    va_end(args);
    n += m > 0 ? std::min(m, static_cast<int>(sizeof line) - n - 3) : 0;
    line[n++] = '\n';
    DWORD written = 0;
    WriteFile(file_, line, static_cast<DWORD>(n), &written, nullptr);
}

}  // namespace probe
