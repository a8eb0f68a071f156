// The probe's event log: one line per event, "<ms> <event> key=value ...", each line written to
// the file at once so that a reader in another process sees it immediately.
#pragma once
#include <windows.h>

#include <string>

namespace probe {

class EventLog {
  public:
    EventLog() = default;
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    bool Open(const std::wstring& path);
    // printf-style; the time since the probe started and a line end are added.
    void Write(const char* format, ...);

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    ULONGLONG start_ = GetTickCount64();
};

}  // namespace probe
