#include "platform/text_codec.h"

#include <cstdint>

namespace tandrel {

namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves undefined map to the
// control character of the same number, as the system's own conversion does.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (kWideIsUtf16 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](std::size_t i) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    };
    const std::size_t n = bytes.size() / 2 * 2;
    for (std::size_t i = 0; i < n; i += 2) {
        const char32_t u = unit(i);
        if (!kWideIsUtf16 && u >= 0xD800 && u <= 0xDBFF && i + 2 < n) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00)));
                i += 2;
                continue;
            }
        }
        out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

// Length of the well-formed UTF-8 sequence at `i` and its code point, or 0 when the bytes there
// are not one (overlong forms, surrogates and values above U+10FFFF included).
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i < len)
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = Utf8Sequence(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = Utf8Sequence(bytes, i, cp);
        if (len == 0) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
        } else {
            AppendCodePoint(out, cp);
            i += len;
        }
    }
    return out;
}

std::wstring DecodeAnsi(std::string_view bytes) {
    std::wstring out(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = static_cast<wchar_t>(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b);
    }
    return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::wstring DecodeText(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE"))
        return DecodeUtf16(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF"))
        return DecodeUtf16(bytes.substr(2), true);
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return DecodeUtf8(bytes.substr(3));
    if (IsValidUtf8(bytes))
        return DecodeUtf8(bytes);
    return DecodeAnsi(bytes);
}

std::wstring DecodeUtf16Le(std::string_view bytes) {
    return DecodeUtf16(bytes, false);
}

std::u16string ToUtf16Units(std::wstring_view text) {
    // Sized exactly first: the buffer never moves, so a password leaves no copy behind.
    std::size_t pairs = 0;
    for (const wchar_t ch : text) {
        const auto cp = static_cast<std::uint32_t>(ch);
        if (!kWideIsUtf16 && cp > 0xFFFF)
            ++pairs;
    }
    std::u16string out;
    out.reserve(text.size() + pairs);
    for (const wchar_t ch : text) {
        const auto cp = static_cast<std::uint32_t>(ch);
        if (!kWideIsUtf16 && cp > 0xFFFF && cp <= 0x10FFFF) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            // Beyond U+10FFFF there is no UTF-16 form; such a value cannot come from a file.
            out.push_back(static_cast<char16_t>(cp > 0x10FFFF ? 0xFFFD : cp));
        }
    }
    return out;
}

std::string EncodeUtf16LeWithBom(std::wstring_view text) {
    const std::u16string units = ToUtf16Units(text);
    std::string out;
    out.reserve(2 + units.size() * 2);
    out += "\xFF\xFE";
    for (const char16_t u : units) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

std::u16string Utf16UnitsOf(char32_t codePoint) {
    if (codePoint <= 0xFFFF)
        return std::u16string(1, static_cast<char16_t>(codePoint));
    const char32_t v = codePoint - 0x10000;
    return {static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

}  // namespace tandrel
