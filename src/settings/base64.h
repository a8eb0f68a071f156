// The Base64 forms in which the password is held and was once stored.
#pragma once
#include <string>
#include <string_view>

namespace tandrel {

// The standard alphabet with "=" padding, one process-wide constant.
inline constexpr wchar_t kBase64Alphabet[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Base64 of the text taken one byte per character: the low 8 bits of each UTF-16 code unit, so
// a character above U+00FF loses its high byte. Padded, never broken into lines. The form an
// earlier version stored the password in.
std::wstring EncodeBase64(const std::wstring& text);

// The inverse, lenient: decoding stops at the first character outside the alphabet ("=", blanks
// and line breaks included) and keeps what came before; a last group of two or three characters
// gives one or two bytes, a last single character nothing. Each byte becomes the character with
// that code. Never fails.
std::wstring DecodeBase64(const std::wstring& text);

// The same two over bytes.
std::wstring EncodeBase64Bytes(std::string_view bytes);
std::string DecodeBase64Bytes(std::wstring_view text);

// The form in which the main window holds the password: Base64 of its UTF-16LE code units, so
// every character comes back whole. Decoding drops an odd last byte. Every buffer that held the
// plain text on the way is wiped before it is freed.
std::wstring EncodePassword(const std::wstring& plain);
std::wstring DecodePassword(const std::wstring& encoded);

}  // namespace tandrel
