#include "targets/filter.h"

#include "platform/text_util.h"

namespace tandrel {

namespace {

constexpr std::wstring_view kSeparator = L"||";

}  // namespace

std::wstring GetFilterName(std::wstring_view definition) {
    const std::size_t at = definition.find(kSeparator);
    if (at == std::wstring_view::npos)
        return {};
    return std::wstring(definition.substr(0, at));
}

std::wstring GetFilterRules(std::wstring_view definition) {
    const std::size_t at = definition.find(kSeparator);
    if (at == std::wstring_view::npos)
        return {};
    return std::wstring(definition.substr(at + kSeparator.size()));
}

bool TitlePassesFilter(std::wstring_view definition, std::wstring_view title) {
    const std::size_t at = definition.find(kSeparator);
    if (at == std::wstring_view::npos)
        return false;
    const std::wstring_view rules = definition.substr(at + kSeparator.size());

    bool included = false;
    bool excluded = false;
    std::size_t ruleStart = 0;
    // The end of the rule list ends the last rule just as a ";" would.
    for (std::size_t i = 0; i <= rules.size(); ++i) {
        if (i < rules.size() && rules[i] != L';')
            continue;
        const std::wstring_view raw = rules.substr(ruleStart, i - ruleStart);
        ruleStart = i + 1;
        if (raw.empty())
            continue;
        const std::wstring_view rule = TrimWhiteSpace(raw);
        if (!rule.empty() && rule.front() == L'-') {
            if (!excluded)
                excluded = WildcardMatch(title, rule.substr(1));
        } else if (!rule.empty() && rule.front() == L'+') {
            if (!included)
                included = WildcardMatch(title, rule.substr(1));
        } else if (!included) {
            included = WildcardMatch(title, rule);
        }
    }
    return included && !excluded;
}

bool WildcardMatch(std::wstring_view title, std::wstring_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;

    // Up to the first "*" every pattern unit must match its title unit.
    while (t < title.size() && (p >= pattern.size() || pattern[p] != L'*')) {
        if (p >= pattern.size() || (pattern[p] != L'?' && pattern[p] != title[t]))
            return false;
        ++t;
        ++p;
    }

    // From here on the pattern stands at a "*" (or the title has ended), so a backtracking
    // point is remembered before it is ever needed.
    std::size_t starNext = p;   // pattern position just after the last "*"
    std::size_t titleNext = t;  // title position the last "*" will swallow up to next
    while (t < title.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            ++p;
            if (p == pattern.size())
                return true;
            starNext = p;
            titleNext = t + 1;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == title[t])) {
            ++t;
            ++p;
        } else {
            p = starNext;
            t = titleNext;
            ++titleNext;
        }
    }

    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace tandrel
