// Script files ("*.tdl"): text in the key-sequence language, one command per line, turned into
// one key sequence that is played, unescaped, into every target in turn.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// Lines are read through a buffer of this many characters, terminator included, so a piece
// holds at most kScriptPieceLimit characters (counted as UTF-16 units) and a longer line is
// read as several pieces.
inline constexpr std::size_t kScriptLineBufferSize = 65536;
inline constexpr std::size_t kScriptPieceLimit = kScriptLineBufferSize - 1;

// The file's text as text-mode reading gives it. A file that begins with a UTF-8, UTF-16LE or
// UTF-16BE byte-order mark is read in that encoding, the mark dropped; any other file byte for
// byte, each byte the character of the same value (U+0001 to U+00FF). A carriage return right
// before a line feed is dropped, and so is a NUL; any other carriage return reads as a line feed.
std::wstring ReadScriptText(std::string_view fileBytes);

// The sequence for a script file's bytes: "{CAPSLOCK}" first when Caps Lock is on, the pieces
// as read, each without its line feed, joined by "^m" (one Enter per line), a final "^m" when
// `sendCR` is set, and "{CAPSLOCK}" last when it was put first. Marker texts such as "{%INC%}" stay as they
// are.
std::wstring BuildScriptSequence(std::string_view fileBytes, bool capsLockOn, bool sendCR);

}  // namespace tandrel
