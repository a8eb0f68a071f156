#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/ini_store.h"
#include "platform/text_codec.h"

namespace tandrel {
namespace {

IniStore Parse(std::wstring_view text) {
    IniStore store;
    store.LoadText(text);
    return store;
}

// The lines of the store's file text, which must end with CRLF.
std::vector<std::wstring> Lines(const IniStore& store) {
    const std::wstring text = store.ToText();
    std::vector<std::wstring> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find(L"\r\n", pos);
        if (end == std::wstring::npos) {
            ADD_FAILURE() << "last line not ended by CRLF";
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

TEST(IniStore, MatchesSectionsAndKeysWithoutRegardToCase) {
    const IniStore store = Parse(L"[tandrel]\r\nFilter00=web||+web*\r\nTRANSITION=40\r\n");
    EXPECT_EQ(store.GetString(L"Tandrel", L"filter00", L""), L"web||+web*");
    EXPECT_EQ(store.GetInt(L"TANDREL", L"transition", 25), 40);
    EXPECT_EQ(store.GetString(L"Other", L"filter00", L"none"), L"none");
}

TEST(IniStore, ReadsValuesVerbatimAndTrimsOnlyNames) {
    const IniStore store = Parse(L"  [ Tandrel ]  \n  cmd  =  ls -l  \n q=\"quoted\"\n e=\n eq=a=b\n");
    EXPECT_EQ(store.GetString(L"Tandrel", L"cmd", L""), L"  ls -l  ");
    EXPECT_EQ(store.GetString(L"Tandrel", L"q", L""), L"\"quoted\"");
    EXPECT_EQ(store.GetString(L"Tandrel", L"e", L"default"), L"");
    EXPECT_EQ(store.GetString(L"Tandrel", L"eq", L""), L"a=b");
}

TEST(IniStore, ReadsIntegersAsTheProfileFunctionsDo) {
    struct Row {
        const wchar_t* stored;  // nullptr: the key is missing
        std::int32_t value;
    };
    const Row rows[] = {
        {L"12", 12},
        {L"-3", -3},
        {L"+7", 7},
        {L"  42", 42},
        {L"12abc", 12},
        {L"abc", 0},
        {L"0x10", 0},
        {L"- 5", 0},
        {L"", 99},
        {nullptr, 99},
        {L"2147483647", 2147483647},
        {L"4294967297", 1},
        {L"1 2", 1},
    };
    for (const Row& r : rows) {
        IniStore store;
        if (r.stored != nullptr)
            store.LoadText(std::wstring(L"[S]\r\nk=") + r.stored + L"\r\n");
        EXPECT_EQ(store.GetInt(L"S", L"k", 99), r.value)
            << testing::PrintToString(r.stored ? r.stored : L"(missing)");
    }
}

TEST(IniStore, LeavesOutWhatCannotBeParsed) {
    const IniStore store = Parse(
        L"orphan=1\r\n"  // before any section
        L"[Tandrel]\r\n"
        L"no equals sign here\r\n"
        L"; comment=1\r\n"
        L"=no key\r\n"
        L"bad\x01key=1\r\n"
        L"transition=40\r\n"
        L"transition=50\r\n"  // the first occurrence counts
        L"[Broken\r\n"
        L"stray=1\r\n"  // under a broken header: not taken into any section
        L"[Tandrel]\r\n"
        L"later=2\r\n");  // a repeated section continues the first
    EXPECT_EQ(store.GetInt(L"Tandrel", L"transition", 0), 40);
    EXPECT_EQ(store.GetInt(L"Tandrel", L"later", 0), 2);
    EXPECT_EQ(Lines(store), (std::vector<std::wstring>{L"[Tandrel]", L"transition=40", L"later=2"}));
}

TEST(IniStore, SplitsLinesAtCrLfLfAndCr) {
    const IniStore store = Parse(L"[S]\na=1\rb=2\r\nc=3");
    EXPECT_EQ(store.GetInt(L"S", L"a", 0), 1);
    EXPECT_EQ(store.GetInt(L"S", L"b", 0), 2);
    EXPECT_EQ(store.GetInt(L"S", L"c", 0), 3);
}

TEST(IniStore, SettingKeepsTheKeysPlaceAndAppendsNewKeys) {
    IniStore store = Parse(L"[Other]\r\nx=1\r\n[Tandrel]\r\nSendCR=0\r\nmine=keep\r\n");
    store.SetInt(L"Tandrel", L"sendCR", 1);
    store.SetString(L"Tandrel", L"filter00", L"All PuTTYs||+*");
    store.SetInt(L"New", L"n", -4);
    EXPECT_EQ(Lines(store),
              (std::vector<std::wstring>{L"[Other]", L"x=1", L"", L"[Tandrel]", L"SendCR=1", L"mine=keep",
                                         L"filter00=All PuTTYs||+*", L"", L"[New]", L"n=-4"}));
}

TEST(IniStore, ReadsTheBytesOfEveryEncoding) {
    const std::wstring text = L"[Tandrel]\r\nfilter00=\x0421\x0435\x0440||+*\r\n";
    IniStore utf16;
    utf16.Load(EncodeUtf16LeWithBom(text));
    EXPECT_EQ(utf16.GetString(L"Tandrel", L"filter00", L""), L"\x0421\x0435\x0440||+*");
    IniStore utf8;
    utf8.Load("[Tandrel]\r\nfilter00=\xD0\xA1\xD0\xB5\xD1\x80||+*\r\n");
    EXPECT_EQ(utf8.GetString(L"Tandrel", L"filter00", L""), L"\x0421\x0435\x0440||+*");
    IniStore ansi;
    ansi.Load("[Tandrel]\r\nfilter00=Caf\xE9 \x80||+*\r\n");
    EXPECT_EQ(ansi.GetString(L"Tandrel", L"filter00", L""), L"Caf\xE9 \x20AC||+*");
}

// ---- values a line cannot carry plainly ----

TEST(IniStoreValues, SingleLineValuesAreWrittenPlainlyAndReadBackWhole) {
    const wchar_t* values[] = {
        L"",           L"ls -l",    L"  padded  ", L"\"quoted\"",
        L"C:\\path\\", L"a\\rb\\n", L"\\",         L"x\\:",
        L":\\",        L"a=b;c",    L"[Tandrel]",  L"\x0421\x0435\x0440 \x4E2D\x6587",
        L"tab\there",
    };
    for (const wchar_t* v : values) {
        IniStore store;
        store.SetString(L"S", L"k", v);
        EXPECT_EQ(Lines(store).back(), std::wstring(L"k=") + v);
        EXPECT_EQ(Parse(store.ToText()).GetString(L"S", L"k", L"?"), v) << testing::PrintToString(v);
    }
}

TEST(IniStoreValues, MultiLineValuesAndTheMarkerTakeTheEscapedForm) {
    struct Row {
        std::wstring value;
        std::wstring line;
    };
    const Row rows[] = {
        {L"cat <<X\r\nfilter=3\r\nX", L"k=\\:cat <<X\\r\\nfilter=3\\r\\nX"},
        {L"a\nb", L"k=\\:a\\nb"},
        {L"a\rb", L"k=\\:a\\rb"},
        {L"\r\n", L"k=\\:\\r\\n"},
        {L"dir C:\\x\r\nexit", L"k=\\:dir C:\\\\x\\r\\nexit"},
        {L"\\:", L"k=\\:\\\\:"},
        {L"\\:x\\n", L"k=\\:\\\\:x\\\\n"},
    };
    for (const Row& r : rows) {
        IniStore store;
        store.SetString(L"S", L"k", r.value);
        store.SetInt(L"S", L"filter", 1);
        EXPECT_EQ(Lines(store), (std::vector<std::wstring>{L"[S]", r.line, L"filter=1"}));
        const IniStore back = Parse(store.ToText());
        EXPECT_EQ(back.GetString(L"S", L"k", L"?"), r.value) << testing::PrintToString(r.value);
        EXPECT_EQ(back.GetInt(L"S", L"filter", 0), 1);
    }
}

TEST(IniStoreValues, HandWrittenEscapesThatMeanNothingStandForThemselves) {
    const IniStore store = Parse(L"[S]\r\na=\\:x\\ty\\\r\nb=\\:\r\n");
    EXPECT_EQ(store.GetString(L"S", L"a", L""), L"x\\ty\\");
    EXPECT_EQ(store.GetString(L"S", L"b", L"?"), L"");
}

// ---- damaged files ----

TEST(IniStoreDamaged, BinaryJunkNeverBreaksTheStoreAndWritesBackClean) {
    std::uint32_t seed = 12345;
    for (int round = 0; round < 50; ++round) {
        std::string junk(static_cast<std::size_t>(round) * 97 + 1, '\0');
        for (char& c : junk) {
            seed = seed * 1103515245u + 12345u;
            const auto r = static_cast<unsigned char>(seed >> 16);
            // Enough brackets, "=" and line ends that sections and keys do appear.
            const char pick[] = {'[', ']', '=', '\n', '\r', 'a', ';'};
            c = r < 40 ? pick[r % 7] : static_cast<char>(r);
        }
        if (round % 3 == 1)
            junk = "\xFF\xFE" + junk;  // read as UTF-16
        IniStore store;
        store.Load(junk);
        store.SetString(L"Tandrel", L"filter00", L"All PuTTYs||+*");
        const IniStore again = Parse(store.ToText());
        EXPECT_EQ(again.ToText(), store.ToText()) << "round " << round;
        EXPECT_EQ(again.GetString(L"Tandrel", L"filter00", L""), L"All PuTTYs||+*");
        for (const std::wstring& line : Lines(store)) {
            EXPECT_TRUE(line.empty() || line.front() == L'[' || line.find(L'=') != std::wstring::npos);
        }
    }
}

TEST(IniStoreDamaged, AnEnormousLineIsReadLikeAnyOther) {
    const std::wstring huge(4'000'000, L'x');
    const IniStore store =
        Parse(L"[Tandrel]\r\n" + huge + L"\r\nfilter00=" + huge + L"\r\ntransition=40\r\n");
    EXPECT_EQ(store.GetString(L"Tandrel", L"filter00", L"").size(), huge.size());
    EXPECT_EQ(store.GetInt(L"Tandrel", L"transition", 25), 40);
    EXPECT_EQ(Lines(store).size(), 3u);
}

TEST(IniStoreDamaged, ManySectionsStayApartAndRepeatedOnesMerge) {
    std::wstring text;
    for (int n = 0; n < 20000; ++n)
        text += L"[s" + std::to_wstring(n) + L"]\r\nk=" + std::to_wstring(n) + L"\r\n";
    text +=
        L"[Tandrel]\r\ntransition=40\r\n[S7]\r\nk=late\r\nx=1\r\n[TANDREL]\r\ntransition=90\r\nsendCR=0\r\n";
    const IniStore store = Parse(text);
    EXPECT_EQ(store.GetInt(L"s19999", L"k", -1), 19999);
    EXPECT_EQ(store.GetString(L"s7", L"k", L""), L"7");  // the first occurrence counts
    EXPECT_EQ(store.GetInt(L"s7", L"x", 0), 1);
    EXPECT_EQ(store.GetInt(L"tandrel", L"transition", 25), 40);
    EXPECT_EQ(store.GetInt(L"Tandrel", L"sendCR", 1), 0);
    EXPECT_EQ(Lines(store).size(), 20001u * 3 - 1 + 2);  // header, key and blank line each; 2 keys more
}

}  // namespace
}  // namespace tandrel
