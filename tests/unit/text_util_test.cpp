#include <gtest/gtest.h>

#include "platform/text_util.h"

namespace tandrel {
namespace {

TEST(ParseWtoi, ReadsLikeTheCLibrary) {
    struct Row {
        const wchar_t* text;
        std::int32_t value;
    };
    const Row rows[] = {
        {L"500", 500},
        {L"  42x", 42},
        {L"-7", -7},
        {L"+3", 3},
        {L"", 0},
        {L"x1", 0},
        {L"\t\n 12 3", 12},
        {L"- 5", 0},
        {L"4294967296", 2147483647},
        {L"65536", 65536},
        {L"-2147483649", -2147483647 - 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ParseWtoi(r.text), r.value) << "text: " << testing::PrintToString(std::wstring(r.text));
}

TEST(TrimWhiteSpace, CutsBothEndsOnly) {
    EXPECT_EQ(TrimWhiteSpace(L"  a b \r\n"), L"a b");
    EXPECT_EQ(TrimWhiteSpace(L" \t "), L"");
    EXPECT_EQ(TrimWhiteSpace(L"x"), L"x");
}

}  // namespace
}  // namespace tandrel
