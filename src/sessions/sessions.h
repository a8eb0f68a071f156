// PuTTY's saved sessions: their names as PuTTY keeps them in the registry, the ones a pattern
// selects, the putty.exe that opens them and its command line, and the opening itself, which
// waits for each session's terminal window.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/launcher.h"
#include "platform/window_system.h"

namespace tandrel {

// Where PuTTY keeps its saved sessions, under HKEY_CURRENT_USER: one subkey each.
inline constexpr std::wstring_view kPuttySessionsKey = L"Software\\SimonTatham\\PuTTY\\Sessions";
// PuTTY's defaults, kept beside the sessions but not one of them.
inline constexpr std::wstring_view kDefaultSettingsName = L"Default Settings";

// The bytes of a session's name from the name of its registry key, undoing PuTTY's escapes: each
// "%" followed by two more units stands for the byte they spell in hexadecimal (upper-case
// digits as PuTTY writes them; other units are read by PuTTY's own arithmetic), every other unit
// for itself. None when the key's name holds a unit beyond ASCII, which PuTTY never writes.
std::optional<std::string> UnescapeSessionKey(std::wstring_view keyName);

// The names of the saved sessions, in the registry's order, "Default Settings" left out; each
// name's bytes read in the system's code page. Empty when PuTTY has saved none.
std::vector<std::wstring> ListSavedSessions(ILauncher& launcher);

// True when the session's name passes the pattern by a filter's rules ("web*;-web03").
bool SessionPassesPattern(std::wstring_view pattern, std::wstring_view name);

// One argument of a command line quoted so that CommandLineToArgvW (and the C runtime) read it
// back whole: in double quotes, each run of backslashes before a quote (or the closing quote)
// doubled, each quote escaped with a backslash.
std::wstring QuoteArgument(std::wstring_view argument);

// putty.exe's command line for the session: the program, "-load" and the session's name.
std::wstring PuttyCommandLine(std::wstring_view program, std::wstring_view session);

// Where putty.exe was looked for, and the file found (empty when none was).
struct PuttyLookup {
    std::wstring found;
    std::vector<std::wstring> lookedAt;
};

// putty.exe: the file `preferred` names when it is set, else putty.exe beside tandrel.exe
// (`programFolder`, with its trailing separator), else in a folder of PATH, else under the
// Program Files folders' PuTTY\.
PuttyLookup FindPutty(ILauncher& launcher, std::wstring_view preferred, std::wstring_view programFolder);

// The wait for each started session's window, bounded in all.
inline constexpr std::uint32_t kSessionWindowWaitMs = 15000;
inline constexpr std::uint32_t kSessionWindowPollMs = 100;
// How long the shown windows are watched for an error box of their own once every one is there.
inline constexpr std::uint32_t kSessionSettleMs = 1000;

struct OpenedSessions {
    std::vector<WindowId> windows;  // the sessions' terminal windows, in the order opened
    // The sessions whose window did not appear, or that show a message box (a host that refuses)
    // or ask a question instead.
    std::vector<std::wstring> missed;
};

// Starts putty.exe once for each session, without a shell, then waits (kSessionWindowWaitMs in
// all) until each started process shows a top-level terminal window, and watches them for a
// dialog box (kSessionSettleMs).
OpenedSessions OpenSessions(ILauncher& launcher, IWindowSystem& windows, IClock& clock,
                            const std::wstring& putty, const std::vector<std::wstring>& sessions);

}  // namespace tandrel
