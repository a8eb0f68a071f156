#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace tandrel {
namespace {

// U+1F600 as the platform's wide string holds it.
std::wstring Grinning() {
    if constexpr (sizeof(wchar_t) == 2) {
        return {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    } else {
        return {static_cast<wchar_t>(0x1F600)};
    }
}

TEST(DecodeText, ReadsEveryEncodingAProfileMayComeIn) {
    struct Row {
        const char* name;
        std::string bytes;
        std::wstring text;
    };
    const Row rows[] = {
        {"UTF-16LE with mark", std::string("\xFF\xFEk\0=\0\x16\x04\x34\x6C", 10), L"k=\x0416\x6C34"},
        {"UTF-16BE with mark", std::string("\xFE\xFF\0k\0=\x04\x16\x6C\x34", 10), L"k=\x0416\x6C34"},
        {"UTF-16LE surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), Grinning()},
        {"UTF-16LE odd last byte",
         std::string("\xFF\xFE"
                     "a\0b",
                     5),
         L"a"},
        {"UTF-8 with mark", "\xEF\xBB\xBFk=\xD0\x96\xE6\xB0\xB4", L"k=\x0416\x6C34"},
        {"UTF-8 without mark", "k=\xD0\x96\xE6\xB0\xB4", L"k=\x0416\x6C34"},
        {"UTF-8 four bytes", "\xF0\x9F\x98\x80", Grinning()},
        {"UTF-8 mark, broken sequence",
         "\xEF\xBB\xBF"
         "a\xC3(b",
         L"a\xFFFD(b"},
        {"ANSI Latin-1", "caf\xE9=\xFC", L"caf\xE9=\xFC"},
        {"ANSI Windows-1252 range", "\x80\x85\x9F\x81", L"\x20AC\x2026\x0178\x0081"},
        {"ANSI overlong UTF-8 form", "\xC0\xAF", L"\xC0\xAF"},
        {"ANSI encoded surrogate", "\xED\xA0\x80", L"\xED\xA0\x20AC"},
        {"ASCII", "[Tandrel]\r\n", L"[Tandrel]\r\n"},
        {"empty", "", L""},
    };
    for (const Row& r : rows) EXPECT_EQ(DecodeText(r.bytes), r.text) << r.name;
}

TEST(EncodeUtf16LeWithBom, WritesTheMarkThenLittleEndianUnits) {
    EXPECT_EQ(EncodeUtf16LeWithBom(L"k=\x0416"), std::string("\xFF\xFEk\0=\0\x16\x04", 8));
    EXPECT_EQ(EncodeUtf16LeWithBom(Grinning()), std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
    EXPECT_EQ(EncodeUtf16LeWithBom(L""), "\xFF\xFE");
}

TEST(EncodeUtf16LeWithBom, IsReadBackUnchanged) {
    const std::wstring text = L"[Tandrel]\r\nfilter00=\x0421\x0435\x0440\x0432\x0435\x0440\x044B||+*\r\n" +
                              Grinning() + L"\x4E2D\x6587\xE9";
    EXPECT_EQ(DecodeText(EncodeUtf16LeWithBom(text)), text);
}

}  // namespace
}  // namespace tandrel
