#include "app/instance_lock.h"

#include "app/sender_app.h"

namespace tandrel::app {

namespace {
// Per logon session, as the window search is per desktop.
constexpr wchar_t kInstanceMutex[] = L"Local\\Tandrel.SingleInstance";
constexpr DWORD kPollMs = 50;
}  // namespace

InstanceLock::InstanceLock() : handle_(::CreateMutexW(nullptr, TRUE, kInstanceMutex)) {
    // Opened rather than made (or, run by a less privileged user, not even opened): another
    // instance holds it.
    owned_ = handle_.Valid() && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceLock::~InstanceLock() {
    if (owned_)
        ::ReleaseMutex(handle_.Get());
}

bool InstanceLock::Take(DWORD ms) {
    if (!handle_.Valid()) {
        ::Sleep(ms);
        return false;
    }
    const DWORD result = ::WaitForSingleObject(handle_.Get(), ms);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

HWND FindRunningInstance(InstanceLock& lock) {
    // The window first: an instance of an earlier version holds no lock. A holder without a
    // window is one still making it, or a command-line run, which ends without one.
    for (DWORD waited = 0; waited < kInstanceWaitMs; waited += kPollMs) {
        if (HWND running = ::FindWindowW(kWindowClass, nullptr); running != nullptr)
            return running;
        if (lock.Owned() || lock.Take(kPollMs))
            return nullptr;
    }
    return nullptr;
}

}  // namespace tandrel::app
