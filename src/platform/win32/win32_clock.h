// IClock on the Win32 API: Sleep, Beep and GetTickCount64.
#pragma once
#include "platform/clock.h"

namespace tandrel::win32 {

class Win32Clock final : public IClock {
  public:
    void Sleep(std::uint32_t ms) override;
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    std::uint64_t NowMs() override;
};

}  // namespace tandrel::win32
