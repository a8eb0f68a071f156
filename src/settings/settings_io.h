// Loading and saving every persistent value: the filters, the command history, the preferences
// with the saved password, and the start-with-the-system entry that follows runOnSystemStartup.
// Each reads or writes the profile in memory; WriteProfile writes it to its file, whole.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/storage.h"
#include "settings/ini_store.h"
#include "settings/profile_location.h"
#include "settings/settings.h"

namespace tandrel {

inline constexpr std::wstring_view kProfileSection = L"Tandrel";

// The filter definitions ("filter00" to "filter99", gaps closed; the built-in filter when there
// is none) and the selected index ("filter"; 0 when it names no filter).
void ReadFilters(const IniStore& profile, std::vector<std::wstring>& filters, std::int32_t& selected);
void WriteFilters(IniStore& profile, const std::vector<std::wstring>& filters, std::int32_t selected);

// The command history, "cmdhistory00" to "cmdhistory99", oldest first.
void ReadHistory(const IniStore& profile, std::vector<std::wstring>& history);
void WriteHistory(IniStore& profile, const std::vector<std::wstring>& history);

// Every preference (a missing key reads as its default) and the saved password in the form the
// main window holds it (empty without savePassword, or when it cannot be unprotected).
void ReadPreferences(IStorage& storage, const IniStore& profile, Settings& settings,
                     std::wstring& encodedPassword);
// Every preference in table order, the password (protected for the user, or erased) right after
// savePassword. A stored password that this user cannot unprotect is kept byte for byte while
// `encodedPassword` is empty and savePassword is set.
void WritePreferences(IStorage& storage, IniStore& profile, const Settings& settings,
                      const std::wstring& encodedPassword);

// Where the Targets window was last closed: its top-left corner in screen pixels
// ("targetsWindowX", "targetsWindowY"); none until it has been closed once.
struct WindowPlace {
    int x = 0;
    int y = 0;
    bool operator==(const WindowPlace&) const = default;
};
std::optional<WindowPlace> ReadTargetsWindowPlace(const IniStore& profile);
void WriteTargetsWindowPlace(IniStore& profile, WindowPlace place);

// Sets the Run value to the quoted path of the executable, or deletes it.
void UpdateRunEntry(IStorage& storage, bool enabled);

// The profile written to its file in one piece, its folder made first; nothing without a path.
void WriteProfile(IStorage& storage, const ProfileLocation& location, const IniStore& profile);

}  // namespace tandrel
