// Files, folders and the Run values in memory. Counts every write, can be told to fail writes,
// and can make folders unwritable.
#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/storage.h"

namespace tandrel::fakes {

class FakeStorage : public IStorage {
  public:
    FakeStorage();

    // --- the machine ---
    std::wstring executablePath = L"C:\\Tools\\tandrel.exe";
    std::wstring appDataFolder = L"C:\\Users\\op\\AppData\\Roaming";
    std::map<std::wstring, std::string> files;       // path -> content
    std::set<std::wstring> folders;                  // folders that exist (no trailing separator)
    std::set<std::wstring> unwritableFolders;        // files cannot be created there
    std::set<std::wstring> unreadableFiles;          // exist, but every read fails
    std::map<std::wstring, std::wstring> runValues;  // the Run key's values
    bool runKeyAvailable = true;                     // false: the Run key cannot be opened
    bool failWrites = false;                         // every write fails and leaves the old file
    std::string user = "op";                         // data protected for one user is not read by another
    bool failProtect = false;                        // protecting data for the user fails

    // --- what happened ---
    int writes = 0;        // attempted WriteFileAtomically calls
    int failedWrites = 0;  // of those, the ones that failed
    int runValueSets = 0;
    int runValueDeletes = 0;

    // The folder part of a path ("C:\Tools" for "C:\Tools\tandrel.exe").
    static std::wstring FolderOf(const std::wstring& path);

    // --- IStorage ---
    FileRead ReadFile(const std::wstring& path, std::string& bytes) override;
    bool WriteFileAtomically(const std::wstring& path, const std::string& bytes) override;
    bool CanWriteFolder(const std::wstring& folder) override;
    bool CreateFolder(const std::wstring& folder) override;
    std::wstring ExecutablePath() override { return executablePath; }
    std::wstring AppDataFolder() override { return appDataFolder; }
    // Sealed: "sealed for <user>:" and the bytes, each flipped, so no plain text shows.
    bool ProtectForUser(const std::string& plain, std::string& sealed) override;
    bool UnprotectForUser(const std::string& sealed, std::string& plain) override;
    bool SetRunValue(const std::wstring& name, const std::wstring& data) override;
    bool DeleteRunValue(const std::wstring& name) override;
};

}  // namespace tandrel::fakes
