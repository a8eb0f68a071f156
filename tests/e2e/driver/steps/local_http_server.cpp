#include "local_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <vector>

namespace e2e {

namespace {

struct WinsockUser {
    WinsockUser() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { WSACleanup(); }
};

void EnsureWinsock() {
    static WinsockUser user;
}

// A socket bound to 127.0.0.1 on an ephemeral port, listening; INVALID_SOCKET on failure.
SOCKET ListenLocally(std::uint16_t& port) {
    EnsureWinsock();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        return s;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int len = sizeof addr;
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 8) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(addr.sin_port);
    return s;
}

// True when the socket has something to read within `ms`.
bool Readable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

}  // namespace

LocalHttpServer::LocalHttpServer(Mode mode, std::string response, int intervalMs)
    : mode_(mode), response_(std::move(response)), intervalMs_(intervalMs) {
    const SOCKET s = ListenLocally(port_);
    if (s == INVALID_SOCKET) {
        return;
    }
    listener_ = static_cast<std::uintptr_t>(s);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    Stop();
}

void LocalHttpServer::Stop() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ != kNoSocket) {
        closesocket(static_cast<SOCKET>(listener_));
        listener_ = kNoSocket;
    }
}

std::wstring LocalHttpServer::Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

std::string LocalHttpServer::Response(int status, const std::string& body) {
    return "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

void LocalHttpServer::Serve() {
    const SOCKET listener = static_cast<SOCKET>(listener_);
    std::vector<SOCKET> held;  // silent connections stay open until the server stops
    while (!stopping_) {
        if (!Readable(listener, 50)) {
            continue;
        }
        const SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            continue;
        }
        if (mode_ == Mode::kSilent) {
            held.push_back(client);
            continue;
        }
        Answer(static_cast<std::uintptr_t>(client));
        closesocket(client);
    }
    for (const SOCKET s : held) {
        closesocket(s);
    }
}

void LocalHttpServer::Answer(std::uintptr_t clientHandle) {
    const SOCKET client = static_cast<SOCKET>(clientHandle);
    // The request: read up to the blank line that ends its head.
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && !stopping_) {
        if (!Readable(client, 50)) {
            continue;
        }
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return;
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        requestLines_.push_back(request.substr(0, request.find("\r\n")));
    }
    std::size_t sent = 0;
    while (sent < response_.size()) {
        const int n = send(client, response_.data() + sent, static_cast<int>(response_.size() - sent), 0);
        if (n <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
    if (mode_ != Mode::kTrickle) {
        shutdown(client, SD_SEND);
        return;
    }
    // One byte at a time, each soon enough for any single receive time-out, never ending.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!stopping_ && std::chrono::steady_clock::now() < deadline) {
        if (send(client, "x", 1, 0) != 1) {
            return;
        }
        Sleep(static_cast<DWORD>(intervalMs_));
    }
}

std::vector<std::string> LocalHttpServer::RequestLines() const {
    std::lock_guard<std::mutex> guard(lock_);
    return requestLines_;
}

ScopedHttpProxy::ScopedHttpProxy(std::uint16_t port) {
    const std::wstring proxy = L"http://127.0.0.1:" + std::to_wstring(port) + L"/";
    SetEnvironmentVariableW(L"http_proxy", proxy.c_str());
    SetEnvironmentVariableW(L"no_proxy", nullptr);
    SetEnvironmentVariableW(L"TANDREL_WEB_HOST", kUpdateTestHost);
}

ScopedHttpProxy::~ScopedHttpProxy() {
    SetEnvironmentVariableW(L"http_proxy", nullptr);
    SetEnvironmentVariableW(L"TANDREL_WEB_HOST", nullptr);
}

std::uint16_t UnusedLocalPort() {
    std::uint16_t port = 0;
    const SOCKET s = ListenLocally(port);
    if (s != INVALID_SOCKET) {
        closesocket(s);
    }
    return port;
}

}  // namespace e2e
