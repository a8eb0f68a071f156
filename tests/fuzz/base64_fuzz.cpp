// Base64 of the password. The input, taken as text:
// - decodes without harm to characters of 8 bits, as many as the leading run of alphabet
//   characters holds whole bytes, equal to a plain reference decoding;
// - encodes to padded Base64 of the right length, which decodes back to the text reduced to
//   8 bits per UTF-16 unit; and the text encodes the same in the wide form that pairs its
//   surrogates (the native build's);
// - as a password (its UTF-16 units whole), comes back from its Base64 form unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_text.h"
#include "settings/base64.h"

namespace {

constexpr std::wstring_view kAlphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Bit by bit: every alphabet character gives six bits, every eight bits gathered give a byte;
// reading stops at the first character outside the alphabet, and bits short of a byte are lost.
std::wstring ReferenceDecode(std::wstring_view text) {
    std::wstring out;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const wchar_t ch : text) {
        const std::size_t value = kAlphabet.find(ch);
        if (value == std::wstring_view::npos)
            break;
        bits = (bits << 6 | static_cast<std::uint32_t>(value)) & 0xFFFF;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            out.push_back(static_cast<wchar_t>((bits >> bitCount) & 0xFF));
        }
    }
    return out;
}

bool IsPaddedBase64(std::wstring_view e, std::size_t units) {
    if (e.size() != (units + 2) / 3 * 4)
        return false;
    const std::size_t padding = (3 - units % 3) % 3;
    for (std::size_t i = 0; i < e.size(); ++i) {
        const bool isPad = i >= e.size() - padding;
        if (isPad ? e[i] != L'=' : kAlphabet.find(e[i]) == std::wstring_view::npos)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel::fuzz;
    const std::wstring text = TextFromBytes(data, size);

    const std::wstring decoded = tandrel::DecodeBase64(text);
    if (decoded != ReferenceDecode(text))
        Fail("decoding differs from the reference", text, decoded);

    const std::wstring encoded = tandrel::EncodeBase64(text);
    if (!IsPaddedBase64(encoded, text.size()))
        Fail("the encoding is not padded Base64 of the right length", text, encoded);
    std::wstring bytes(text);
    for (wchar_t& ch : bytes) ch = static_cast<wchar_t>(ch & 0xFF);
    if (tandrel::DecodeBase64(encoded) != bytes)
        Fail("decoding the encoding does not give the text's low bytes back", text, encoded);
    if (tandrel::EncodeBase64(WideFromUnits(text)) != encoded)
        Fail("the wide form with paired surrogates encodes otherwise", text, encoded);
    const std::wstring wide = WideFromUnits(text);
    if (tandrel::DecodePassword(tandrel::EncodePassword(wide)) != wide)
        Fail("a password does not come back whole from its Base64 form", text);
    return 0;
}
