// Time at the operating-system boundary: waits, the system beep and a monotonic clock.
#pragma once
#include <cstdint>

namespace tandrel {

class IClock {
  public:
    virtual ~IClock() = default;
    // Sleep(ms).
    virtual void Sleep(std::uint32_t ms) = 0;
    // Beep(frequency, duration): returns when the sound has ended.
    virtual void Beep(std::uint32_t frequency, std::uint32_t durationMs) = 0;
    // Milliseconds on a monotonic clock, for bounded waits.
    virtual std::uint64_t NowMs() = 0;
};

}  // namespace tandrel
