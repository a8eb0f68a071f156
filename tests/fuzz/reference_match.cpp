#include "fuzz/reference_match.h"

#include <vector>

namespace tandrel::fuzz {

namespace {

bool IsCWhiteSpace(wchar_t ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\v' || ch == L'\f' || ch == L'\r';
}

std::wstring Trim(const std::wstring& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsCWhiteSpace(s[b])) ++b;
    while (e > b && IsCWhiteSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

}  // namespace

bool ReferenceWildcardMatch(std::wstring_view title, std::wstring_view pattern) {
    // matches[j]: the title read so far matches the first j units of the pattern.
    std::vector<bool> matches(pattern.size() + 1, false);
    matches[0] = true;
    for (std::size_t j = 1; j <= pattern.size(); ++j) matches[j] = matches[j - 1] && pattern[j - 1] == L'*';
    for (const wchar_t unit : title) {
        std::vector<bool> next(pattern.size() + 1, false);
        for (std::size_t j = 1; j <= pattern.size(); ++j) {
            const wchar_t p = pattern[j - 1];
            if (p == L'*')
                next[j] = next[j - 1] || matches[j];  // the star takes nothing more, or this unit too
            else
                next[j] = matches[j - 1] && (p == L'?' || p == unit);
        }
        matches = std::move(next);
    }
    return matches[pattern.size()];
}

bool ReferenceTitlePassesFilter(std::wstring_view definition, std::wstring_view title) {
    const std::size_t separator = definition.find(L"||");
    if (separator == std::wstring_view::npos)
        return false;
    std::vector<std::wstring> rules(1);
    for (const wchar_t ch : definition.substr(separator + 2)) {
        if (ch == L';')
            rules.emplace_back();
        else
            rules.back().push_back(ch);
    }
    bool someInclusionMatches = false;
    bool someExclusionMatches = false;
    for (const std::wstring& raw : rules) {
        if (raw.empty())
            continue;
        const std::wstring rule = Trim(raw);
        if (!rule.empty() && rule[0] == L'-') {
            someExclusionMatches = someExclusionMatches || ReferenceWildcardMatch(title, rule.substr(1));
        } else if (!rule.empty() && rule[0] == L'+') {
            someInclusionMatches = someInclusionMatches || ReferenceWildcardMatch(title, rule.substr(1));
        } else {
            someInclusionMatches = someInclusionMatches || ReferenceWildcardMatch(title, rule);
        }
    }
    return someInclusionMatches && !someExclusionMatches;
}

}  // namespace tandrel::fuzz
