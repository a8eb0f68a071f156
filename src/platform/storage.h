// Files and the per-user Run value at the operating-system boundary: what the settings store and
// the script reader need.
#pragma once
#include <string>

namespace tandrel {

// What reading a file found: its bytes, no file at all, or a file that exists but could not be
// read (held open without sharing, access denied, an I/O error, larger than any file of ours).
enum class FileRead { kRead, kMissing, kUnreadable };

class IStorage {
  public:
    virtual ~IStorage() = default;
    // The whole file as bytes; `bytes` is left alone unless the file was read.
    virtual FileRead ReadFile(const std::wstring& path, std::string& bytes) = 0;
    // Writes the whole file atomically: a temporary file beside it, then replace. Either the old
    // or the new content survives a crash. False when it could not be written.
    virtual bool WriteFileAtomically(const std::wstring& path, const std::string& bytes) = 0;
    // True when a file can be created in the folder.
    virtual bool CanWriteFolder(const std::wstring& folder) = 0;
    // Creates the folder (and its parents) when it does not exist.
    virtual bool CreateFolder(const std::wstring& folder) = 0;
    // GetModuleFileNameW of the program's own executable; empty when it cannot be fetched.
    virtual std::wstring ExecutablePath() = 0;
    // %APPDATA%; empty when unknown.
    virtual std::wstring AppDataFolder() = 0;

    // CryptProtectData and CryptUnprotectData: bytes only the same user (on the same machine) can
    // read back. False when it fails; the output is then left alone. Neither leaves a copy of the
    // plain bytes behind.
    virtual bool ProtectForUser(const std::string& plain, std::string& sealed) = 0;
    virtual bool UnprotectForUser(const std::string& sealed, std::string& plain) = 0;

    // HKCU\Software\Microsoft\Windows\CurrentVersion\Run. False when the key cannot be opened.
    virtual bool SetRunValue(const std::wstring& name, const std::wstring& data) = 0;
    virtual bool DeleteRunValue(const std::wstring& name) = 0;
};

}  // namespace tandrel
