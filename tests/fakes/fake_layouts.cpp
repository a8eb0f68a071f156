#include "fakes/fake_layouts.h"

namespace tandrel::fakes {
namespace {

constexpr std::uint8_t kAltGr = 6;

constexpr LayoutKey kGerman[] = {
    {L'^', 0xDC, 0, true},        {L'`', 0xDD, 1, true},       {L'\u00e4', 0xDE, 0, false},
    {L'\'', 0xBF, 1, false},      {L'@', 'Q', kAltGr, false},  {L'{', '7', kAltGr, false},
    {L'[', '8', kAltGr, false},   {L']', '9', kAltGr, false},  {L'}', '0', kAltGr, false},
    {L'\\', 0xDB, kAltGr, false}, {L'~', 0xBB, kAltGr, false}, {L'|', 0xE2, kAltGr, false},
};

constexpr LayoutKey kFrench[] = {
    {L'^', 0xDD, 0, true},       {L'\u00e9', '2', 0, false},  {L'~', '2', kAltGr, true},
    {L'`', '7', kAltGr, true},   {L'{', '4', kAltGr, false},  {L'[', '5', kAltGr, false},
    {L'|', '6', kAltGr, false},  {L'\\', '8', kAltGr, false}, {L'@', '0', kAltGr, false},
    {L']', 0xDB, kAltGr, false}, {L'}', 0xBB, kAltGr, false},
};

// Its caret is Shift with a key whose own character, the digit 6, is no dead key.
constexpr LayoutKey kUsInternational[] = {
    {L'\'', 0xDE, 0, true}, {L'"', 0xDE, 1, true}, {L'`', 0xC0, 0, true},
    {L'~', 0xC0, 1, true},  {L'^', '6', 1, true},
};

}  // namespace

const FakeLayout& GermanLayout() {
    static const FakeLayout layout{"de", kGerman};
    return layout;
}

const FakeLayout& FrenchLayout() {
    static const FakeLayout layout{"fr", kFrench};
    return layout;
}

const FakeLayout& UsInternationalLayout() {
    static const FakeLayout layout{"us:intl", kUsInternational};
    return layout;
}

wchar_t Compose(wchar_t dead, wchar_t next) {
    struct Pair {
        wchar_t dead, next, composed;
    };
    static constexpr Pair kPairs[] = {
        {L'^', L'a', L'\u00e2'}, {L'`', L'e', L'\u00e8'}, {L'\'', L'o', L'\u00f3'},
        {L'"', L'u', L'\u00fc'}, {L'~', L'n', L'\u00f1'},
    };
    for (const Pair& p : kPairs) {
        if (p.dead == dead && p.next == next)
            return p.composed;
    }
    return 0;
}

}  // namespace tandrel::fakes
