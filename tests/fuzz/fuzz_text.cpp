#include "fuzz/fuzz_text.h"

#include <cstdio>
#include <cstdlib>

namespace tandrel::fuzz {

namespace {

// Reads one character at `i` and moves past it; an escape cut short by the end reads as nothing.
bool NextUnit(const std::uint8_t* data, std::size_t size, std::size_t& i, wchar_t& unit) {
    const std::uint8_t b = data[i++];
    if (b != kEscapeByte) {
        unit = static_cast<wchar_t>(b);
        return true;
    }
    if (size - i < 2) {
        i = size;
        return false;
    }
    unit = static_cast<wchar_t>((data[i] << 8) | data[i + 1]);
    i += 2;
    return true;
}

}  // namespace

std::vector<std::wstring> PiecesFromBytes(const std::uint8_t* data, std::size_t size, std::size_t maxPieces) {
    std::vector<std::wstring> pieces(1);
    std::size_t i = 0;
    while (i < size) {
        if (data[i] == kSeparatorByte && pieces.size() < maxPieces) {
            pieces.emplace_back();
            ++i;
            continue;
        }
        wchar_t unit = 0;
        if (NextUnit(data, size, i, unit))
            pieces.back().push_back(unit);
    }
    return pieces;
}

std::wstring TextFromBytes(const std::uint8_t* data, std::size_t size) {
    return PiecesFromBytes(data, size, 1).front();
}

std::wstring WideFromUnits(std::wstring_view units) {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::wstring(units);
    } else {
        std::wstring out;
        out.reserve(units.size());
        for (std::size_t i = 0; i < units.size(); ++i) {
            const auto u = static_cast<std::uint32_t>(units[i]);
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size()) {
                const auto low = static_cast<std::uint32_t>(units[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00)));
                    ++i;
                    continue;
                }
            }
            out.push_back(units[i]);
        }
        return out;
    }
}

std::string Describe(std::wstring_view text) {
    std::string out = "(" + std::to_string(text.size()) + " units)";
    char buf[16];
    for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
        std::snprintf(buf, sizeof buf, " U+%04X", static_cast<unsigned>(text[i]));
        out += buf;
    }
    if (text.size() > 200)
        out += " ...";
    return out;
}

void Fail(const char* what, std::wstring_view a, std::wstring_view b) {
    std::fprintf(stderr, "\nFINDING: %s\n  first:  %s\n  second: %s\n", what, Describe(a).c_str(),
                 Describe(b).c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace tandrel::fuzz
