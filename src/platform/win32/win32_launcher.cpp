#include "platform/win32/win32_launcher.h"

#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace tandrel::win32 {

namespace {
// A registry key's name holds at most 255 units.
constexpr DWORD kMaxKeyNameUnits = 256;
}  // namespace

bool Win32Launcher::ListSubkeys(const std::wstring& key, std::vector<std::wstring>& names) {
    names.clear();
    UniqueRegKey opened;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_READ,
                        opened.Receive()) != ERROR_SUCCESS)
        return false;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxKeyNameUnits];
        DWORD units = kMaxKeyNameUnits;
        const LONG result =
            ::RegEnumKeyExW(opened.Get(), index, name, &units, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return true;
        if (result != ERROR_SUCCESS)
            return false;
        names.emplace_back(name, units);
    }
}

std::wstring Win32Launcher::FromSystemCodePage(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), n);
    return text;
}

bool Win32Launcher::FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring Win32Launcher::EnvironmentVariable(const std::wstring& name) {
    const DWORD n = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (n == 0)
        return {};
    std::wstring value(n, L'\0');
    const DWORD copied = ::GetEnvironmentVariableW(name.c_str(), value.data(), n);
    value.resize(copied < n ? copied : 0);
    return value;
}

bool Win32Launcher::StartProcess(const std::wstring& program, const std::wstring& commandLine,
                                 std::uint32_t& processId, std::uint32_t& error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line it is given.
    std::wstring line = commandLine;
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
        error = ::GetLastError();
        return false;
    }
    const UniqueKernelHandle process(info.hProcess);
    const UniqueKernelHandle thread(info.hThread);
    processId = info.dwProcessId;
    return true;
}

}  // namespace tandrel::win32
