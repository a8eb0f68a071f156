// Filter definitions and wildcard matching, row by row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "targets/filter.h"

namespace tandrel {
namespace {

struct VerdictRow {
    std::wstring definition;
    std::wstring title;
    bool passes;
};

std::string Describe(const VerdictRow& r) {
    return std::string("definition [") + std::string(r.definition.begin(), r.definition.end()) + "] title [" +
           std::string(r.title.begin(), r.title.end()) + "]";
}

TEST(TitlePassesFilter, EveryRowOfTheTable) {
    const std::vector<VerdictRow> rows = {
        {L"All PuTTYs||+*", L"", true},
        {L"All PuTTYs||+*", L"root@db1: ~", true},
        {L"All PuTTYs||+*", L" ", true},
        {L"Web||+web*;-*test*", L"web01", true},
        {L"Web||+web*;-*test*", L"web-test", false},
        {L"Web||+web*;-*test*", L"Web01", false},
        {L"Old||-*old*", L"old", false},
        {L"Old||-*old*", L"web01", false},
        {L"Old||-*old*", L"", false},
        {L"Two||+a;;+b;", L"a", true},
        {L"Two||+a;;+b;", L"b", true},
        {L"Two||+a;;+b;", L"c", false},
        {L"Two||+a;+b", L"a", true},
        {L"Two||+a;+b", L"b", true},
        {L"Two||+a;+b", L"c", false},
        {L"Two||;+a", L"a", true},
        {L"Pad||  +db*  ;  -*backup  ", L"db1", true},
        {L"Pad||  +db*  ;  -*backup  ", L"db-backup", false},
        {L"Pad||  +db*  ;  -*backup  ", L"  db1", false},
        {L"Gap||+ db*", L"db1", false},
        {L"Gap||+ db*", L" db1", true},
        {L"Bare||db1", L"db1", true},
        {L"Bare||db1", L"db10", false},
        {L"Tabs||\t+db*\t;\r\n-*x", L"db1", true},
        {L"Tabs||\t+db*\t;\r\n-*x", L"db1x", false},
    };
    for (const VerdictRow& r : rows) {
        EXPECT_EQ(TitlePassesFilter(r.definition, r.title), r.passes) << Describe(r);
    }
}

TEST(TitlePassesFilter, ExclusionWinsWhateverTheOrderOfRules) {
    EXPECT_FALSE(TitlePassesFilter(L"Web||-*test*;+web*", L"web-test"));
    EXPECT_FALSE(TitlePassesFilter(L"Web||+nomatch;-*test*;+web*;+*", L"web-test"));
    EXPECT_TRUE(TitlePassesFilter(L"Web||-*test*;+nomatch;+web*", L"web01"));
}

TEST(TitlePassesFilter, RulesOfOnlyAPrefixOrOnlyBlanksHaveTheEmptyPattern) {
    const std::vector<VerdictRow> rows = {
        {L"Plus||+", L"", true},      {L"Plus||+", L"x", false},      {L"Blank||   ", L"", true},
        {L"Blank||   ", L"x", false}, {L"Blank||+*;  ;", L"x", true}, {L"Minus||+*;-", L"", false},
        {L"Minus||+*;-", L"x", true}, {L"Minus||-", L"", false},
    };
    for (const VerdictRow& r : rows) {
        EXPECT_EQ(TitlePassesFilter(r.definition, r.title), r.passes) << Describe(r);
    }
}

TEST(TitlePassesFilter, ADefinitionWithoutSeparatorPassesNothing) {
    for (const wchar_t* definition : {L"+*", L"*", L"web*", L"Single|+*", L""}) {
        for (const wchar_t* title : {L"", L"web01", L"*"}) {
            EXPECT_FALSE(TitlePassesFilter(definition, title));
        }
    }
}

TEST(TitlePassesFilter, OnlyTheFirstSeparatorEndsTheName) {
    EXPECT_TRUE(TitlePassesFilter(L"A||+x||y", L"x||y"));
    EXPECT_FALSE(TitlePassesFilter(L"A||+x||y", L"y"));
    EXPECT_TRUE(TitlePassesFilter(L"|||+*", L"|+"));  // the rule is "|+*", a pattern without prefix
    EXPECT_FALSE(TitlePassesFilter(L"|||+*", L"+"));
}

TEST(FilterPieces, NameAndRulesSplitAtTheFirstSeparator) {
    struct Row {
        std::wstring definition, name, rules;
    };
    const std::vector<Row> rows = {
        {L"All PuTTYs||+*", L"All PuTTYs", L"+*"},
        {L"Web||+web*;-*test*", L"Web", L"+web*;-*test*"},
        {L"||+*", L"", L"+*"},
        {L"Name||", L"Name", L""},
        {L"A||B||C", L"A", L"B||C"},
        {L"NoSeparator", L"", L""},
        {L"One|bar", L"", L""},
        {L"", L"", L""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GetFilterName(r.definition), r.name);
        EXPECT_EQ(GetFilterRules(r.definition), r.rules);
    }
}

TEST(FilterPieces, TheBuiltInFilterIsTheFreshProfilesOne) {
    EXPECT_EQ(GetFilterName(kBuiltInFilter), L"All PuTTYs");
    EXPECT_TRUE(TitlePassesFilter(kBuiltInFilter, L""));
    EXPECT_TRUE(TitlePassesFilter(kBuiltInFilter, L"anything ;-*"));
}

struct MatchRow {
    std::wstring pattern;
    std::wstring title;
    bool matches;
};

TEST(WildcardMatch, EveryRowOfTheTableAndTheResultsBelowIt) {
    const std::vector<MatchRow> rows = {
        // The table.
        {L"a*b", L"ab", true},
        {L"a*b", L"axxb", true},
        {L"a*b", L"axxbc", false},
        {L"a?c", L"abc", true},
        {L"**", L"", true},
        {L"*?", L"", false},
        {L"a?", L"a", false},
        {L"*ab", L"abab", true},
        // Only "*": every title, the empty one too.
        {L"*", L"", true},
        {L"*", L"x", true},
        {L"***", L"abc", true},
        {L"**", L"abc", true},
        // The empty pattern matches only the empty title.
        {L"", L"", true},
        {L"", L"x", false},
        // "?" is exactly one unit, never none.
        {L"?", L"", false},
        {L"?", L"x", true},
        {L"?", L"xy", false},
        {L"x*?", L"x", false},
        {L"x*?", L"xy", true},
        // Whole title against whole pattern, unit by unit, case counting.
        {L"abc", L"ab", false},
        {L"ab", L"abc", false},
        {L"Web*", L"web01", false},
        {L"web 0?", L"web 01", true},
        {L"web 0?", L"web01", false},
        // Backtracking over repeated prefixes.
        {L"*aab", L"aaab", true},
        {L"*.log", L"x.log.log", true},
        {L"a*b*c", L"a-b-b-c", true},
        {L"a*b*c", L"a-b-b-", false},
        {L"*a*", L"bbb", false},
        {L"*a*", L"bab", true},
        {L"*?*?*", L"ab", true},
        {L"*?*?*", L"a", false},
        {L"*x*y", L"xyxyz", false},
        {L"*x*y", L"zxzzyxy", true},
        {L"*?b", L"ab", true},
        {L"*?b", L"b", false},
    };
    for (const MatchRow& r : rows) {
        EXPECT_EQ(WildcardMatch(r.title, r.pattern), r.matches)
            << "pattern [" << std::string(r.pattern.begin(), r.pattern.end()) << "] title ["
            << std::string(r.title.begin(), r.title.end()) << "]";
    }
}

TEST(WildcardMatch, NonAsciiUnitsCompareAsThemselves) {
    EXPECT_TRUE(WildcardMatch(L"\u00e9cole-01", L"\u00e9cole-*"));
    EXPECT_FALSE(WildcardMatch(L"\u00c9cole-01", L"\u00e9cole-*"));
    EXPECT_TRUE(WildcardMatch(L"\u043f\u0440\u043e\u0434", L"\u043f?\u043e*"));
}

TEST(WildcardMatch, LongTitlesMatchWithoutRecursion) {
    // A pattern full of stars against a long title that almost matches: the matcher must
    // neither recurse deeply nor give a wrong answer.
    const std::wstring title(5000, L'a');
    EXPECT_TRUE(WildcardMatch(title, L"*a*a*a*a*a*"));
    EXPECT_FALSE(WildcardMatch(title, L"*a*a*a*a*b"));
    EXPECT_TRUE(WildcardMatch(title + L"b", L"*a*a*a*a*b"));
}

}  // namespace
}  // namespace tandrel
