#include "fakes/us_layout.h"

#include <cstring>

namespace tandrel::fakes {
namespace {

struct Punct {
    wchar_t plain;
    wchar_t shifted;
    std::uint8_t vk;
};

constexpr Punct kPunct[] = {
    {L'-', L'_', 0xBD},  {L'=', L'+', 0xBB}, {L'[', L'{', 0xDB},  {L']', L'}', 0xDD},
    {L'\\', L'|', 0xDC}, {L';', L':', 0xBA}, {L'\'', L'"', 0xDE}, {L',', L'<', 0xBC},
    {L'.', L'>', 0xBE},  {L'/', L'?', 0xBF}, {L'`', L'~', 0xC0},
};
constexpr wchar_t kShiftedDigits[] = L")!@#$%^&*(";  // Shift with 0 .. 9

}  // namespace

std::uint16_t UsKeyCodeFor(wchar_t ch) {
    if (ch >= L'a' && ch <= L'z')
        return static_cast<std::uint16_t>(ch - L'a' + 'A');
    if (ch >= L'A' && ch <= L'Z')
        return static_cast<std::uint16_t>(0x100 | ch);
    if (ch >= L'0' && ch <= L'9')
        return static_cast<std::uint16_t>(ch);
    for (int d = 0; d < 10; ++d) {
        if (kShiftedDigits[d] == ch)
            return static_cast<std::uint16_t>(0x100 | ('0' + d));
    }
    for (const Punct& p : kPunct) {
        if (p.plain == ch)
            return p.vk;
        if (p.shifted == ch)
            return static_cast<std::uint16_t>(0x100 | p.vk);
    }
    switch (ch) {
        case L' ':
            return 0x20;
        case L'\t':
            return 0x09;
        case L'\r':
            return 0x0D;
        case L'\n':
            return 0x20D;  // Ctrl+Enter
        case L'\b':
            return 0x08;
        case 0x1B:
            return 0x2DB;  // Ctrl+[
        default:
            break;
    }
    if (ch >= 1 && ch <= 26)
        return static_cast<std::uint16_t>(0x200 | ('A' + ch - 1));
    return 0xFFFF;
}

wchar_t UsCharFor(std::uint8_t vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z')
        return shift ? static_cast<wchar_t>(vk) : static_cast<wchar_t>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return shift ? kShiftedDigits[vk - '0'] : static_cast<wchar_t>(vk);
    for (const Punct& p : kPunct) {
        if (p.vk == vk)
            return shift ? p.shifted : p.plain;
    }
    switch (vk) {
        case 0x20:
            return L' ';
        case 0x09:
            return L'\t';
        case 0x0D:
            return L'\r';
        case 0x08:
            return L'\b';
        case 0x1B:
            return 0x1B;
        case 0x6A:
            return L'*';
        case 0x6B:
            return L'+';
        case 0x6D:
            return L'-';
        case 0x6F:
            return L'/';
        default:
            break;
    }
    return 0;
}

std::uint32_t UsScanCodeFor(std::uint32_t vk) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static const std::uint8_t kLetterScan[] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                               0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                               0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (vk >= 'A' && vk <= 'Z')
        return kLetterScan[std::strchr(kLetters, static_cast<int>(vk)) - kLetters];
    if (vk >= '1' && vk <= '9')
        return vk - '1' + 0x02;
    if (vk == '0')
        return 0x0B;
    if (vk >= 0x70 && vk <= 0x79)
        return vk - 0x70 + 0x3B;  // F1 .. F10
    static const std::uint8_t kNumpadScan[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    if (vk >= 0x60 && vk <= 0x69)
        return kNumpadScan[vk - 0x60];
    switch (vk) {
        case 0x08:
            return 0x0E;
        case 0x09:
            return 0x0F;
        case 0x0D:
            return 0x1C;
        case 0x10:
            return 0x2A;
        case 0x11:
            return 0x1D;
        case 0x12:
            return 0x38;
        case 0x14:
            return 0x3A;
        case 0x1B:
            return 0x01;
        case 0x20:
            return 0x39;
        case 0x21:
            return 0x49;
        case 0x22:
            return 0x51;
        case 0x23:
            return 0x4F;
        case 0x24:
            return 0x47;
        case 0x25:
            return 0x4B;
        case 0x26:
            return 0x48;
        case 0x27:
            return 0x4D;
        case 0x28:
            return 0x50;
        case 0x2D:
            return 0x52;
        case 0x2E:
            return 0x53;
        case 0x5B:
            return 0x5B;
        case 0x5C:
            return 0x5C;
        case 0x5D:
            return 0x5D;
        case 0x6A:
            return 0x37;
        case 0x6B:
            return 0x4E;
        case 0x6D:
            return 0x4A;
        case 0x6E:
            return 0x53;
        case 0x6F:
            return 0x35;
        case 0x7A:
            return 0x57;
        case 0x7B:
            return 0x58;
        case 0x90:
            return 0x45;
        case 0x91:
            return 0x46;
        case 0xA5:
            return 0x38;
        case 0xBA:
            return 0x27;
        case 0xBB:
            return 0x0D;
        case 0xBC:
            return 0x33;
        case 0xBD:
            return 0x0C;
        case 0xBE:
            return 0x34;
        case 0xBF:
            return 0x35;
        case 0xC0:
            return 0x29;
        case 0xDB:
            return 0x1A;
        case 0xDC:
            return 0x2B;
        case 0xDD:
            return 0x1B;
        case 0xDE:
            return 0x28;
        default:
            return 0;
    }
}

}  // namespace tandrel::fakes
