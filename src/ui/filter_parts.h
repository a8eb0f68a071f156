// Stand-in for the filter helpers of targets/filter.h until that file is merged here: the name
// and the rule list of a filter definition.
#pragma once
#include <string>
#include <string_view>

namespace tandrel {

// The text before the first "||"; empty when the definition holds none.
inline std::wstring GetFilterName(std::wstring_view definition) {
    const std::size_t bar = definition.find(L"||");
    return bar == std::wstring_view::npos ? std::wstring() : std::wstring(definition.substr(0, bar));
}

// The text after the first "||"; empty when the definition holds none.
inline std::wstring GetFilterRules(std::wstring_view definition) {
    const std::size_t bar = definition.find(L"||");
    return bar == std::wstring_view::npos ? std::wstring() : std::wstring(definition.substr(bar + 2));
}

}  // namespace tandrel
