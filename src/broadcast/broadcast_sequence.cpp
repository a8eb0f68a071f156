#include "broadcast/broadcast_sequence.h"

namespace tandrel {

namespace {

// The replacement for a character the player would otherwise read as syntax; empty for none.
std::wstring_view EscapeFor(wchar_t ch) {
    switch (ch) {
        case L'%':
            return L"{PERCENT}";
        case L'(':
            return L"{LEFTPAREN}";
        case L')':
            return L"{RIGHTPAREN}";
        case L'+':
            return L"{PLUS}";
        case L'@':
            return L"{AT}";
        case L'^':
            return L"{CARET}";
        case L'{':
            return L"{LEFTBRACE}";
        case L'}':
            return L"{RIGHTBRACE}";
        case L'~':
            return L"{TILDE}";
        default:
            return {};
    }
}

}  // namespace

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t start = 0;
    if (!from.empty()) {
        for (std::size_t at = text.find(from); at != std::wstring_view::npos; at = text.find(from, start)) {
            out.append(text.substr(start, at - start));
            out.append(to);
            start = at + from.size();
        }
    }
    out.append(text.substr(start));
    return out;
}

std::wstring EscapeCommandText(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 4);
    for (wchar_t ch : text) {
        // A NUL types nothing, and the player would take it for the end of the sequence: the
        // rest of the command, the closing Caps Lock stroke and the Enter would be lost (a
        // password decoded from the profile can hold one). It is left out.
        if (ch == L'\0')
            continue;
        const std::wstring_view escaped = EscapeFor(ch);
        if (escaped.empty()) {
            out.push_back(ch);
        } else {
            out.append(escaped);
        }
    }
    return out;
}

std::wstring BuildBaseSequence(std::wstring_view text, bool isCommandText) {
    if (!isCommandText)
        return std::wstring(text);
    const std::wstring withIncrement =
        ReplaceAll(text, kIncrementMarkerText, std::wstring_view(&kIncrementMarker, 1));
    const std::wstring withMarkers =
        ReplaceAll(withIncrement, kControlMarkerText, std::wstring_view(&kControlMarker, 1));
    return EscapeCommandText(withMarkers);
}

std::wstring BuildTargetSequence(std::wstring_view base, std::size_t position,
                                 const TargetSequenceOptions& options) {
    std::wstring sequence = L"{DELAY=0}";
    sequence.append(base);
    sequence = ReplaceAll(sequence, std::wstring_view(&kIncrementMarker, 1), std::to_wstring(position));
    if (!options.isCommandText)
        return sequence;

    sequence = ReplaceAll(sequence, std::wstring_view(&kControlMarker, 1), L"^");
    if (options.capsLockOn)
        sequence = L"{CAPSLOCK}" + sequence + L"{CAPSLOCK}";
    if (options.endWithTab) {
        sequence.append(L"{TAB}");
    } else if (options.sendCR) {
        sequence.append(L"^m");
    }
    return sequence;
}

}  // namespace tandrel
