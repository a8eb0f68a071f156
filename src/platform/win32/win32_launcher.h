// Saved sessions in the registry, files, the environment and the start of processes on Win32.
#pragma once
#include "platform/launcher.h"

namespace tandrel::win32 {

class Win32Launcher : public ILauncher {
  public:
    bool ListSubkeys(const std::wstring& key, std::vector<std::wstring>& names) override;
    std::wstring FromSystemCodePage(std::string_view bytes) override;
    bool FileExists(const std::wstring& path) override;
    std::wstring EnvironmentVariable(const std::wstring& name) override;
    bool StartProcess(const std::wstring& program, const std::wstring& commandLine, std::uint32_t& processId,
                      std::uint32_t& error) override;
};

}  // namespace tandrel::win32
