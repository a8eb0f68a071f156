// The command line: "/send", "/script", "/targets" and "/open" with their options, read into one request
// that this process carries out or hands to the instance that is already running.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tandrel {

enum class CommandAction { kSend = 1, kScript = 2, kTargets = 3, kOpen = 4 };

// What becomes of the windows of opened sessions (the values of the profile's openArrange).
enum class Arrangement { kLeave = 1, kCascade = 2, kTile = 3 };

struct CommandRequest {
    CommandAction action = CommandAction::kTargets;
    // The command of /send, the file of /script, the pattern of /open; empty for /targets.
    std::wstring text;
    bool filterGiven = false;
    std::wstring filter;      // the filter's name, when given
    bool endWithTab = false;  // /tab: the command ends with Tab instead of Enter
    // /background or /foreground: how this request types, whatever the preference says.
    std::optional<bool> inBackground;
    // /tile, /cascade or /noarrange: what /open does with the windows it opened.
    Arrangement arrangement = Arrangement::kTile;
    bool operator==(const CommandRequest&) const = default;
};

// What a request came to: the process's exit code (0 every target served, 1 some passed over,
// 2 bad arguments or an unknown filter) and the lines reported on the console. For /open: 0 every
// session showed its window, 1 some did not, 2 no saved session matches or no putty.exe.
struct CommandOutcome {
    int exitCode = 0;
    std::vector<std::wstring> lines;
    bool operator==(const CommandOutcome&) const = default;
};

namespace cli {
inline constexpr int kAllServed = 0;
inline constexpr int kSomePassedOver = 1;
inline constexpr int kBadArguments = 2;
// The longest text or name a request carries, in UTF-16 units (what an edit box holds).
inline constexpr std::size_t kMaxTextUnits = 32767;
}  // namespace cli

struct ParsedCommandLine {
    enum class Kind {
        kRunWindow,  // no arguments: the main window, as always
        kRequest,    // a request to carry out
        kHelp,       // "/?": the usage, exit 0
        kError,      // bad arguments: `error` and the usage, exit 2
    };
    Kind kind = Kind::kRunWindow;
    CommandRequest request;
    std::wstring error;
};

// The arguments after the program's name. Switches are case-insensitive and start with "/" or
// "-"; the argument after /send, /script, /open or /filter is taken as it stands, even when it starts
// with "/" itself.
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args);

// The one-line usage.
const std::wstring& CommandLineUsage();

}  // namespace tandrel
