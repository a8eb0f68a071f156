// The shell and the network at the operating-system boundary.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tandrel {

class IShell {
  public:
    virtual ~IShell() = default;
    // ShellExecuteW(owner, "open", url, no parameters, no folder, SW_SHOWNORMAL).
    virtual void OpenUrl(const std::wstring& url) = 0;
    // Fetches the address into `bytes`, giving up after `timeoutMs` or when more than `maxBytes`
    // arrive. False on any failure.
    virtual bool Download(const std::wstring& url, std::uint32_t timeoutMs, std::size_t maxBytes,
                          std::string& bytes) = 0;
    // The maker's web host, the one the program was built with unless the system names another.
    virtual std::wstring WebHost() { return TANDREL_WEB_HOST; }
    // The program's own folder, with a trailing separator; empty when unknown.
    virtual std::wstring ProgramFolder() { return {}; }
};

}  // namespace tandrel
