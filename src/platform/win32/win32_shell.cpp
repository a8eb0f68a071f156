#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "res/version.h"

namespace tandrel::win32 {

void Win32Shell::OpenUrl(const std::wstring& url) {
    // The browser's own failure is not ours to report: nothing is said when no browser opens.
    ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring Win32Shell::WebHost() {
    wchar_t host[256] = {};
    const DWORD n = GetEnvironmentVariableW(L"TANDREL_WEB_HOST", host, 256);
    return n > 0 && n < 256 ? std::wstring(host, n) : std::wstring(TANDREL_WEB_HOST);
}

std::wstring Win32Shell::ProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    if (n == 0 || n >= MAX_PATH * 4)
        return {};
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

namespace {

// One download, shared between the caller and the thread that does the blocking WinINet calls.
// WinINet's own time-outs do not cover every wait (the name look-up has none, and the connect
// time-out is not honoured everywhere), so the caller waits for the thread only until the
// deadline and then closes the handles, which cancels whatever call is pending. Handles are
// closed only under the lock, by whichever side gets there first.
struct DownloadJob {
    std::mutex lock;
    std::condition_variable changed;
    HINTERNET session = nullptr;
    HINTERNET request = nullptr;
    bool cancelled = false;
    bool done = false;
    bool ok = false;
    std::string bytes;

    void CloseHandlesLocked() {
        if (request != nullptr) {
            InternetCloseHandle(request);
            request = nullptr;
        }
        if (session != nullptr) {
            InternetCloseHandle(session);
            session = nullptr;
        }
    }
};

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) {
    InternetSetOptionW(handle, option, &ms, sizeof ms);
}

bool IsSuccessStatus(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return false;
    }
    return status >= 200 && status < 300;
}

// Runs on the download thread.
void Fetch(const std::shared_ptr<DownloadJob>& job, const std::wstring& url, std::size_t maxBytes) {
    HINTERNET session = nullptr;
    {
        std::lock_guard<std::mutex> guard(job->lock);
        session = job->session;
    }
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI;
    HINTERNET request =
        session != nullptr ? InternetOpenUrlW(session, url.c_str(), nullptr, 0, flags, 0) : nullptr;

    bool ok = false;
    std::string data;
    {
        std::lock_guard<std::mutex> guard(job->lock);
        if (job->cancelled) {
            if (request != nullptr) {
                InternetCloseHandle(request);
            }
            request = nullptr;
        } else {
            job->request = request;
        }
    }
    if (request != nullptr && IsSuccessStatus(request)) {
        ok = true;
        char buffer[8192];
        for (;;) {
            {
                std::lock_guard<std::mutex> guard(job->lock);
                if (job->cancelled) {
                    ok = false;
                    break;
                }
            }
            DWORD got = 0;
            if (!InternetReadFile(request, buffer, sizeof buffer, &got)) {
                ok = false;
                break;
            }
            if (got == 0) {
                break;  // the end of the response
            }
            if (got > maxBytes - data.size()) {
                ok = false;  // larger than the caller will take
                break;
            }
            data.append(buffer, got);
        }
    }

    std::lock_guard<std::mutex> guard(job->lock);
    if (!job->cancelled) {
        job->ok = ok;
        job->bytes = std::move(data);
        if (job->request != nullptr) {
            InternetCloseHandle(job->request);
            job->request = nullptr;
        }
    }
    job->done = true;
    job->changed.notify_all();
}

}  // namespace

bool Win32Shell::Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                          std::string& bytes) {
    bytes.clear();
    // The cancelled call gets a short grace to return, taken out of the bound so that the whole
    // download never outlasts `timeoutMs`.
    const std::chrono::milliseconds grace(std::min<std::uint32_t>(250, timeoutMs / 10));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs) - grace;

    auto job = std::make_shared<DownloadJob>();
    job->session = InternetOpenW(version::kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (job->session == nullptr) {
        return false;
    }
    // Each single wait is bounded too, so a slow server ends the thread's calls by itself.
    SetTimeout(job->session, INTERNET_OPTION_CONNECT_TIMEOUT, timeoutMs);
    SetTimeout(job->session, INTERNET_OPTION_SEND_TIMEOUT, timeoutMs);
    SetTimeout(job->session, INTERNET_OPTION_RECEIVE_TIMEOUT, timeoutMs);
    SetTimeout(job->session, INTERNET_OPTION_DATA_SEND_TIMEOUT, timeoutMs);
    SetTimeout(job->session, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, timeoutMs);

    std::thread worker;
    try {
        worker = std::thread(Fetch, job, url, maxBytes);
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> guard(job->lock);
        job->CloseHandlesLocked();
        return false;
    }

    std::unique_lock<std::mutex> guard(job->lock);
    const bool finished = job->changed.wait_until(guard, deadline, [&job] { return job->done; });
    if (finished) {
        const bool ok = job->ok;
        bytes = std::move(job->bytes);
        job->CloseHandlesLocked();
        guard.unlock();
        worker.join();
        return ok;
    }

    // Past the deadline: cancel the pending call and give the thread its grace to return.
    job->cancelled = true;
    job->CloseHandlesLocked();
    const bool returned = job->changed.wait_for(guard, grace, [&job] { return job->done; });
    guard.unlock();
    if (returned) {
        worker.join();
    } else {
        // Stuck in a call that closing cannot cancel (a name look-up): it owns its share of the
        // job and ends on its own; its result is thrown away.
        worker.detach();
    }
    return false;
}

}  // namespace tandrel::win32
