// The Win32 shell's download against a small HTTP server on 127.0.0.1: the bytes arrive exactly
// as served, every failure is reported as one, and no failure outlasts the time bound.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "local_http_server.h"
#include "platform/win32/win32_shell.h"
#include "update/update_check.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;
using tandrel::win32::Win32Shell;

// The bounds the update check fetches its record with.
constexpr std::uint32_t kTimeoutMs = tandrel::update::kDownloadTimeoutMs;
constexpr std::size_t kBound = tandrel::update::kMaxRecordBytes;
// Leeway past the bound for the cancelled call to return and the thread to be joined, generous
// for a busy machine: a fetch that ignored its bound would go on for as long as the server does.
constexpr long long kLeewayMs = kTimeoutMs;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The record as the web site might serve it: CR LF lines, 8-bit characters, a long line.
std::string SampleRecord() {
    std::string record = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<apps>\r\n";
    record += "<app name=\"Tandrel\" intVersion=\"010800\" version=\"1.8 b\xE9ta\"/>\r\n";
    record += "<app name=\"Other\" notes=\"" + std::string(3000, 'n') + "\"/>\r\n";
    record += std::string("\0\x01\xFF", 3) + "</apps>\r\n";
    return record;
}

TEST(ShellDownload, DeliversTheServedBytesExactly) {
    const std::string record = SampleRecord();
    LocalHttpServer server(LocalHttpServer::Mode::kRespond, LocalHttpServer::Response(200, record));
    ASSERT_TRUE(server.Listening());
    Win32Shell shell;
    std::string bytes = "left over";
    ASSERT_TRUE(
        shell.Download(server.Url(L"/software.php?app=Tandrel&iv=010700"), kTimeoutMs, kBound, bytes));
    EXPECT_EQ(bytes, record);
    // A second fetch goes to the server again rather than to a cache.
    server.Stop();
    EXPECT_FALSE(
        shell.Download(server.Url(L"/software.php?app=Tandrel&iv=010700"), kTimeoutMs, kBound, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(ShellDownload, TakesABodyOfExactlyTheBoundAndFailsOneByteBeyond) {
    const std::string body(4096, 'b');
    LocalHttpServer server(LocalHttpServer::Mode::kRespond, LocalHttpServer::Response(200, body));
    ASSERT_TRUE(server.Listening());
    Win32Shell shell;
    std::string bytes;
    EXPECT_TRUE(shell.Download(server.Url(L"/exact"), kTimeoutMs, body.size(), bytes));
    EXPECT_EQ(bytes.size(), body.size());
    EXPECT_FALSE(shell.Download(server.Url(L"/over"), kTimeoutMs, body.size() - 1, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(ShellDownload, AnHttpErrorIsAFailedDownload) {
    LocalHttpServer server(
        LocalHttpServer::Mode::kRespond,
        LocalHttpServer::Response(404, "name=\"Tandrel\" intVersion=\"990000\" version=\"9\""));
    ASSERT_TRUE(server.Listening());
    Win32Shell shell;
    std::string bytes;
    EXPECT_FALSE(shell.Download(server.Url(L"/missing"), kTimeoutMs, kBound, bytes));
    EXPECT_TRUE(bytes.empty());
}

// The three ways a server can fail to deliver, each timed against the bound.
TEST(ShellDownload, FailsWithinTheBoundWhenTheServerIsGoneSilentOrEndless) {
    Win32Shell shell;
    std::string bytes;

    const std::uint16_t port = UnusedLocalPort();
    ASSERT_NE(port, 0);
    auto start = Clock::now();
    EXPECT_FALSE(
        shell.Download(L"http://127.0.0.1:" + std::to_wstring(port) + L"/", kTimeoutMs, kBound, bytes));
    const long long stopped = MillisecondsSince(start);

    LocalHttpServer silent(LocalHttpServer::Mode::kSilent, "");
    ASSERT_TRUE(silent.Listening());
    start = Clock::now();
    EXPECT_FALSE(shell.Download(silent.Url(L"/"), kTimeoutMs, kBound, bytes));
    const long long quiet = MillisecondsSince(start);

    // A byte every 100 ms keeps each single receive alive; only the whole-fetch bound ends it.
    LocalHttpServer trickle(LocalHttpServer::Mode::kTrickle,
                            "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n", 100);
    ASSERT_TRUE(trickle.Listening());
    start = Clock::now();
    EXPECT_FALSE(shell.Download(trickle.Url(L"/"), kTimeoutMs, kBound, bytes));
    const long long endless = MillisecondsSince(start);
    EXPECT_TRUE(bytes.empty());

    std::printf(
        "download failure times (bound %u ms): server stopped %lld ms, silent %lld ms, endless %lld ms\n",
        kTimeoutMs, stopped, quiet, endless);
    RecordProperty("stopped_ms", static_cast<int>(stopped));
    RecordProperty("silent_ms", static_cast<int>(quiet));
    RecordProperty("endless_ms", static_cast<int>(endless));
    // Not a speed goal: past the bound the fetch would hold the program's start-up.
    EXPECT_LE(stopped, kTimeoutMs + kLeewayMs);
    EXPECT_LE(quiet, kTimeoutMs + kLeewayMs);
    EXPECT_LE(endless, kTimeoutMs + kLeewayMs);
    // The endless server delivers for the whole bound: the fetch ends at the deadline, not before.
    EXPECT_GE(endless, static_cast<long long>(kTimeoutMs) - 100);
}

}  // namespace
}  // namespace e2e
