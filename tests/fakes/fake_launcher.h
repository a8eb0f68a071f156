// Registry keys, files, the environment and process starts in memory; each start is recorded
// with a new process id, and `onStart` may show the started program's window.
#pragma once
#include <functional>
#include <map>
#include <set>
#include "platform/launcher.h"

namespace tandrel::fakes {

struct ProcessStart {
    std::wstring program, commandLine;
    std::uint32_t processId = 0;
};

struct FakeLauncher : ILauncher {
    std::map<std::wstring, std::vector<std::wstring>> subkeys;  // key under HKCU -> its subkeys
    std::set<std::wstring> files;
    std::map<std::wstring, std::wstring> environment;
    std::function<void(const ProcessStart&)> onStart;
    std::vector<ProcessStart> starts;

    bool ListSubkeys(const std::wstring& key, std::vector<std::wstring>& names) override {
        names = subkeys.contains(key) ? subkeys[key] : std::vector<std::wstring>{};
        return subkeys.contains(key);
    }
    // The code page here is ISO 8859-1: each byte is the character of its value.
    std::wstring FromSystemCodePage(std::string_view bytes) override {
        std::wstring text;
        for (const char b : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(b));
        return text;
    }
    bool FileExists(const std::wstring& path) override { return files.contains(path); }
    std::wstring EnvironmentVariable(const std::wstring& name) override { return environment[name]; }
    bool StartProcess(const std::wstring& program, const std::wstring& line, std::uint32_t& id,
                      std::uint32_t&) override {
        starts.push_back({program, line, id = 500 + static_cast<std::uint32_t>(starts.size())});
        if (onStart)
            onStart(starts.back());
        return true;
    }
};

}  // namespace tandrel::fakes
