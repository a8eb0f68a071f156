// Small text helpers shared by the core: the C library's number reading and white-space trim,
// written once without the platform's locale.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel {

// Reads a decimal number the way _wtoi does: leading white space skipped, an optional sign,
// then digits up to the first non-digit; no digits give 0. Out of range saturates to INT_MAX,
// or INT_MIN below.
std::int32_t ParseWtoi(std::wstring_view text);
// The same reading, but values beyond 32 bits wrap, as the profile functions read numbers.
std::int32_t ParseWrappingDecimal(std::wstring_view text);

// True for the characters iswspace counts as white space in the "C" locale.
bool IsWhiteSpace(wchar_t ch);

// The text without leading and trailing white space.
std::wstring_view TrimWhiteSpace(std::wstring_view text);

}  // namespace tandrel
