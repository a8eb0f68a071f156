// One instance at a time: the lock a running Tandrel holds for its whole life, and a command-line
// run for its own, and the search for the instance to hand a start over to.
#pragma once
#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace tandrel::app {

// How long a start waits for the holder of the lock to show its window or to end.
inline constexpr DWORD kInstanceWaitMs = 10 * 60 * 1000;

class InstanceLock {
  public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool Owned() const { return owned_; }
    // Waits up to `ms` for the holder to end; true when it did and this process holds it now.
    bool Take(DWORD ms);

  private:
    win32::UniqueKernelHandle handle_;
    bool owned_ = false;
};

// The window of the instance that runs, or that is starting and makes its window within the
// wait: the one to hand this start over to. Null when this process holds `lock` instead (the
// holder ended without a window, or there was none), or when the wait ran out.
HWND FindRunningInstance(InstanceLock& lock);

}  // namespace tandrel::app
