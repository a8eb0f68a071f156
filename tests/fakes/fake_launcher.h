// The registry's keys, files, environment and process starts in memory. Every start is recorded
// and given a new process id; a hook lets a test show the started program's window.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tandrel::fakes {

struct ProcessStart {
    std::wstring program;
    std::wstring commandLine;
    std::uint32_t processId = 0;
};

class FakeLauncher : public ILauncher {
  public:
    // --- the machine ---
    std::map<std::wstring, std::vector<std::wstring>> subkeys;  // key under HKCU -> its subkeys' names
    std::set<std::wstring> files;
    std::map<std::wstring, std::wstring> environment;
    std::set<std::wstring> failingPrograms;  // these do not start (error 2)
    // Runs after each start that succeeded.
    std::function<void(const ProcessStart&)> onStart;

    // --- what happened ---
    std::vector<ProcessStart> starts;

    // --- ILauncher ---
    bool ListSubkeys(const std::wstring& key, std::vector<std::wstring>& names) override {
        const auto it = subkeys.find(key);
        names = it == subkeys.end() ? std::vector<std::wstring>{} : it->second;
        return it != subkeys.end();
    }
    // The code page of this machine is ISO 8859-1: each byte is the character of its value.
    std::wstring FromSystemCodePage(std::string_view bytes) override {
        std::wstring text;
        for (const char b : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(b));
        return text;
    }
    bool FileExists(const std::wstring& path) override { return files.contains(path); }
    std::wstring EnvironmentVariable(const std::wstring& name) override {
        const auto it = environment.find(name);
        return it == environment.end() ? std::wstring() : it->second;
    }
    bool StartProcess(const std::wstring& program, const std::wstring& commandLine, std::uint32_t& processId,
                      std::uint32_t& error) override {
        if (failingPrograms.contains(program)) {
            error = 2;
            return false;
        }
        processId = 500 + static_cast<std::uint32_t>(starts.size());
        starts.push_back({program, commandLine, processId});
        if (onStart)
            onStart(starts.back());
        return true;
    }
};

}  // namespace tandrel::fakes
