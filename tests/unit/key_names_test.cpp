// Every key name is found in any letter case and types its key, with the extended-key flag
// exactly on the listed keys; names are matched whole.
#include <gtest/gtest.h>

#include <cwchar>
#include <cwctype>
#include <string>

#include "fakes/fake_desktop.h"
#include "fakes/us_layout.h"
#include "fakes/key_trace.h"
#include "keys/key_sender.h"

namespace tandrel {
namespace {

using namespace fakes::keytrace;

enum Kind { kVirtualKey, kCharacter };

struct NameRow {
    const wchar_t* name;
    Kind kind;
    unsigned value;
    bool extended;
};

// The key-name table as the operator's documentation gives it.
const NameRow kNames[] = {
    {L"ADD", kVirtualKey, 0x6B, false},       {L"APPS", kVirtualKey, 0x5D, false},
    {L"AT", kCharacter, '@', false},          {L"BACKSPACE", kVirtualKey, 0x08, false},
    {L"BKSP", kVirtualKey, 0x08, false},      {L"BREAK", kVirtualKey, 0x03, false},
    {L"BS", kVirtualKey, 0x08, false},        {L"CAPSLOCK", kVirtualKey, 0x14, false},
    {L"CARET", kCharacter, '^', false},       {L"CLEAR", kVirtualKey, 0x0C, false},
    {L"DECIMAL", kVirtualKey, 0x6E, false},   {L"DEL", kVirtualKey, 0x2E, true},
    {L"DELETE", kVirtualKey, 0x2E, true},     {L"DIVIDE", kVirtualKey, 0x6F, false},
    {L"DOWN", kVirtualKey, 0x28, true},       {L"END", kVirtualKey, 0x23, true},
    {L"ENTER", kVirtualKey, 0x0D, false},     {L"ESC", kVirtualKey, 0x1B, false},
    {L"ESCAPE", kVirtualKey, 0x1B, false},    {L"F1", kVirtualKey, 0x70, false},
    {L"F10", kVirtualKey, 0x79, false},       {L"F11", kVirtualKey, 0x7A, false},
    {L"F12", kVirtualKey, 0x7B, false},       {L"F13", kVirtualKey, 0x7C, false},
    {L"F14", kVirtualKey, 0x7D, false},       {L"F15", kVirtualKey, 0x7E, false},
    {L"F16", kVirtualKey, 0x7F, false},       {L"F2", kVirtualKey, 0x71, false},
    {L"F3", kVirtualKey, 0x72, false},        {L"F4", kVirtualKey, 0x73, false},
    {L"F5", kVirtualKey, 0x74, false},        {L"F6", kVirtualKey, 0x75, false},
    {L"F7", kVirtualKey, 0x76, false},        {L"F8", kVirtualKey, 0x77, false},
    {L"F9", kVirtualKey, 0x78, false},        {L"HELP", kVirtualKey, 0x2F, false},
    {L"HOME", kVirtualKey, 0x24, true},       {L"INS", kVirtualKey, 0x2D, true},
    {L"LEFT", kVirtualKey, 0x25, true},       {L"LEFTBRACE", kCharacter, '{', false},
    {L"LEFTPAREN", kCharacter, '(', false},   {L"LWIN", kVirtualKey, 0x5B, false},
    {L"MULTIPLY", kVirtualKey, 0x6A, false},  {L"NUMLOCK", kVirtualKey, 0x90, false},
    {L"NUMPAD0", kVirtualKey, 0x60, false},   {L"NUMPAD1", kVirtualKey, 0x61, false},
    {L"NUMPAD2", kVirtualKey, 0x62, false},   {L"NUMPAD3", kVirtualKey, 0x63, false},
    {L"NUMPAD4", kVirtualKey, 0x64, false},   {L"NUMPAD5", kVirtualKey, 0x65, false},
    {L"NUMPAD6", kVirtualKey, 0x66, false},   {L"NUMPAD7", kVirtualKey, 0x67, false},
    {L"NUMPAD8", kVirtualKey, 0x68, false},   {L"NUMPAD9", kVirtualKey, 0x69, false},
    {L"PERCENT", kCharacter, '%', false},     {L"PGDN", kVirtualKey, 0x22, true},
    {L"PGUP", kVirtualKey, 0x21, true},       {L"PLUS", kCharacter, '+', false},
    {L"PRTSC", kVirtualKey, 0x2A, false},     {L"RIGHT", kVirtualKey, 0x27, true},
    {L"RIGHTBRACE", kCharacter, '}', false},  {L"RIGHTPAREN", kCharacter, ')', false},
    {L"RWIN", kVirtualKey, 0x5C, false},      {L"SCROLL", kVirtualKey, 0x91, false},
    {L"SEPARATOR", kVirtualKey, 0x6C, false}, {L"SNAPSHOT", kVirtualKey, 0x2C, false},
    {L"SUBTRACT", kVirtualKey, 0x6D, false},  {L"TAB", kVirtualKey, 0x09, false},
    {L"TILDE", kCharacter, '~', false},       {L"UP", kVirtualKey, 0x26, true},
    {L"WIN", kVirtualKey, 0x5B, false},
};

std::wstring Lower(const std::wstring& s) {
    std::wstring out = s;
    for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

// "eScApE": every other letter in lower case.
std::wstring Mixed(const std::wstring& s) {
    std::wstring out = s;
    for (std::size_t i = 1; i < out.size(); i += 2) out[i] = static_cast<wchar_t>(std::towlower(out[i]));
    return out;
}

std::uint16_t ExpectedCode(const NameRow& row) {
    return row.kind == kVirtualKey ? static_cast<std::uint16_t>(row.value)
                                   : fakes::UsKeyCodeFor(static_cast<wchar_t>(row.value));
}

class KeyNames : public ::testing::Test {
  protected:
    fakes::FakeDesktop desk;
    CKeySender sender{desk, desk, desk};
};

TEST_F(KeyNames, EveryRowIsFoundInAnyLetterCase) {
    ASSERT_EQ(std::size(kNames), 71u);
    for (const NameRow& row : kNames) {
        const std::wstring name = row.name;
        for (const std::wstring& spelling : {name, Lower(name), Mixed(name)}) {
            SCOPED_TRACE(std::string(spelling.begin(), spelling.end()));
            const auto code = sender.LookUpKeyName(spelling);
            ASSERT_TRUE(code.has_value());
            EXPECT_EQ(*code, ExpectedCode(row));
        }
    }
}

TEST_F(KeyNames, EveryRowTypesItsKeyWithTheExtendedFlagOnlyOnListedKeys) {
    for (const NameRow& row : kNames) {
        SCOPED_TRACE(std::string(row.name, row.name + std::wcslen(row.name)));
        desk.ClearCalls();
        ASSERT_TRUE(sender.PlayKeys(L"{" + Lower(row.name) + L"}"));
        const std::uint16_t code = ExpectedCode(row);
        const unsigned key = code & 0xFF;
        const unsigned scanCode = fakes::UsScanCodeFor(key) & 0xFF;
        Trace expected;
        if (key == 0x90) {
            expected = {Key(0x90, 0x45, 1), Key(0x90, 0x45, 3)};  // NUM LOCK's own stroke
        } else if (row.extended) {
            expected = StrokeX(key, scanCode);
        } else {
            expected = Stroke(key, scanCode);
        }
        // The US layout types each of the nine characters of the table with Shift.
        if (row.kind == kCharacter)
            expected = Shifted(expected);
        EXPECT_EQ(desk.Calls(), expected);
    }
}

TEST_F(KeyNames, TheCharacterRowsTypeTheirCharacters) {
    const WindowId term = desk.AddWindow(L"PuTTY", L"web01");
    desk.SetFocusNow(term);
    sender.PlayKeys(L"{AT}{CARET}{LEFTBRACE}{LEFTPAREN}{PERCENT}{PLUS}{RIGHTBRACE}{RIGHTPAREN}{TILDE}");
    EXPECT_EQ(desk.Window(term).text, L"@^{(%+})~");
    EXPECT_TRUE(desk.HeldKeys().empty());
}

TEST_F(KeyNames, OnlyWholeNamesAreFound) {
    const wchar_t* const notNames[] = {
        L"",    L"LEF", L"LEFTT", L"LEFT ",   L" LEFT", L"F17",    L"F0",       L"NUM LOCK", L"A",
        L"ZZZ", L"{",   L"_",     L"ENTER\t", L"ESC1",  L"\x212A", L"\xFF25SC",  // Kelvin sign, fullwidth E
    };
    for (const wchar_t* name : notNames) {
        SCOPED_TRACE(std::string(name, name + std::wcslen(name)));
        EXPECT_FALSE(sender.LookUpKeyName(name).has_value());
    }
}

}  // namespace
}  // namespace tandrel
