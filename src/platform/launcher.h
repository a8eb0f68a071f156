// Starting other programs at the operating-system boundary: the registry keys a program keeps
// its saved sessions under, the files and folders a program is looked for in, and the start of a
// process without a shell.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

class ILauncher {
  public:
    virtual ~ILauncher() = default;
    // RegOpenKeyExW(HKEY_CURRENT_USER, key) and RegEnumKeyExW: the names of its subkeys, in the
    // registry's order. False when the key cannot be opened (a key that is not there among them).
    virtual bool ListSubkeys(const std::wstring& key, std::vector<std::wstring>& names) = 0;
    // MultiByteToWideChar(CP_ACP): bytes of the system's code page as text.
    virtual std::wstring FromSystemCodePage(std::string_view bytes) = 0;
    // GetFileAttributesW: a file (not a folder) is there.
    virtual bool FileExists(const std::wstring& path) = 0;
    // GetEnvironmentVariableW; empty when it is not set.
    virtual std::wstring EnvironmentVariable(const std::wstring& name) = 0;
    // CreateProcessW(program, commandLine) without a shell, its window shown as the program
    // decides. The new process's id; false with the system's error code when it did not start.
    virtual bool StartProcess(const std::wstring& program, const std::wstring& commandLine,
                              std::uint32_t& processId, std::uint32_t& error) = 0;
};

}  // namespace tandrel
