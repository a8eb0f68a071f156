// Turning fuzz input bytes into the texts the targets play, match, store and decode, and
// reporting a finding.
//
// A byte stands for the character of its own value, so that plain ASCII seeds read as what they
// say. Two byte values are taken out of that: 0xFF is an escape, whose next two bytes (high byte
// first) give one UTF-16 code unit, so every unit from U+0000 to U+FFFF can be reached; 0xFE
// separates pieces (titles from patterns, one played sequence from the next).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::fuzz {

inline constexpr unsigned char kEscapeByte = 0xFF;
inline constexpr unsigned char kSeparatorByte = 0xFE;

// The pieces of the input, at most `maxPieces`: the last piece takes every separator after it as
// the character U+00FE.
std::vector<std::wstring> PiecesFromBytes(const std::uint8_t* data, std::size_t size, std::size_t maxPieces);

// The whole input as one text (a separator byte stands for U+00FE).
std::wstring TextFromBytes(const std::uint8_t* data, std::size_t size);

// The wide form in which the system holds a text of these UTF-16 units: the same units where
// wchar_t has 16 bits; where it has 32 (the native build), a high surrogate followed by a low one
// becomes the one code point they encode, as the profile reader makes it.
std::wstring WideFromUnits(std::wstring_view units);

// "U+0041 U+00FE ..." for a report, at most the first 200 units.
std::string Describe(std::wstring_view text);

// Prints the finding and aborts, which libFuzzer records as a crash with the input saved.
[[noreturn]] void Fail(const char* what, std::wstring_view a = {}, std::wstring_view b = {});

}  // namespace tandrel::fuzz
