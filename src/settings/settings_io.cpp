#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/diagnostics.h"
#include "platform/secret_text.h"
#include "settings/base64.h"
#include "settings/settings_io.h"
#include "targets/filter.h"

namespace tandrel {

namespace {

constexpr std::wstring_view kSection = kProfileSection;
constexpr std::wstring_view kRunValueName = L"Tandrel";
// The saved password, protected for the user (Base64 of what CryptProtectData made of its
// UTF-16LE bytes); "password" held the Base64 of its low bytes in earlier versions.
constexpr std::wstring_view kProtectedPasswordKey = L"protectedPassword";
constexpr std::wstring_view kOldPasswordKey = L"password";
constexpr std::size_t kSlots = 100;

// "filter%02d" and "cmdhistory%02d".
std::wstring SlotKey(std::wstring_view stem, std::size_t n) {
    std::wstring key(stem);
    key += static_cast<wchar_t>(L'0' + n / 10);
    key += static_cast<wchar_t>(L'0' + n % 10);
    return key;
}

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

// The saved password in the form the main window holds it (EncodePassword), or empty.
std::wstring ReadSavedPassword(IStorage& storage, const IniStore& profile) {
    const std::wstring sealed = profile.GetString(kSection, kProtectedPasswordKey, L"");
    if (!sealed.empty()) {
        // Protected for another user, or on another machine: there is no password.
        std::string plain;
        ScopedWipe wipe(plain);
        return storage.UnprotectForUser(DecodeBase64Bytes(sealed), plain) ? EncodeBase64Bytes(plain) : L"";
    }
    // The form of an earlier version, replaced at the next save.
    std::wstring old = DecodeBase64(profile.GetString(kSection, kOldPasswordKey, L""));
    ScopedWipe wipe(old);
    return old.empty() ? L"" : EncodePassword(old);
}

// A stored password that this user cannot unprotect: one kept by the same profile for another
// account or on another machine (a portable profile goes with its folder).
bool SealedForSomeoneElse(IStorage& storage, const std::wstring& sealed) {
    if (sealed.empty())
        return false;
    std::string plain;
    ScopedWipe wipe(plain);
    return !storage.UnprotectForUser(DecodeBase64Bytes(sealed), plain);
}

// What is stored of the password the main window holds: protected for the user, or nothing when
// it cannot be protected (it is never written in a form anyone could read). Without a password
// of this run, one stored for someone else is kept as it is, for them.
std::wstring SealPassword(IStorage& storage, const std::wstring& encoded, const std::wstring& stored) {
    if (encoded.empty())
        return SealedForSomeoneElse(storage, stored) ? stored : std::wstring();
    std::string plain = DecodeBase64Bytes(encoded);
    ScopedWipe wipe(plain);
    std::string sealed;
    return storage.ProtectForUser(plain, sealed) ? EncodeBase64Bytes(sealed) : L"";
}

}  // namespace

void ReadFilters(const IniStore& profile, std::vector<std::wstring>& filters, std::int32_t& selected) {
    ReadSlots(profile, L"filter", filters);
    if (filters.empty()) {
        filters.emplace_back(kBuiltInFilter);
        selected = 0;
    } else {
        selected = profile.GetInt(kSection, L"filter", 0);
        if (selected < 0 || static_cast<std::size_t>(selected) >= filters.size()) {
            selected = 0;
        }
    }
}

void WriteFilters(IniStore& profile, const std::vector<std::wstring>& filters, std::int32_t selected) {
    WriteSlots(profile, L"filter", filters);
    profile.SetInt(kSection, L"filter", selected);
}

void ReadHistory(const IniStore& profile, std::vector<std::wstring>& history) {
    ReadSlots(profile, L"cmdhistory", history);
}

void WriteHistory(IniStore& profile, const std::vector<std::wstring>& history) {
    WriteSlots(profile, L"cmdhistory", history);
}

void ReadPreferences(IStorage& storage, const IniStore& profile, Settings& settings,
                     std::wstring& encodedPassword) {
    for (const Preference& p : Preferences())
        settings.*p.member = profile.GetInt(kSection, p.key, p.fallback);
    for (const TextPreference& p : TextPreferences())
        settings.*p.member = profile.GetString(kSection, p.key, L"");
    encodedPassword = settings.savePassword != 0 ? ReadSavedPassword(storage, profile) : std::wstring();
}

void WritePreferences(IStorage& storage, IniStore& profile, const Settings& settings,
                      const std::wstring& encodedPassword) {
    for (const Preference& p : Preferences()) {
        profile.SetInt(kSection, p.key, settings.*p.member);
        if (p.member != &Settings::savePassword)
            continue;
        // The password follows the preference that keeps it. Without savePassword the stored
        // password is erased; the one in memory stays for this run. The form of earlier versions
        // is erased either way.
        profile.SetString(kSection, kOldPasswordKey, L"");
        const std::wstring stored = profile.GetString(kSection, kProtectedPasswordKey, L"");
        profile.SetString(
            kSection, kProtectedPasswordKey,
            settings.savePassword != 0 ? SealPassword(storage, encodedPassword, stored) : std::wstring());
    }
    for (const TextPreference& p : TextPreferences()) profile.SetString(kSection, p.key, settings.*p.member);
}

std::optional<WindowPlace> ReadTargetsWindowPlace(const IniStore& profile) {
    // A corner that is not a number on both axes is no place: the window opens where the
    // system puts it.
    if (profile.GetString(kProfileSection, L"targetsWindowX", L"").empty() ||
        profile.GetString(kProfileSection, L"targetsWindowY", L"").empty())
        return std::nullopt;
    return WindowPlace{profile.GetInt(kProfileSection, L"targetsWindowX", 0),
                       profile.GetInt(kProfileSection, L"targetsWindowY", 0)};
}

void WriteTargetsWindowPlace(IniStore& profile, WindowPlace place) {
    profile.SetInt(kProfileSection, L"targetsWindowX", place.x);
    profile.SetInt(kProfileSection, L"targetsWindowY", place.y);
}

void UpdateRunEntry(IStorage& storage, bool enabled) {
    // A Run key that cannot be opened, or a path that cannot be fetched, leaves the entry as it
    // is; nothing is reported.
    if (enabled) {
        // Quoted: unquoted, "D:\Shared Tools\tandrel.exe" would be tried as "D:\Shared.exe"
        // first. The unquoted value an earlier version wrote is replaced.
        const std::wstring path = storage.ExecutablePath();
        if (path.empty())
            Trace(L"The Run entry is left as it is: the executable's path is unknown");
        else if (!storage.SetRunValue(std::wstring(kRunValueName), L"\"" + path + L"\""))
            Trace(L"The Run entry could not be set");
    } else if (!storage.DeleteRunValue(std::wstring(kRunValueName))) {
        Trace(L"The Run entry could not be removed");
    }
}

void WriteProfile(IStorage& storage, const ProfileLocation& location, const IniStore& profile) {
    // Nowhere to write (no executable path and no %APPDATA%): the values live on in memory only,
    // as they do when the write fails. Neither is reported.
    if (location.path.empty()) {
        Trace(L"The profile has nowhere to be written");
        return;
    }
    if (!location.folder.empty())
        storage.CreateFolder(location.folder);
    if (!storage.WriteFileAtomically(location.path, profile.Serialize()))
        Trace(L"The profile could not be written: " + location.path);
}

}  // namespace tandrel
