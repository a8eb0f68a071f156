// The main window's settings: loaded once at start, saved after every change.
#include "settings/settings_io.h"
#include "ui/main_dialog.h"

namespace tandrel {

void CMainDialog::LoadSettings() {
    FoundProfile found = FindProfile(platform.storage);
    profileLocation = std::move(found.location);
    profile.Clear();
    unreadableProfile.clear();
    if (found.read == FileRead::kRead) {
        profile.Load(found.bytes);
    } else if (found.read == FileRead::kUnreadable) {
        // A profile that exists but cannot be read now (held open by a backup or sync tool,
        // access denied, too large) is no missing one: this run goes on with the defaults and
        // never writes over it.
        unreadableProfile = found.readPath;
    }
    // No profile at all reads as an empty one: every key takes its default.
    ReadFilters(profile, filterList, selectedFilter);
    ReadHistory(profile, commandHistory);
    historyCursor = static_cast<std::int32_t>(commandHistory.size());
    ReadPreferences(platform.storage, profile, settings, encodedPassword);
    // The defaults of an unreadable profile say nothing about the Run entry: it stays as it is.
    if (unreadableProfile.empty())
        UpdateRunEntry(settings.runOnSystemStartup != 0);
}

void CMainDialog::SaveSettings() {
    // The profile that could not be read at start is left untouched, and so is the Run entry.
    if (!unreadableProfile.empty())
        return;
    if (profileLocation.path.empty())
        profileLocation = FindProfile(platform.storage).location;
    // The whole file is built in memory and written once, at the end.
    WriteFilters(profile, filterList, selectedFilter);
    WriteHistory(profile, commandHistory);
    WritePreferences(platform.storage, profile, settings, encodedPassword);
    UpdateRunEntry(settings.runOnSystemStartup != 0);
    WriteProfile(platform.storage, profileLocation, profile);
}

void CMainDialog::UpdateRunEntry(bool enabled) {
    tandrel::UpdateRunEntry(platform.storage, enabled);
}

}  // namespace tandrel
