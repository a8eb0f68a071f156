// The preferences, named after their profile keys, and the one table that loading, saving and the
// preferences dialog all read. Adding a preference is one member and one row of the table, plus
// its control in the preferences dialog.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tandrel {

struct Settings {
    Settings();  // every value at its default: the table's, set by the constructor

    std::int32_t savePassword{};
    std::int32_t toolWindow{};
    std::int32_t alwaysOnTop{};
    std::int32_t minimizeToSysTray{};
    std::int32_t transition{};     // milliseconds
    std::int32_t windowOpacity{};  // alpha, 50 to 255 through the slider
    std::int32_t autoArrange{};    // 1 off, 2 cascade, 3 tile
    std::int32_t autoMinimize{};
    std::int32_t arrangeOnStartup{};
    std::int32_t unhideOnExit{};
    std::int32_t cascadeWidth{};   // pixels
    std::int32_t cascadeHeight{};  // pixels
    std::int32_t sendCR{};         // the main window's return toggle; not in the preferences dialog
    std::int32_t tabCompletion{};
    std::int32_t cmdhistoryScrollThrough{};
    std::int32_t emulateCopyPaste{};
    std::int32_t runOnSystemStartup{};
    std::int32_t checkForUpdates{};
    std::int32_t typeInBackground{};  // broadcasts by window messages, nothing brought forward
    std::int32_t openArrange{};       // after Open Sessions: 1 leave, 2 cascade, 3 tile

    std::wstring puttyPath;    // the putty.exe that opens saved sessions; empty: looked for
    std::wstring openPattern;  // the last pattern of Open Sessions

    bool operator==(const Settings&) const = default;
};

struct Preference {
    std::wstring_view key;  // in the profile's section
    std::int32_t Settings::*member;
    std::int32_t fallback{};  // the default, and the value of a missing key
};

// Every preference, in the order the profile is written.
std::span<const Preference> Preferences();

// The preferences that hold text, written after the others; their default is empty.
struct TextPreference {
    std::wstring_view key;
    std::wstring Settings::*member;
};
std::span<const TextPreference> TextPreferences();

}  // namespace tandrel
