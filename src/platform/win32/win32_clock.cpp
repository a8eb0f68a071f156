#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace tandrel::win32 {

void Win32Clock::Sleep(std::uint32_t ms) {
    ::Sleep(ms);
}

void Win32Clock::Beep(std::uint32_t frequency, std::uint32_t durationMs) {
    ::Beep(frequency, durationMs);
}

std::uint64_t Win32Clock::NowMs() {
    return GetTickCount64();
}

}  // namespace tandrel::win32
