#include <gtest/gtest.h>

#include "settings/base64.h"

namespace tandrel {
namespace {

struct Pair {
    std::wstring plain;
    std::wstring encoded;
};

// One, two and three characters give four, with two, one or no pads ("f", "fo", "foo").
TEST(EncodeBase64, PadsTheLastGroup) {
    const Pair rows[] = {
        {L"", L""},
        {L"f", L"Zg=="},
        {L"fo", L"Zm8="},
        {L"foo", L"Zm9v"},
        {L"foob", L"Zm9vYg=="},
        {L"fooba", L"Zm9vYmE="},
        {L"foobar", L"Zm9vYmFy"},
        {L"\xFF\xFE\x01", L"//4B"},
        {L"s3cr3t pass", L"czNjcjN0IHBhc3M="},
    };
    for (const Pair& r : rows) EXPECT_EQ(EncodeBase64(r.plain), r.encoded) << testing::PrintToString(r.plain);
}

TEST(DecodeBase64, IsLenient) {
    const Pair rows[] = {
        {L"foobar", L"Zm9vYmFy"},
        {L"foob", L"Zm9vYg=="},
        {L"foob", L"Zm9vYg"},  // padding is not required
        {L"fooba", L"Zm9vYmE"},
        {L"foo", L"Zm9vY"},         // a single last character holds no byte
        {L"foo", L"Zm9v\r\nYmFy"},  // stops at the line break
        {L"foo", L"Zm9v YmFy"},     // and at a blank
        {L"foo", L"Zm9v!YmFy"},
        {L"", L"=Zm9v"},         // "=" is not in the alphabet
        {L"foo", L"Zm9v=YmFy"},  // nor is a pad in the middle
        {L"", L""},
        {L"", L"Z"},
        {L"foo", L"Zm9v\x0100YmFy"},  // a wide character outside the alphabet
        {L"\xFF", L"/w=="},
        {L"\xFB\xFF", L"+/8"},
        {L"f", L"Zh"},  // the bits left over past the last byte are dropped
        {L"fo", L"Zm9"},
        {L"f", L"Zm_9v"},
        {std::wstring(2, L'\0'), L"AAA="},
    };
    for (const Pair& r : rows) {
        EXPECT_EQ(DecodeBase64(r.encoded), r.plain) << testing::PrintToString(r.encoded);
    }
}

TEST(Base64RoundTrip, EveryCharacterFromU0001ToU00FFComesBackUnchanged) {
    std::wstring all;
    for (wchar_t ch = 1; ch <= 0xFF; ++ch) all.push_back(ch);
    for (std::size_t len = 1; len <= 4; ++len) {  // every padding case
        const std::wstring text = all.substr(0, all.size() - all.size() % 3 + len - 1);
        EXPECT_EQ(DecodeBase64(EncodeBase64(text)), text);
    }
    for (wchar_t ch = 1; ch <= 0xFF; ++ch) {
        const std::wstring one(1, ch);
        EXPECT_EQ(DecodeBase64(EncodeBase64(one)), one);
    }
}

TEST(Base64RoundTrip, CharactersAboveU00FFKeepOnlyTheirLowByte) {
    // U+0441 (Cyrillic es) reduces to U+0041, U+20AC (euro) to U+00AC.
    EXPECT_EQ(DecodeBase64(EncodeBase64(L"p\x0441ss\x20AC")), L"pAss\xAC");
    EXPECT_EQ(EncodeBase64(L"\x0141"), EncodeBase64(L"A"));
    // A character beyond U+FFFF is two UTF-16 units, each reduced alike on every platform:
    // U+1F600 is D83D DE00.
    std::wstring grinning;
    if constexpr (sizeof(wchar_t) == 2) {
        grinning = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    } else {
        grinning = {static_cast<wchar_t>(0x1F600)};
    }
    EXPECT_EQ(DecodeBase64(EncodeBase64(grinning)), std::wstring(L"=\0", 2));
}

}  // namespace
}  // namespace tandrel
