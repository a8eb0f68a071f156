// Filter definitions: one string "name||rules", where the rules are ";"-separated inclusion
// ("+" or no prefix) and exclusion ("-") patterns with "*" and "?" wildcards, matched
// case-sensitively against a whole window title.
#pragma once
#include <string>
#include <string_view>

namespace tandrel {

// The filter every fresh profile starts with; it passes every terminal window.
inline constexpr std::wstring_view kBuiltInFilter = L"All PuTTYs||+*";

// The text before the first "||"; empty when the definition holds no "||".
std::wstring GetFilterName(std::wstring_view definition);

// The text after the first "||"; empty when the definition holds no "||".
std::wstring GetFilterRules(std::wstring_view definition);

// True when the title passes the filter: at least one inclusion pattern matches and no exclusion
// pattern does. A definition without "||" has no rules and passes nothing. Allocates nothing.
bool TitlePassesFilter(std::wstring_view definition, std::wstring_view title);

// True when the whole title matches the whole pattern ("*" any run, "?" exactly one unit).
// One forward pass with one remembered backtracking point; no recursion, no allocation.
bool WildcardMatch(std::wstring_view title, std::wstring_view pattern);

}  // namespace tandrel
