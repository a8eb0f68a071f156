// The encodings a profile file may come in, and the one it is written in. Strings are wide: UTF-16
// code units where wchar_t has 16 bits (Windows), code points where it has 32 (the native build).
#pragma once
#include <string>
#include <string_view>

namespace tandrel {

// Text of a file's bytes. A byte-order mark decides UTF-16LE, UTF-16BE or UTF-8 (the mark is
// dropped). Without one the bytes are UTF-8 when they are valid UTF-8, else ANSI read as
// Windows-1252. Nothing is refused: a broken UTF-8 sequence after a UTF-8 mark becomes U+FFFD, an
// odd last byte of UTF-16 is dropped, a lone surrogate is kept as it is.
std::wstring DecodeText(std::string_view bytes);

// UTF-16LE bytes without a mark, as above (an odd last byte dropped, surrogates paired where
// wchar_t has 32 bits).
std::wstring DecodeUtf16Le(std::string_view bytes);

// UTF-16LE with a byte-order mark.
std::string EncodeUtf16LeWithBom(std::wstring_view text);

// The text as UTF-16 code units (surrogate pairs for code points above U+FFFF where wchar_t has
// 32 bits), so every platform sees the same units Windows does.
std::u16string ToUtf16Units(std::wstring_view text);
// One code point as UTF-16: beyond 16 bits the high surrogate, then the low one.
std::u16string Utf16UnitsOf(char32_t codePoint);

}  // namespace tandrel
