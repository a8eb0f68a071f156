// The fake shell: records every address opened in the browser and every download asked for, and
// answers downloads from a script (no script left: the download fails, as with no network).
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tandrel::fakes {

struct DownloadRequest {
    std::wstring url;
    std::uint32_t timeoutMs = 0;
    std::size_t maxBytes = 0;
};

inline constexpr wchar_t kTestWebHost[] = L"www.tandrel.test";

class FakeShell : public IShell {
  public:
    // ---- test set-up and inspection ----
    // The next download delivers these bytes; a download larger than its bound fails, as the
    // real one does.
    void ServeDownload(std::string bytes) { script_.push_back({true, std::move(bytes)}); }
    // The next download fails (host unreachable, no network, time-out).
    void FailNextDownload() { script_.push_back({false, {}}); }
    // Runs inside every download, before it answers: lets a test look at the state of the
    // program while the fetch is in progress.
    void OnDownload(std::function<void()> hook) { onDownload_ = std::move(hook); }

    const std::vector<std::wstring>& OpenedUrls() const { return opened_; }
    const std::vector<DownloadRequest>& Downloads() const { return downloads_; }

    // ---- IShell ----
    void OpenUrl(const std::wstring& url) override { opened_.push_back(url); }
    std::wstring WebHost() override { return webHost; }
    std::wstring ProgramFolder() override { return L"C:\\Tools\\"; }
    // A real host unless a test makes it the placeholder.
    std::wstring webHost = kTestWebHost;
    bool Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                  std::string& bytes) override;

  private:
    struct Answer {
        bool ok;
        std::string bytes;
    };
    std::deque<Answer> script_;
    std::function<void()> onDownload_;
    std::vector<std::wstring> opened_;
    std::vector<DownloadRequest> downloads_;
};

}  // namespace tandrel::fakes
