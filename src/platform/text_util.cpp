#include "platform/text_util.h"

namespace tandrel {

bool IsWhiteSpace(wchar_t ch) {
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
}

std::int32_t ParseWtoi(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - L'0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::wstring_view TrimWhiteSpace(std::wstring_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsWhiteSpace(text[b])) ++b;
    while (e > b && IsWhiteSpace(text[e - 1])) --e;
    return text.substr(b, e - b);
}

}  // namespace tandrel
