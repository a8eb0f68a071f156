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

FoundProfile FindProfile(IStorage& storage) {
    const std::wstring exe = storage.ExecutablePath();
    const std::wstring name = ProfileFileName(exe);
    const std::wstring appData = storage.AppDataFolder();
    FoundProfile found;
    ProfileLocation inAppData;
    if (!appData.empty()) {
        inAppData.folder = Join(appData, kAppDataSubfolder);
        inAppData.path = Join(inAppData.folder, name);
        // A profile there was made because the program's folder could not be written once: it
        // holds the newest values, whatever that folder allows today.
        found.read = storage.ReadFile(inAppData.path, found.bytes);
        if (found.read != FileRead::kMissing) {
            found.location = inAppData;
            found.readPath = inAppData.path;
            return found;
        }
    }
    const std::size_t sep = LastSeparator(exe);
    if (sep == std::wstring::npos) {
        found.location = inAppData;
        return found;
    }
    const std::wstring beside = Join(exe.substr(0, sep + 1), name);
    found.read = storage.ReadFile(beside, found.bytes);
    if (found.read != FileRead::kMissing)
        found.readPath = beside;
    const std::wstring exeFolder = exe.substr(0, sep);
    // A folder such as "C:" alone names no folder to probe; its root does.
    const bool writable = storage.CanWriteFolder(
        exeFolder.empty() || exeFolder.back() == L':' ? exe.substr(0, sep + 1) : exeFolder);
    if (writable || inAppData.path.empty()) {
        // Nowhere better without %APPDATA%: the profile beside the program is still read, and a
        // save fails.
        found.location = ProfileLocation{beside, {}};
    } else {
        // The profile beside a program whose folder cannot be written (left there by an
        // installer) gives the first values of the one in %APPDATA%.
        found.location = inAppData;
    }
    return found;
}

}  // namespace tandrel
