// The key sequences of a broadcast: the base sequence built once from the text, and the
// sequence each target window receives.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// Inside one broadcast "{%INC%}" and "{%CTRL%}" travel as single control characters, so
// escaping leaves them alone.
inline constexpr std::wstring_view kIncrementMarkerText = L"{%INC%}";
inline constexpr std::wstring_view kControlMarkerText = L"{%CTRL%}";
inline constexpr wchar_t kIncrementMarker = L'\x0001';
inline constexpr wchar_t kControlMarker = L'\x0002';

// Every occurrence of `from` replaced by `to`, left to right, without rescanning replacements.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// The text with each character the key-sequence language treats specially replaced by the
// braced name of the key that types it, so the player types it literally; a NUL, which would
// end the sequence, is left out.
std::wstring EscapeCommandText(std::wstring_view text);

// Built once per broadcast. Command text: the marker texts become their marker characters and
// the rest is escaped. Any other text is already a key sequence and is taken unchanged.
std::wstring BuildBaseSequence(std::wstring_view text, bool isCommandText);

struct TargetSequenceOptions {
    bool isCommandText = false;
    bool capsLockOn = false;  // read anew for each target
    bool endWithTab = false;
    bool sendCR = true;
};

// The sequence for the target at 1-based `position`: "{DELAY=0}" so no delay carries over
// from an earlier sequence, the position for every increment marker; for command text also
// Ctrl for every control marker, Caps Lock switched off around the text, and Tab or Enter
// (Ctrl+M) at the end.
std::wstring BuildTargetSequence(std::wstring_view base, std::size_t position,
                                 const TargetSequenceOptions& options);

}  // namespace tandrel
