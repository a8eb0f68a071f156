#include "settings/base64.h"

#include <cstdint>

#include "platform/secret_text.h"
#include "platform/text_codec.h"

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

// Base64 of `count` bytes, byte(i) giving the i-th.
template <typename ByteAt>
std::wstring Encode(std::size_t count, ByteAt byte) {
    std::wstring out;
    out.reserve((count + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        const std::uint32_t v = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(kBase64Alphabet[(v >> 6) & 63]);
        out.push_back(kBase64Alphabet[v & 63]);
    }
    const std::size_t rest = count - i;
    if (rest > 0) {
        const std::uint32_t v = (byte(i) << 16) | (rest == 2 ? byte(i + 1) << 8 : 0u);
        out.push_back(kBase64Alphabet[(v >> 18) & 63]);
        out.push_back(kBase64Alphabet[(v >> 12) & 63]);
        out.push_back(rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : L'=');
        out.push_back(L'=');
    }
    return out;
}

// The bytes of the text, each handed to `put`; `out` is reserved for all of them first, so it
// never moves (and leaves no copy behind) while it fills.
template <typename Out>
Out Decode(std::wstring_view text) {
    Out out;
    out.reserve(text.size() / 4 * 3 + 2);
    const auto put = [&out](std::uint32_t b) {
        out.push_back(static_cast<typename Out::value_type>(b & 0xFF));
    };
    std::uint32_t bits = 0;
    int count = 0;  // characters in the current group of four
    for (const wchar_t ch : text) {
        const int index = AlphabetIndex(ch);
        if (index < 0)
            break;
        bits = (bits << 6) | static_cast<std::uint32_t>(index);
        if (++count == 4) {
            put(bits >> 16);
            put(bits >> 8);
            put(bits);
            bits = 0;
            count = 0;
        }
    }
    // A last group of two characters holds one byte (12 bits, 4 left over), of three two bytes
    // (18 bits, 2 left over); a single character holds no whole byte.
    if (count == 2) {
        put(bits >> 4);
    } else if (count == 3) {
        put(bits >> 10);
        put(bits >> 2);
    }
    return out;
}

}  // namespace

std::wstring EncodeBase64(const std::wstring& text) {
    // One byte per UTF-16 code unit, the same on every platform.
    std::u16string units = ToUtf16Units(text);
    ScopedWipe wipe(units);
    return Encode(units.size(), [&](std::size_t i) { return static_cast<std::uint32_t>(units[i] & 0xFF); });
}

std::wstring DecodeBase64(const std::wstring& text) {
    return Decode<std::wstring>(text);
}

std::wstring EncodeBase64Bytes(std::string_view bytes) {
    return Encode(bytes.size(), [&](std::size_t i) { return static_cast<std::uint32_t>(bytes[i] & 0xFF); });
}

std::string DecodeBase64Bytes(std::wstring_view text) {
    return Decode<std::string>(text);
}

std::wstring EncodePassword(const std::wstring& plain) {
    std::u16string units = ToUtf16Units(plain);
    ScopedWipe wipe(units);
    return Encode(units.size() * 2, [&](std::size_t i) {
        return static_cast<std::uint32_t>((i % 2 == 0 ? units[i / 2] : units[i / 2] >> 8) & 0xFF);
    });
}

std::wstring DecodePassword(const std::wstring& encoded) {
    std::string bytes = DecodeBase64Bytes(encoded);
    ScopedWipe wipe(bytes);
    return DecodeUtf16Le(bytes);
}

}  // namespace tandrel
