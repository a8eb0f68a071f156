// The shell and the network on Win32: the default browser through ShellExecuteW, downloads
// through WinINet with every wait bounded.
#pragma once
#include "platform/shell.h"

namespace tandrel::win32 {

class Win32Shell : public IShell {
  public:
    void OpenUrl(const std::wstring& url) override;
    // Fetches straight from the server (never from the cache, never into it). Fails on a
    // connection that cannot be made, an HTTP status other than 2xx, more than `maxBytes` bytes,
    // or when the whole fetch, name look-up included, has not ended within `timeoutMs`.
    bool Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                  std::string& bytes) override;
    // %TANDREL_WEB_HOST% when set (a site's own mirror, or a test's server), else the built-in host.
    std::wstring WebHost() override;
    std::wstring ProgramFolder() override;
};

}  // namespace tandrel::win32
