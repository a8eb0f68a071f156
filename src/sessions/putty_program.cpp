// putty.exe: where it is found, and the command line that opens one saved session.
#include "sessions/sessions.h"

namespace tandrel {

namespace {

constexpr wchar_t kPuttyFile[] = L"putty.exe";

std::wstring InFolder(std::wstring_view folder, std::wstring_view file) {
    std::wstring path(folder);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    return path + std::wstring(file);
}

// The folders of a PATH value, each without the quotes it may be written in.
std::vector<std::wstring> PathFolders(std::wstring_view path) {
    std::vector<std::wstring> folders;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring_view::npos)
            end = path.size();
        std::wstring folder;
        for (const wchar_t unit : path.substr(start, end - start))
            if (unit != L'"')
                folder += unit;
        if (!folder.empty())
            folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::wstring QuoteArgument(std::wstring_view argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t unit : argument) {
        if (unit == L'\\') {
            ++backslashes;
            continue;
        }
        if (unit == L'"') {
            // Each backslash before a quote doubled, and one more to escape the quote itself.
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += unit;
    }
    // Those before the closing quote doubled, so that it closes.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring PuttyCommandLine(std::wstring_view program, std::wstring_view session) {
    return QuoteArgument(program) + L" -load " + QuoteArgument(session);
}

PuttyLookup FindPutty(ILauncher& launcher, std::wstring_view preferred, std::wstring_view programFolder) {
    std::vector<std::wstring> candidates;
    if (!preferred.empty())
        candidates.emplace_back(preferred);
    if (!programFolder.empty())
        candidates.push_back(InFolder(programFolder, kPuttyFile));
    for (const std::wstring& folder : PathFolders(launcher.EnvironmentVariable(L"PATH")))
        candidates.push_back(InFolder(folder, kPuttyFile));
    for (const wchar_t* variable : {L"ProgramFiles", L"ProgramW6432", L"ProgramFiles(x86)"}) {
        const std::wstring folder = launcher.EnvironmentVariable(variable);
        if (!folder.empty())
            candidates.push_back(InFolder(InFolder(folder, L"PuTTY"), kPuttyFile));
    }
    PuttyLookup lookup;
    for (const std::wstring& candidate : candidates) {
        bool seen = false;
        for (const std::wstring& looked : lookup.lookedAt) seen = seen || looked == candidate;
        if (seen)
            continue;
        lookup.lookedAt.push_back(candidate);
        if (launcher.FileExists(candidate)) {
            lookup.found = candidate;
            break;
        }
    }
    return lookup;
}

}  // namespace tandrel
