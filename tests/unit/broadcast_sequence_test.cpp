// The key sequence each target receives, built from the text of a broadcast.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "broadcast/broadcast_sequence.h"

namespace tandrel {
namespace {

struct SequenceRow {
    std::wstring text;
    bool isCommandText;
    bool endWithTab;
    bool capsLockOn;
    bool sendCR;
    std::size_t position;
    std::wstring expected;
};

std::wstring Sequence(const SequenceRow& r) {
    TargetSequenceOptions options;
    options.isCommandText = r.isCommandText;
    options.endWithTab = r.endWithTab;
    options.capsLockOn = r.capsLockOn;
    options.sendCR = r.sendCR;
    return BuildTargetSequence(BuildBaseSequence(r.text, r.isCommandText), r.position, options);
}

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

void ExpectRows(const std::vector<SequenceRow>& rows) {
    for (const SequenceRow& r : rows) EXPECT_EQ(Sequence(r), r.expected) << "text [" << Narrow(r.text) << "]";
}

constexpr bool kCommand = true;
constexpr bool kReady = false;  // a ready key sequence: quick key or script

TEST(BuildTargetSequence, TheExamplesForTheSecondOfThreeTargets) {
    ExpectRows({
        {L"echo 50%+1 >{%INC%}.log", kCommand, false, false, true, 2,
         L"{DELAY=0}echo 50{PERCENT}{PLUS}1 >2.log^m"},
        {L"{%CTRL%}c", kCommand, false, false, true, 2, L"{DELAY=0}^c^m"},
        {L"cd /us", kCommand, true, false, true, 2, L"{DELAY=0}cd /us{TAB}"},
        {L"ls", kCommand, false, true, true, 2, L"{CAPSLOCK}{DELAY=0}ls{CAPSLOCK}^m"},
        {L"^C", kReady, false, false, true, 2, L"{DELAY=0}^C"},
    });
}

TEST(BuildTargetSequence, EmptyAndBlankCommands) {
    ExpectRows({
        {L"", kCommand, false, false, true, 1, L"{DELAY=0}^m"},
        {L"   ", kCommand, false, false, true, 1, L"{DELAY=0}   ^m"},
        {L" \t ", kCommand, false, false, true, 3, L"{DELAY=0} \t ^m"},
        {L"", kCommand, false, false, false, 1, L"{DELAY=0}"},
        {L"", kCommand, true, false, true, 1, L"{DELAY=0}{TAB}"},
    });
}

TEST(BuildTargetSequence, TabEndsTheTextWhateverEnterSaysAndEnterIsOptional) {
    ExpectRows({
        {L"cd /us", kCommand, true, false, false, 1, L"{DELAY=0}cd /us{TAB}"},
        {L"ls", kCommand, false, false, false, 1, L"{DELAY=0}ls"},
        {L"ls", kCommand, true, true, true, 1, L"{CAPSLOCK}{DELAY=0}ls{CAPSLOCK}{TAB}"},
    });
}

TEST(EscapeCommandText, EachSyntaxCharacterBecomesTheKeyThatTypesIt) {
    const std::vector<std::pair<wchar_t, std::wstring>> table = {
        {L'%', L"{PERCENT}"},   {L'(', L"{LEFTPAREN}"},  {L')', L"{RIGHTPAREN}"},
        {L'+', L"{PLUS}"},      {L'@', L"{AT}"},         {L'^', L"{CARET}"},
        {L'{', L"{LEFTBRACE}"}, {L'}', L"{RIGHTBRACE}"}, {L'~', L"{TILDE}"},
    };
    for (const auto& [ch, name] : table) {
        EXPECT_EQ(EscapeCommandText(std::wstring(1, ch)), name);
        EXPECT_EQ(EscapeCommandText(std::wstring(L"a") + ch + L"b"), L"a" + name + L"b");
    }
    const std::wstring plain = L"abcXYZ 019\t\r\n!\"#$&*,-./:;<=>?[\\]_`|\u00e9\x0001\x0002";
    EXPECT_EQ(EscapeCommandText(plain), plain);
}

TEST(BuildTargetSequence, KeySyntaxInACommandIsTypedLiterally) {
    ExpectRows({
        {L"{ENTER}^a~(b)+@%", kCommand, false, false, true, 1,
         L"{DELAY=0}{LEFTBRACE}ENTER{RIGHTBRACE}{CARET}a{TILDE}{LEFTPAREN}b{RIGHTPAREN}{PLUS}{AT}{PERCENT}^"
         L"m"},
        {L"{DELAY=500}x", kCommand, false, false, false, 1, L"{DELAY=0}{LEFTBRACE}DELAY=500{RIGHTBRACE}x"},
    });
}

TEST(BuildTargetSequence, MarkersWrittenInAnotherCaseAreTypedLiterally) {
    ExpectRows({
        {L"{%inc%}", kCommand, false, false, true, 4,
         L"{DELAY=0}{LEFTBRACE}{PERCENT}inc{PERCENT}{RIGHTBRACE}^m"},
        {L"{%Ctrl%}c", kCommand, false, false, true, 4,
         L"{DELAY=0}{LEFTBRACE}{PERCENT}Ctrl{PERCENT}{RIGHTBRACE}c^m"},
        {L"{%INC %}", kCommand, false, false, false, 4,
         L"{DELAY=0}{LEFTBRACE}{PERCENT}INC {PERCENT}{RIGHTBRACE}"},
    });
}

TEST(BuildTargetSequence, IncrementNumbersInEveryPlaceAndPastNine) {
    ExpectRows({
        {L"cp a{%INC%} b{%INC%}/{%INC%}", kCommand, false, false, true, 2, L"{DELAY=0}cp a2 b2/2^m"},
        {L"host{%INC%}", kCommand, false, false, true, 9, L"{DELAY=0}host9^m"},
        {L"host{%INC%}", kCommand, false, false, true, 10, L"{DELAY=0}host10^m"},
        {L"host{%INC%}", kCommand, false, false, true, 123, L"{DELAY=0}host123^m"},
        // Ctrl goes with the next character only: the first digit.
        {L"{%CTRL%}{%INC%}", kCommand, false, false, true, 3, L"{DELAY=0}^3^m"},
        {L"{%CTRL%}{%INC%}", kCommand, false, false, true, 12, L"{DELAY=0}^12^m"},
        {L"{%INC%}{%INC%}", kCommand, false, false, false, 11, L"{DELAY=0}1111"},
        {L"{%CTRL%}{%CTRL%}", kCommand, false, false, false, 1, L"{DELAY=0}^^"},
    });
}

TEST(BuildTargetSequence, ReadySequencesGetOnlyTheDelayResetAndTheNumber) {
    ExpectRows({
        // No escaping, no Caps Lock wrapping, no Enter, no marker texts.
        {L"{ENTER}", kReady, false, true, true, 1, L"{DELAY=0}{ENTER}"},
        {L"{%INC%}", kReady, false, false, true, 1, L"{DELAY=0}{%INC%}"},
        {L"echo 50%", kReady, true, true, true, 1, L"{DELAY=0}echo 50%"},
        // The increment character is numbered for both kinds of text; the control one is not
        // turned into Ctrl.
        {L"n\x0001", kReady, false, false, true, 7, L"{DELAY=0}n7"},
        {L"n\x0002", kReady, false, false, true, 7, L"{DELAY=0}n\x0002"},
    });
}

TEST(BuildBaseSequence, MarkersBecomeTheirCharactersBeforeEscaping) {
    EXPECT_EQ(BuildBaseSequence(L"a{%INC%}b{%CTRL%}c%", true),
              L"a\x0001"
              L"b\x0002"
              L"c{PERCENT}");
    EXPECT_EQ(BuildBaseSequence(L"a{%INC%}b{%CTRL%}c%", false), L"a{%INC%}b{%CTRL%}c%");
    EXPECT_EQ(BuildBaseSequence(L"{%INC%}{%INC%}", true), L"\x0001\x0001");
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll(L"aaa", L"aa", L"a"), L"aa");
    EXPECT_EQ(ReplaceAll(L"abab", L"ab", L"abab"), L"abababab");
    EXPECT_EQ(ReplaceAll(L"", L"x", L"y"), L"");
    EXPECT_EQ(ReplaceAll(L"xyz", L"", L"-"), L"xyz");
    EXPECT_EQ(ReplaceAll(L"x", L"x", L""), L"");
}

}  // namespace
}  // namespace tandrel
