// Reading the version record: attributes of one line, the line pieces of the C library's
// text-mode reading, the textual version comparison, and the search for this program's line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/version_record.h"

namespace tandrel {
namespace {

struct AttributeCase {
    const char* line;
    const char* key;
    const char* value;
};

TEST(ReadRecordAttribute, FindsTheFirstKeyEqualsQuoteAndReadsToTheNextQuote) {
    const AttributeCase cases[] = {
        {R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)", "name", "Tandrel"},
        {R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)", "intVersion", "010800"},
        {R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)", "version", "1.8"},
        {R"(<app name="Tandrel"/>)", "version", ""},             // key absent
        {R"(version="1.8)", "version", ""},                      // no closing quote
        {R"(version="")", "version", ""},                        // empty value
        {R"(version=" 1.8 beta ")", "version", " 1.8 beta "},    // no trimming
        {R"(version="a\"b")", "version", "a\\"},                 // no unescaping
        {R"(appname="Other" name="Tandrel")", "name", "Other"},  // a longer key ending in the key
        {R"(Name="Tandrel")", "name", ""},                       // case-sensitive
        {R"(name = "Tandrel")", "name", ""},                     // only key=" counts
        {R"(name='Tandrel')", "name", ""},                       // double quotes only
        {R"(name="Tandrel" name="Other")", "name", "Tandrel"},   // first occurrence wins
        {R"(xversion="1" intVersion="2" version="3")", "version", "1"},
        {"name=\"Tan\ndrel\"", "name", "Tan\ndrel"},
    };
    for (const AttributeCase& c : cases) {
        EXPECT_EQ(ReadRecordAttribute(c.line, c.key), c.value) << c.line << " / " << c.key;
    }
}

std::vector<std::string> Pieces(const std::string& record) {
    RecordLineReader reader(record);
    std::vector<std::string> pieces;
    std::string piece;
    while (reader.Next(piece)) {
        pieces.push_back(piece);
    }
    return pieces;
}

using Lines = std::vector<std::string>;

TEST(RecordLineReader, ReadsAsTextModeFgetsWithA1024Buffer) {
    const std::string k1022(1022, 'x');
    const std::string k1023(1023, 'y');
    EXPECT_EQ(Pieces(""), Lines{});
    EXPECT_EQ(Pieces("a\nb\n"), (Lines{"a\n", "b\n"}));
    EXPECT_EQ(Pieces("a\r\nb"), (Lines{"a\n", "b"}));  // CR LF reads as LF; the last line needs no end
    EXPECT_EQ(Pieces("a\rb\n"), (Lines{"a\rb\n"}));    // a lone CR stays
    EXPECT_EQ(Pieces("\n\n"), (Lines{"\n", "\n"}));
    EXPECT_EQ(Pieces(k1023 + "\n"), (Lines{k1023, "\n"}));     // the line feed is the 1024th character
    EXPECT_EQ(Pieces(k1022 + "\r\n"), (Lines{k1022 + "\n"}));  // the CR does not count
    EXPECT_EQ(Pieces(k1023 + k1023 + "zz\n"), (Lines{k1023, k1023, "zz\n"}));
}

TEST(IsNewerInternalVersion, ComparesAsTextCodeUnitByCodeUnit) {
    const struct {
        const char* iv;
        bool newer;
    } cases[] = {
        {"010800", true},  {"010701", true},   {"020000", true},
        {"990000", true},  {"010700", false},  {"010699", false},
        {"009999", false}, {"000000", false},  {"1", true},  // the single digit 1 is past "0"
        {"01070", false},   // the running value without its last digit is a prefix, so lower
        {"0107000", true},  // a longer text with the running value as its prefix is higher
        {"0108", true},    {"0", false},       {"", false},
        {"A", true},       {" 010800", false},  // no trimming: a space is below every digit
        {"\xE9", true},  // 8-bit characters compare above the digits, as unsigned bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNewerInternalVersion(c.iv), c.newer) << '"' << c.iv << '"';
    }
}

TEST(FindLatestVersion, TakesTheFirstLineThatNamesThisProgramWithANewerVersion) {
    const struct {
        const char* what;
        std::string record;
        const char* latest;
    } cases[] = {
        {"newer", R"(<app name="Tandrel" intVersion="010800" version="1.8"/>)", "1.8"},
        {"equal", R"(<app name="Tandrel" intVersion="010700" version="1.7"/>)", ""},
        {"older", R"(<app name="Tandrel" intVersion="010600" version="1.6"/>)", ""},
        {"lower-case name", R"(<app name="tandrel" intVersion="010800" version="1.8"/>)", ""},
        {"other program", R"(<app name="TandrelPro" intVersion="990000" version="9.9"/>)", ""},
        {"no intVersion", R"(<app name="Tandrel" version="1.8"/>)", ""},
        {"empty record", "", ""},
        {"older then newer",
         "<app name=\"Tandrel\" intVersion=\"010600\" version=\"1.6\"/>\n"
         "<app name=\"Tandrel\" intVersion=\"010900\" version=\"1.9\"/>\n",
         "1.9"},
        {"two newer: the first wins",
         "<app name=\"Tandrel\" intVersion=\"010800\" version=\"1.8\"/>\n"
         "<app name=\"Tandrel\" intVersion=\"010900\" version=\"1.9\"/>\n",
         "1.8"},
        {"newer without version ends the search",
         "<app name=\"Tandrel\" intVersion=\"010800\"/>\n"
         "<app name=\"Tandrel\" intVersion=\"010900\" version=\"1.9\"/>\n",
         ""},
        {"attributes of one line only",
         "<app name=\"Tandrel\"/>\n<app intVersion=\"010800\" version=\"1.8\"/>\n", ""},
        {"CR LF lines",
         "<apps>\r\n<app name=\"Other\" intVersion=\"990000\" version=\"9\"/>\r\n"
         "<app name=\"Tandrel\" intVersion=\"010800\" version=\"1.8\"/>\r\n</apps>\r\n",
         "1.8"},
        {"text-form digit", R"(name="Tandrel" intVersion="1" version="one")", "one"},
        {"prefix of the running value", R"(name="Tandrel" intVersion="01070" version="1.7-")", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindLatestVersion(c.record), c.latest) << c.what;
    }
}

TEST(FindLatestVersion, ExaminesEachPieceOfALongLineAsALineOfItsOwn) {
    const std::string attributes = R"(name="Tandrel" intVersion="010800" version="1.8")";
    // Split inside name="Tand|rel": neither piece names the program.
    const std::string splitName = std::string(1023 - 10, ' ') + attributes + "\n";
    EXPECT_EQ(FindLatestVersion(splitName), "");
    // Split inside version="1.|8": the first piece has a version without its closing quote.
    const std::size_t inVersion = attributes.find("1.8") + 2;
    const std::string splitVersion = std::string(1023 - inVersion, ' ') + attributes + "\n";
    EXPECT_EQ(FindLatestVersion(splitVersion), "");
    // Wholly in the second piece of a long line: found there.
    const std::string secondPiece = std::string(1023, ' ') + attributes + "\n";
    EXPECT_EQ(FindLatestVersion(secondPiece), "1.8");
    // Wholly in the first 1023 characters, the line going on far beyond: found.
    const std::string firstPiece = attributes + std::string(3000, ' ') + "\n";
    EXPECT_EQ(FindLatestVersion(firstPiece), "1.8");
}

}  // namespace
}  // namespace tandrel
