// PuTTY's saved sessions by name: the registry's escaped key names read back, and the pattern
// that selects some of them.
#include "platform/diagnostics.h"
#include "sessions/sessions.h"
#include "targets/filter.h"

namespace tandrel {

namespace {

// PuTTY's reading of one hexadecimal digit: "0" to "9" and "A" to "F" as such, any other unit by
// the same arithmetic.
int PuttyHexDigit(wchar_t unit) {
    const int value = static_cast<int>(unit) - L'0';
    return value > 9 ? value - 7 : value;
}

}  // namespace

std::optional<std::string> UnescapeSessionKey(std::wstring_view keyName) {
    std::string bytes;
    for (const wchar_t unit : keyName)
        if (unit > 0x7F)
            return std::nullopt;
    for (std::size_t i = 0; i < keyName.size();) {
        if (keyName[i] == L'%' && i + 2 < keyName.size()) {
            const int value = PuttyHexDigit(keyName[i + 1]) * 16 + PuttyHexDigit(keyName[i + 2]);
            bytes.push_back(static_cast<char>(value & 0xFF));
            i += 3;
        } else {
            bytes.push_back(static_cast<char>(keyName[i]));
            ++i;
        }
    }
    return bytes;
}

std::vector<std::wstring> ListSavedSessions(ILauncher& launcher) {
    std::vector<std::wstring> keys;
    std::vector<std::wstring> sessions;
    if (!launcher.ListSubkeys(std::wstring(kPuttySessionsKey), keys)) {
        Trace(L"No saved PuTTY sessions: the registry key of the sessions cannot be opened");
        return sessions;
    }
    for (const std::wstring& key : keys) {
        const std::optional<std::string> bytes = UnescapeSessionKey(key);
        if (!bytes) {
            Trace(L"A registry key that PuTTY did not name is passed over among the sessions: " + key);
            continue;
        }
        std::wstring name = launcher.FromSystemCodePage(*bytes);
        if (name != kDefaultSettingsName)
            sessions.push_back(std::move(name));
    }
    return sessions;
}

bool SessionPassesPattern(std::wstring_view pattern, std::wstring_view name) {
    std::wstring definition = L"||";
    definition += pattern;
    return TitlePassesFilter(definition, name);
}

}  // namespace tandrel
