// The Base64 form in which the password is held and stored.
#pragma once
#include <string>

namespace tandrel {

// The standard alphabet with "=" padding, one process-wide constant.
inline constexpr wchar_t kBase64Alphabet[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Base64 of the text taken one byte per character: the low 8 bits of each UTF-16 code unit, so
// a character above U+00FF loses its high byte. Padded, never broken into lines.
std::wstring EncodeBase64(const std::wstring& text);

// The inverse, lenient: decoding stops at the first character outside the alphabet ("=", blanks
// and line breaks included) and keeps what came before; a last group of two or three characters
// gives one or two bytes, a last single character nothing. Each byte becomes the character with
// that code. Never fails.
std::wstring DecodeBase64(const std::wstring& text);

}  // namespace tandrel
