#include "settings/profile_location.h"

namespace tandrel {

namespace {

constexpr std::wstring_view kDefaultName = L"tandrel.ini";
constexpr std::wstring_view kAppDataSubfolder = L"Tandrel";

std::size_t LastSeparator(std::wstring_view path) {
    return path.find_last_of(L"\\/");
}

std::wstring Join(std::wstring_view folder, std::wstring_view name) {
    std::wstring out(folder);
    if (!out.empty() && out.back() != L'\\' && out.back() != L'/')
        out += L'\\';
    out += name;
    return out;
}

}  // namespace

std::wstring ProfileFileName(std::wstring_view executablePath) {
    const std::size_t sep = LastSeparator(executablePath);
    std::wstring_view name = sep == std::wstring_view::npos ? executablePath : executablePath.substr(sep + 1);
    if (name.empty())
        return std::wstring(kDefaultName);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::wstring(name) + L".ini";
}

ProfileLocation ChooseProfileLocation(IStorage& storage) {
    const std::wstring exe = storage.ExecutablePath();
    const std::wstring name = ProfileFileName(exe);
    const std::size_t sep = LastSeparator(exe);
    std::wstring beside;
    if (sep != std::wstring::npos) {
        const std::wstring exeFolder = exe.substr(0, sep);
        beside = Join(exe.substr(0, sep + 1), name);
        // A folder such as "C:" alone names no folder to probe; its root does.
        if (storage.CanWriteFolder(exeFolder.empty() || exeFolder.back() == L':' ? exe.substr(0, sep + 1)
                                                                                 : exeFolder)) {
            return ProfileLocation{beside, {}, {}};
        }
    }
    const std::wstring appData = storage.AppDataFolder();
    if (appData.empty()) {
        // Nowhere better: the profile beside the program is still read, and a save fails.
        return ProfileLocation{beside, {}, {}};
    }
    const std::wstring folder = Join(appData, kAppDataSubfolder);
    return ProfileLocation{Join(folder, name), beside, folder};
}

}  // namespace tandrel
