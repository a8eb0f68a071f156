#include "settings/base64.h"

#include <cstdint>

#include "settings/text_codec.h"

namespace tandrel {

namespace {

int AlphabetIndex(wchar_t ch) {
    if (ch >= L'A' && ch <= L'Z')
        return ch - L'A';
    if (ch >= L'a' && ch <= L'z')
        return ch - L'a' + 26;
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0' + 52;
    if (ch == L'+')
        return 62;
    if (ch == L'/')
        return 63;
    return -1;
}

}  // namespace

std::wstring EncodeBase64(const std::wstring& text) {
    // One byte per UTF-16 code unit, the same on every platform.
    const std::u16string units = ToUtf16Units(text);
    std::wstring out;
    out.reserve((units.size() + 2) / 3 * 4);
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(units[i] & 0xFF); };
    std::size_t i = 0;
    for (; i + 3 <= units.size(); i += 3) {
        const std::uint32_t v = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(kBase64Alphabet[(v >> 6) & 63]);
        out.push_back(kBase64Alphabet[v & 63]);
    }
    const std::size_t rest = units.size() - i;
    if (rest > 0) {
        const std::uint32_t v = (byte(i) << 16) | (rest == 2 ? byte(i + 1) << 8 : 0u);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : L'=');
        out.push_back(L'=');
    }
    return out;
}

std::wstring DecodeBase64(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() / 4 * 3 + 2);
    std::uint32_t bits = 0;
    int count = 0;  // characters in the current group of four
    for (const wchar_t ch : text) {
        const int index = AlphabetIndex(ch);
        if (index < 0)
            break;
        bits = (bits << 6) | static_cast<std::uint32_t>(index);
        if (++count == 4) {
            out.push_back(static_cast<wchar_t>((bits >> 16) & 0xFF));
            out.push_back(static_cast<wchar_t>((bits >> 8) & 0xFF));
            out.push_back(static_cast<wchar_t>(bits & 0xFF));
            bits = 0;
            count = 0;
        }
    }
    // A last group of two characters holds one byte (12 bits, 4 left over), of three two bytes
    // (18 bits, 2 left over); a single character holds no whole byte.
    if (count == 2) {
        out.push_back(static_cast<wchar_t>((bits >> 4) & 0xFF));
    } else if (count == 3) {
        out.push_back(static_cast<wchar_t>((bits >> 10) & 0xFF));
        out.push_back(static_cast<wchar_t>((bits >> 2) & 0xFF));
    }
    return out;
}

}  // namespace tandrel
