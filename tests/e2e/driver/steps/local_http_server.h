// A tiny HTTP server on 127.0.0.1 inside the driver, for the downloads of the Win32 shell: it
// answers every connection in one scripted way, on a thread of its own, until it is stopped.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

class LocalHttpServer {
  public:
    enum class Mode {
        kRespond,  // reads the request, sends `response` whole, closes
        kSilent,   // accepts and never answers
        kTrickle,  // sends `response` (the head), then one byte of body every `intervalMs`
    };

    LocalHttpServer(Mode mode, std::string response, int intervalMs = 0);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool Listening() const { return listener_ != kNoSocket; }
    std::uint16_t Port() const { return port_; }
    // http://127.0.0.1:<port><path>
    std::wstring Url(const std::wstring& path) const;
    // Closes the listening socket and every connection; later connections are refused.
    void Stop();
    // The first line of every request answered so far ("GET <target> HTTP/1.1").
    std::vector<std::string> RequestLines() const;
    // A full HTTP/1.0 response with the status line and the body.
    static std::string Response(int status, const std::string& body);

  private:
    static constexpr std::uintptr_t kNoSocket = ~std::uintptr_t{0};
    void Serve();
    void Answer(std::uintptr_t client);

    Mode mode_;
    std::string response_;
    int intervalMs_;
    std::uintptr_t listener_ = kNoSocket;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex lock_;
    std::vector<std::string> requestLines_;
    std::thread thread_;
};

// The maker's web host that tandrel.exe is given (TANDREL_WEB_HOST) while a ScopedHttpProxy
// lives: the built-in one is a placeholder, and such a build asks no one for updates.
inline constexpr wchar_t kUpdateTestHost[] = L"www.tandrel.test";

// Wine's WinINet takes its proxy from http_proxy: while this lives, the programs the driver
// starts send their http requests, whatever the host, to the server on 127.0.0.1 at `port`.
class ScopedHttpProxy {
  public:
    explicit ScopedHttpProxy(std::uint16_t port);
    ~ScopedHttpProxy();
    ScopedHttpProxy(const ScopedHttpProxy&) = delete;
    ScopedHttpProxy& operator=(const ScopedHttpProxy&) = delete;
};

// A port on 127.0.0.1 where nothing listens (bound once, then released).
std::uint16_t UnusedLocalPort();

}  // namespace e2e
