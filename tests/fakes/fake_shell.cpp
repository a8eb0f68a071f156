#include "fakes/fake_shell.h"

namespace tandrel::fakes {

bool FakeShell::Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                         std::string& bytes) {
    downloads_.push_back({url, timeoutMs, maxBytes});
    if (onDownload_) {
        onDownload_();
    }
    bytes.clear();
    if (script_.empty()) {
        return false;
    }
    Answer answer = std::move(script_.front());
    script_.pop_front();
    if (!answer.ok || answer.bytes.size() > maxBytes) {
        return false;
    }
    bytes = std::move(answer.bytes);
    return true;
}

}  // namespace tandrel::fakes
