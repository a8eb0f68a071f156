#include "cli/command_line.h"

#include <cwctype>
#include <optional>

#include "platform/text_codec.h"

namespace tandrel {

namespace {

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    return out;
}

ParsedCommandLine Error(std::wstring message) {
    ParsedCommandLine p;
    p.kind = ParsedCommandLine::Kind::kError;
    p.error = std::move(message);
    return p;
}

constexpr wchar_t kOnlyOne[] = L"give only one of /send, /script, /targets and /open";

bool TooLong(std::wstring_view text) {
    return ToUtf16Units(text).size() > cli::kMaxTextUnits;
}

}  // namespace

const std::wstring& CommandLineUsage() {
    static const std::wstring usage =
        L"usage: tandrel.exe /send \"text\" [/filter \"name\"] [/tab] [/background | /foreground] | /script "
        L"\"file.tdl\" [/filter \"name\"] [/background | /foreground] | /targets [/filter \"name\"] | /open "
        L"\"pattern\" [/tile | /cascade | /noarrange]";
    return usage;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    ParsedCommandLine parsed;
    if (args.empty())
        return parsed;
    std::optional<CommandAction> action;
    CommandRequest& r = parsed.request;
    bool tab = false;
    std::optional<Arrangement> arrangement;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-'))
            return Error(L"unexpected argument \"" + arg + L"\"");
        const std::wstring name = Lower(std::wstring_view(arg).substr(1));
        if (name == L"?" || name == L"help") {
            parsed.kind = ParsedCommandLine::Kind::kHelp;
            return parsed;
        }
        if (name == L"tab") {
            if (tab)
                return Error(L"/tab given twice");
            tab = true;
            continue;
        }
        if (name == L"background" || name == L"foreground") {
            if (r.inBackground)
                return Error(L"give only one of /background and /foreground");
            r.inBackground = name == L"background";
            continue;
        }
        if (name == L"tile" || name == L"cascade" || name == L"noarrange") {
            if (arrangement)
                return Error(L"give only one of /tile, /cascade and /noarrange");
            arrangement = name == L"tile"      ? Arrangement::kTile
                          : name == L"cascade" ? Arrangement::kCascade
                                               : Arrangement::kLeave;
            continue;
        }
        if (name == L"targets") {
            if (action)
                return Error(kOnlyOne);
            action = CommandAction::kTargets;
            continue;
        }
        if (name != L"send" && name != L"script" && name != L"open" && name != L"filter")
            return Error(L"unknown switch \"" + arg + L"\"");
        if (i + 1 >= args.size())
            return Error(arg + L" needs a value");
        const std::wstring& value = args[++i];
        if (TooLong(value))
            return Error(arg + L" is longer than 32767 characters");
        if (value.find(L'\0') != std::wstring::npos)
            return Error(arg + L" holds a NUL character");
        if (name == L"filter") {
            if (r.filterGiven)
                return Error(L"/filter given twice");
            r.filterGiven = true;
            r.filter = value;
            continue;
        }
        if (action)
            return Error(kOnlyOne);
        action = name == L"send"   ? CommandAction::kSend
                 : name == L"open" ? CommandAction::kOpen
                                   : CommandAction::kScript;
        if (*action == CommandAction::kScript && value.empty())
            return Error(L"/script needs a file");
        if (*action == CommandAction::kOpen && value.empty())
            return Error(L"/open needs a pattern");
        r.text = value;
    }
    if (!action)
        return Error(L"give one of /send, /script, /targets and /open");
    if (tab && *action != CommandAction::kSend)
        return Error(L"/tab goes with /send only");
    if (r.inBackground && (*action == CommandAction::kTargets || *action == CommandAction::kOpen))
        return Error(L"/background and /foreground go with /send or /script");
    if (arrangement && *action != CommandAction::kOpen)
        return Error(L"/tile, /cascade and /noarrange go with /open only");
    if (r.filterGiven && *action == CommandAction::kOpen)
        return Error(L"/filter does not go with /open");
    r.action = *action;
    r.arrangement = arrangement.value_or(Arrangement::kTile);
    r.endWithTab = tab;
    parsed.kind = ParsedCommandLine::Kind::kRequest;
    return parsed;
}

}  // namespace tandrel
