// Storage and a shell that refuse everything, for the paths that never reach them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tandrel::fakes {

class RefusingStorage : public IStorage {
  public:
    FileRead ReadFile(const std::wstring&, std::string&) override { return FileRead::kMissing; }
    bool WriteFileAtomically(const std::wstring&, const std::string&) override { return false; }
    bool CanWriteFolder(const std::wstring&) override { return false; }
    bool CreateFolder(const std::wstring&) override { return false; }
    std::wstring ExecutablePath() override { return {}; }
    std::wstring AppDataFolder() override { return {}; }
    bool ProtectForUser(const std::string&, std::string&) override { return false; }
    bool UnprotectForUser(const std::string&, std::string&) override { return false; }
    bool SetRunValue(const std::wstring&, const std::wstring&) override { return false; }
    bool DeleteRunValue(const std::wstring&) override { return false; }
};

class RefusingShell : public IShell {
  public:
    void OpenUrl(const std::wstring&) override {}
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

}  // namespace tandrel::fakes
