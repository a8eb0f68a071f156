#include "platform/text_util.h"

#include <algorithm>

namespace tandrel {

bool IsWhiteSpace(wchar_t ch) {
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
}

namespace {

std::int32_t ParseDecimal(std::wstring_view text, bool saturate) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    constexpr std::uint64_t kLimit = 0x80000000u;
    std::uint32_t wrapped = 0;
    std::uint64_t saturated = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        const auto digit = static_cast<std::uint32_t>(text[i] - L'0');
        wrapped = wrapped * 10u + digit;
        saturated = std::min<std::uint64_t>(saturated * 10u + digit, kLimit);
    }
    if (!saturate)
        return static_cast<std::int32_t>(negative ? 0u - wrapped : wrapped);
    if (negative)
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(saturated));
    return static_cast<std::int32_t>(std::min(saturated, kLimit - 1));
}

}  // namespace

std::int32_t ParseWtoi(std::wstring_view text) {
    return ParseDecimal(text, true);
}

std::int32_t ParseWrappingDecimal(std::wstring_view text) {
    return ParseDecimal(text, false);
}

std::wstring_view TrimWhiteSpace(std::wstring_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsWhiteSpace(text[b])) ++b;
    while (e > b && IsWhiteSpace(text[e - 1])) --e;
    return text.substr(b, e - b);
}

}  // namespace tandrel
