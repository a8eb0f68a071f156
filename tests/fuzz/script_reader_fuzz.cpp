// The script reader on arbitrary files against a reference reading that works the way the C
// library's text mode and its line reader do: characters handed out one at a time (CR LF and a
// lone CR as LF, NUL left out), gathered into pieces that end after a line feed or when the next
// character would not fit into the 65,535 units of the line buffer, the pieces without their
// line feeds joined by "^m", then the final "^m" and the Caps Lock wrapping. Both must give the same sequence.
//
// The first input byte holds the switches: bit 0 Caps Lock on, bit 1 sendCR, bit 2 a long line.
// With a long line, the file gets a run of 65,520 to 65,535 letters (the second byte says how
// many beyond 65,520) in front of its text, after its byte-order mark if it has one and in its
// encoding, so that short inputs reach the piece boundary.
//
// Files with a byte-order mark are decoded by the profile's text codec in both readings (its
// own decoding is fuzzed by the INI targets). The native build has 32-bit wchar_t, where a
// character beyond U+FFFF counts two units and is never cut in two.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "broadcast/script_reader.h"
#include "fuzz/fuzz_text.h"
#include "platform/text_codec.h"

namespace {

constexpr std::size_t kLineUnits = 65535;

class TextModeReader {
  public:
    explicit TextModeReader(std::wstring chars) : chars_(std::move(chars)) {}
    // The next character, false at the end of the file.
    bool Get(wchar_t& ch) {
        if (pushedBack_) {
            pushedBack_ = false;
            ch = last_;
            return true;
        }
        while (next_ < chars_.size()) {
            const wchar_t c = chars_[next_++];
            if (c == L'\0')
                continue;
            if (c == L'\r' && next_ < chars_.size() && chars_[next_] == L'\n')
                continue;
            last_ = c == L'\r' ? L'\n' : c;  // a carriage return alone ends its line too
            ch = last_;
            return true;
        }
        return false;
    }
    void PushBack() { pushedBack_ = true; }

  private:
    std::wstring chars_;
    std::size_t next_ = 0;
    wchar_t last_ = 0;
    bool pushedBack_ = false;
};

std::wstring ReferenceSequence(std::string_view file, bool capsLockOn, bool sendCR) {
    std::wstring chars;
    if (file.starts_with("\xEF\xBB\xBF") || file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF")) {
        chars = tandrel::DecodeText(file);
    } else {
        for (const char b : file) chars.push_back(static_cast<wchar_t>(static_cast<unsigned char>(b)));
    }
    TextModeReader reader(std::move(chars));

    std::wstring sequence = capsLockOn ? L"{CAPSLOCK}" : L"";
    bool firstPiece = true;
    for (;;) {
        std::wstring piece;
        std::size_t units = 0;
        wchar_t ch = 0;
        while (reader.Get(ch)) {
            const std::size_t size = static_cast<std::uint32_t>(ch) > 0xFFFF ? 2 : 1;
            if (units + size > kLineUnits) {
                reader.PushBack();
                break;
            }
            piece.push_back(ch);
            units += size;
            if (ch == L'\n')
                break;
        }
        if (piece.empty())
            break;
        if (!firstPiece)
            sequence += L"^m";
        if (piece.back() == L'\n')
            piece.pop_back();  // a line's own line feed is not typed: the joining Enter ends it
        sequence += piece;
        firstPiece = false;
    }
    if (sendCR)
        sequence += L"^m";
    if (capsLockOn)
        sequence += L"{CAPSLOCK}";
    return sequence;
}

// The file with `count` letters put in front of its text, in its encoding.
std::string WithLongLine(std::string_view file, std::size_t count) {
    std::string out;
    if (file.starts_with("\xEF\xBB\xBF")) {
        out = std::string(file.substr(0, 3)) + std::string(count, 'a');
        out += file.substr(3);
    } else if (file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF")) {
        const bool little = file[0] == '\xFF';
        out = std::string(file.substr(0, 2));
        for (std::size_t i = 0; i < count; ++i) out += little ? std::string("a\0", 2) : std::string("\0a", 2);
        out += file.substr(2);
    } else {
        out = std::string(count, 'a') + std::string(file);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const bool capsLockOn = (data[0] & 1) != 0;
    const bool sendCR = (data[0] & 2) != 0;
    std::string file(reinterpret_cast<const char*>(data + 2), size - 2);
    if ((data[0] & 4) != 0)
        file = WithLongLine(file, kLineUnits - 15 + (data[1] & 15));

    const std::wstring built = tandrel::BuildScriptSequence(file, capsLockOn, sendCR);
    const std::wstring expected = ReferenceSequence(file, capsLockOn, sendCR);
    if (built != expected) {
        std::size_t at = 0;
        while (at < built.size() && at < expected.size() && built[at] == expected[at]) ++at;
        const std::size_t from = at < 20 ? 0 : at - 20;
        tandrel::fuzz::Fail("the script sequence differs from the reference reading (built, reference), from",
                            std::wstring_view(built).substr(from), std::wstring_view(expected).substr(from));
    }
    return 0;
}
