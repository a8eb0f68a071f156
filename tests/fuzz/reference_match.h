// Plain reference readings of the filter language for the differential targets: written for the
// test from the rules alone, as simply as possible, with no care for speed.
#pragma once
#include <string>
#include <string_view>

namespace tandrel::fuzz {

// Whole title against whole pattern, by dynamic programming over prefixes: "*" any run of
// units, "?" exactly one, every other unit itself.
bool ReferenceWildcardMatch(std::wstring_view title, std::wstring_view pattern);

// The definition's verdict for the title: the rule list after the first "||" split at every ";",
// empty rules dropped, each rule trimmed of C-locale white space and read by its first character;
// the title passes when some inclusion pattern matches it and no exclusion pattern does. No "||"
// means no rules.
bool ReferenceTitlePassesFilter(std::wstring_view definition, std::wstring_view title);

}  // namespace tandrel::fuzz
