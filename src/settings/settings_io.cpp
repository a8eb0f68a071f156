// Loading and saving every persistent value of the main window, and the start-with-the-system
// entry that follows the runOnSystemStartup preference.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/main_dialog.h"

namespace tandrel {

namespace {

constexpr std::wstring_view kSection = L"Tandrel";
constexpr std::wstring_view kRunValueName = L"Tandrel";
constexpr std::wstring_view kBuiltInFilter = L"All PuTTYs||+*";
constexpr std::size_t kSlots = 100;

// "filter%02d" and "cmdhistory%02d".
std::wstring SlotKey(std::wstring_view stem, std::size_t n) {
    std::wstring key(stem);
    key += static_cast<wchar_t>(L'0' + n / 10);
    key += static_cast<wchar_t>(L'0' + n % 10);
    return key;
}

struct IntKey {
    std::wstring_view key;
    std::int32_t CMainDialog::*member;
    std::int32_t fallback;
};

// Read in this order...
constexpr std::array<IntKey, 16> kLoadOrder{{
    {L"toolWindow", &CMainDialog::toolWindow, 1},
    {L"alwaysOnTop", &CMainDialog::alwaysOnTop, 1},
    {L"minimizeToSysTray", &CMainDialog::minimizeToSysTray, 1},
    {L"transition", &CMainDialog::transition, 25},
    {L"windowOpacity", &CMainDialog::windowOpacity, 255},
    {L"autoArrange", &CMainDialog::autoArrange, 1},
    {L"autoMinimize", &CMainDialog::autoMinimize, 0},
    {L"arrangeOnStartup", &CMainDialog::arrangeOnStartup, 0},
    {L"unhideOnExit", &CMainDialog::unhideOnExit, 1},
    {L"cascadeWidth", &CMainDialog::cascadeWidth, 642},
    {L"cascadeHeight", &CMainDialog::cascadeHeight, 386},
    {L"sendCR", &CMainDialog::sendCR, 1},
    {L"emulateCopyPaste", &CMainDialog::emulateCopyPaste, 1},
    {L"cmdhistoryScrollThrough", &CMainDialog::cmdhistoryScrollThrough, 1},
    {L"tabCompletion", &CMainDialog::tabCompletion, 0},
    {L"runOnSystemStartup", &CMainDialog::runOnSystemStartup, 0},
}};

// ...and written in this one (the last three change places).
constexpr std::array<IntKey, 16> kSaveOrder{{
    kLoadOrder[0],
    kLoadOrder[1],
    kLoadOrder[2],
    kLoadOrder[3],
    kLoadOrder[4],
    kLoadOrder[5],
    kLoadOrder[6],
    kLoadOrder[7],
    kLoadOrder[8],
    kLoadOrder[9],
    kLoadOrder[10],
    kLoadOrder[11],
    kLoadOrder[14],  // tabCompletion
    kLoadOrder[13],  // cmdhistoryScrollThrough
    kLoadOrder[12],  // emulateCopyPaste
    kLoadOrder[15],
}};

constexpr IntKey kCheckForUpdates{L"checkForUpdates", &CMainDialog::checkForUpdates, 1};

void ReadSlots(const IniStore& profile, std::wstring_view stem, std::vector<std::wstring>& list) {
    list.clear();
    for (std::size_t n = 0; n < kSlots; ++n) {
        std::wstring value = profile.GetString(kSection, SlotKey(stem, n), L"");
        if (!value.empty())
            list.push_back(std::move(value));
    }
}

void WriteSlots(IniStore& profile, std::wstring_view stem, const std::vector<std::wstring>& list) {
    for (std::size_t n = 0; n < kSlots; ++n) {
        profile.SetString(kSection, SlotKey(stem, n), n < list.size() ? std::wstring_view(list[n]) : L"");
    }
}

}  // namespace

void CMainDialog::LoadSettings() {
    IStorage& storage = platform.storage;
    profileLocation = ChooseProfileLocation(storage);
    profile.Clear();
    std::string bytes;
    if (!profileLocation.path.empty() && storage.ReadFile(profileLocation.path, bytes)) {
        profile.Load(bytes);
    } else if (!profileLocation.seedPath.empty() && storage.ReadFile(profileLocation.seedPath, bytes)) {
        profile.Load(bytes);
    }
    // No profile at all reads as an empty one: every key takes its default.

    ReadSlots(profile, L"filter", filterList);
    if (filterList.empty()) {
        filterList.emplace_back(kBuiltInFilter);
        selectedFilter = 0;
    } else {
        selectedFilter = profile.GetInt(kSection, L"filter", 0);
        if (selectedFilter < 0 || static_cast<std::size_t>(selectedFilter) >= filterList.size()) {
            selectedFilter = 0;
        }
    }

    ReadSlots(profile, L"cmdhistory", commandHistory);
    historyCursor = static_cast<std::int32_t>(commandHistory.size());

    savePassword = profile.GetInt(kSection, L"savePassword", 0);
    encodedPassword = savePassword != 0 ? profile.GetString(kSection, L"password", L"") : std::wstring();

    for (const IntKey& k : kLoadOrder) this->*k.member = profile.GetInt(kSection, k.key, k.fallback);
    UpdateRunEntry(runOnSystemStartup != 0);
    checkForUpdates = profile.GetInt(kSection, kCheckForUpdates.key, kCheckForUpdates.fallback);
}

void CMainDialog::SaveSettings() {
    IStorage& storage = platform.storage;
    if (profileLocation.path.empty())
        profileLocation = ChooseProfileLocation(storage);

    // The whole file is built in memory and written once, at the end.
    WriteSlots(profile, L"filter", filterList);
    profile.SetInt(kSection, L"filter", selectedFilter);
    WriteSlots(profile, L"cmdhistory", commandHistory);
    profile.SetInt(kSection, L"savePassword", savePassword);
    // Without savePassword the stored password is erased; the one in memory stays for this run.
    profile.SetString(kSection, L"password", savePassword != 0 ? std::wstring_view(encodedPassword) : L"");
    for (const IntKey& k : kSaveOrder) profile.SetInt(kSection, k.key, this->*k.member);
    UpdateRunEntry(runOnSystemStartup != 0);
    profile.SetInt(kSection, kCheckForUpdates.key, checkForUpdates);

    // Nowhere to write (no executable path and no %APPDATA%): the values live on in memory only,
    // as they do when the write fails. Neither is reported.
    if (profileLocation.path.empty())
        return;
    if (!profileLocation.folder.empty())
        storage.CreateFolder(profileLocation.folder);
    storage.WriteFileAtomically(profileLocation.path, profile.Serialize());
}

void CMainDialog::UpdateRunEntry(bool enabled) {
    IStorage& storage = platform.storage;
    // A Run key that cannot be opened, or a path that cannot be fetched, leaves the entry as it
    // is; nothing is reported.
    if (enabled) {
        const std::wstring path = storage.ExecutablePath();
        if (!path.empty())
            storage.SetRunValue(std::wstring(kRunValueName), path);
    } else {
        storage.DeleteRunValue(std::wstring(kRunValueName));
    }
}

}  // namespace tandrel
