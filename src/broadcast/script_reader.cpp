#include "broadcast/script_reader.h"

#include <cstdint>

#include "platform/text_codec.h"

namespace tandrel {

namespace {

constexpr std::wstring_view kCapsLock = L"{CAPSLOCK}";
constexpr std::wstring_view kEnter = L"^m";  // Ctrl+M reaches a terminal as Enter

bool HasByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
           bytes.starts_with("\xFE\xFF");
}

// The character at `i`: how many string elements it takes and how many UTF-16 units it counts
// for. A surrogate pair is one character of two units and is never cut in two.
struct Char {
    std::size_t length = 1;
    std::size_t units = 1;
};

// A template, so that only the branch for the platform's width of wchar_t is compiled.
template <typename Wide = wchar_t>
Char CharAt(std::basic_string_view<Wide> text, std::size_t i) {
    if constexpr (sizeof(Wide) == 2) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            return Char{2, 2};
    } else {
        if (static_cast<std::uint32_t>(text[i]) > 0xFFFF)
            return Char{1, 2};
    }
    return Char{};
}

// The end of the piece that starts at `pos`: just after the first line feed, or where the piece
// limit is reached, or at the end of the text, whichever comes first.
std::size_t PieceEnd(std::wstring_view text, std::size_t pos) {
    std::size_t units = 0;
    while (pos < text.size()) {
        const Char c = CharAt<wchar_t>(text, pos);
        if (units + c.units > kScriptPieceLimit)
            break;
        units += c.units;
        pos += c.length;
        if (text[pos - 1] == L'\n')
            break;
    }
    return pos;
}

}  // namespace

std::wstring ReadScriptText(std::string_view fileBytes) {
    std::wstring text;
    if (HasByteOrderMark(fileBytes)) {
        text = DecodeText(fileBytes);
    } else {
        text.reserve(fileBytes.size());
        for (const char b : fileBytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(b)));
    }
    // Text mode: CR LF reads as LF, and so does a carriage return alone, a line end of its own. A
    // NUL types nothing and would end the sequence where the player meets it, cutting off the
    // lines after it and the closing Caps Lock stroke, so it is left out.
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        if (text[i] == L'\0')
            continue;
        text[out++] = text[i] == L'\r' ? L'\n' : text[i];
    }
    text.resize(out);
    return text;
}

std::wstring BuildScriptSequence(std::string_view fileBytes, bool capsLockOn, bool sendCR) {
    const std::wstring text = ReadScriptText(fileBytes);
    std::wstring sequence;
    sequence.reserve(text.size() + 2 * kCapsLock.size() + kEnter.size());
    if (capsLockOn)
        sequence += kCapsLock;
    // A line's own line feed is not typed: through the layout it is Ctrl+Enter, which a terminal
    // sends as a carriage return, a second Enter after the one that joins the lines.
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = PieceEnd(text, pos);
        if (pos != 0)
            sequence += kEnter;
        const bool endsLine = text[end - 1] == L'\n';
        sequence.append(text, pos, end - pos - (endsLine ? 1 : 0));
        pos = end;
    }
    if (sendCR)
        sequence += kEnter;
    if (capsLockOn)
        sequence += kCapsLock;
    return sequence;
}

}  // namespace tandrel
