#include "broadcast/broadcast_sequence.h"

#include "platform/secret_text.h"

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

// Every text built here may be a password: each is sized exactly before it is filled, so that no
// buffer holding part of it is ever freed unwiped, and the intermediate ones are wiped.

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    std::size_t count = 0;
    if (!from.empty()) {
        for (std::size_t at = text.find(from); at != std::wstring_view::npos;
             at = text.find(from, at + from.size()))
            ++count;
    }
    std::wstring out;
    out.reserve(text.size() - count * from.size() + count * to.size());
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
    std::size_t size = 0;
    for (wchar_t ch : text) size += ch == L'\0' ? 0 : EscapeFor(ch).empty() ? 1 : EscapeFor(ch).size();
    std::wstring out;
    out.reserve(size);
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
    std::wstring withIncrement =
        ReplaceAll(text, kIncrementMarkerText, std::wstring_view(&kIncrementMarker, 1));
    ScopedWipe wipeIncrement(withIncrement);
    std::wstring withMarkers =
        ReplaceAll(withIncrement, kControlMarkerText, std::wstring_view(&kControlMarker, 1));
    ScopedWipe wipeMarkers(withMarkers);
    return EscapeCommandText(withMarkers);
}

std::wstring BuildTargetSequence(std::wstring_view base, std::size_t position,
                                 const TargetSequenceOptions& options) {
    constexpr std::wstring_view kNoDelay = L"{DELAY=0}";
    constexpr std::wstring_view kCapsLock = L"{CAPSLOCK}";
    constexpr std::wstring_view kTab = L"{TAB}";
    constexpr std::wstring_view kEnter = L"^m";
    std::wstring numbered =
        ReplaceAll(base, std::wstring_view(&kIncrementMarker, 1), std::to_wstring(position));
    ScopedWipe wipeNumbered(numbered);
    std::wstring text = options.isCommandText
                            ? ReplaceAll(numbered, std::wstring_view(&kControlMarker, 1), L"^")
                            : std::wstring();
    ScopedWipe wipeText(text);
    const std::wstring_view body =
        options.isCommandText ? std::wstring_view(text) : std::wstring_view(numbered);
    const bool caps = options.isCommandText && options.capsLockOn;
    const std::wstring_view end = !options.isCommandText ? L""
                                  : options.endWithTab   ? kTab
                                  : options.sendCR       ? kEnter
                                                         : L"";

    std::wstring sequence;
    sequence.reserve(kNoDelay.size() + body.size() + end.size() + (caps ? 2 * kCapsLock.size() : 0));
    if (caps)
        sequence.append(kCapsLock);
    sequence.append(kNoDelay).append(body);
    if (caps)
        sequence.append(kCapsLock);
    sequence.append(end);
    return sequence;
}

}  // namespace tandrel
