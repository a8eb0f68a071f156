// Files, folders and the per-user Run value on Win32.
#pragma once
#include "platform/storage.h"

namespace tandrel {

class Win32Storage : public IStorage {
  public:
    FileRead ReadFile(const std::wstring& path, std::string& bytes) override;
    bool WriteFileAtomically(const std::wstring& path, const std::string& bytes) override;
    bool CanWriteFolder(const std::wstring& folder) override;
    bool CreateFolder(const std::wstring& folder) override;
    std::wstring ExecutablePath() override;
    std::wstring AppDataFolder() override;
    bool ProtectForUser(const std::string& plain, std::string& sealed) override;
    bool UnprotectForUser(const std::string& sealed, std::string& plain) override;
    bool SetRunValue(const std::wstring& name, const std::wstring& data) override;
    bool DeleteRunValue(const std::wstring& name) override;
};

}  // namespace tandrel
