// The program's names and version, as its windows, web addresses and tray tip show them.
#pragma once

namespace tandrel::version {

inline constexpr wchar_t kProductName[] = L"Tandrel";
inline constexpr wchar_t kLongName[] = L"Keyfanner";
inline constexpr wchar_t kDisplayVersion[] = L"1.7";
// The six-digit form (two digits each for major, minor and revision) that the version record
// compares and the web addresses carry as "iv".
inline constexpr wchar_t kInternalVersion[] = L"010700";

}  // namespace tandrel::version
