// The target list: every terminal window whose title passes the filter in force, in ordinal
// order of whole titles.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_codec.h"
#include "targets/targets.h"

namespace tandrel {

namespace {

// Reads into a fixed buffer; a boundary that reports more than it copied is held to the buffer.
std::wstring_view ReadInto(std::size_t copied, const wchar_t* buffer, std::size_t capacity) {
    return std::wstring_view(buffer, std::min(copied, capacity - 1));
}

// The whole title, however long: the scratch buffer grows until the title fits with room to
// spare. Titles beyond kLongestTitle units (far past anything a terminal shows) are compared by
// their first kLongestTitle units.
std::wstring ReadWholeTitle(IWindowSystem& windows, WindowId w, std::wstring& scratch) {
    constexpr std::size_t kLongestTitle = 1u << 16;
    if (scratch.size() < 512)
        scratch.resize(512);
    for (;;) {
        const std::size_t copied =
            std::min(windows.ReadTitle(w, scratch.data(), scratch.size()), scratch.size() - 1);
        if (copied + 1 < scratch.size() || scratch.size() > kLongestTitle)
            return scratch.substr(0, copied);
        scratch.resize(scratch.size() * 2);
    }
}

}  // namespace

std::vector<WindowId> CollectTargets(IWindowSystem& windows, std::wstring_view definition) {
    std::vector<WindowId> targets;
    std::vector<WindowId> topLevel;
    windows.ListTopLevelWindows(topLevel);

    wchar_t className[kNameBufferUnits];
    wchar_t title[kNameBufferUnits];
    for (WindowId w : topLevel) {
        const std::size_t classUnits = windows.ReadClassName(w, className, kNameBufferUnits);
        if (!IsTerminalClass(ReadInto(classUnits, className, kNameBufferUnits)))
            continue;
        const std::size_t titleUnits = windows.ReadTitle(w, title, kNameBufferUnits);
        if (TitlePassesFilter(definition, ReadInto(titleUnits, title, kNameBufferUnits))) {
            targets.push_back(w);
        }
    }

    // The system lists every window once; a window listed twice would be typed into twice.
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());

    // Each title is read once more, whole, and the sort works on that snapshot: a terminal may
    // retitle itself at any moment, and the order must stay consistent while sorting.
    // The order is that of the titles' UTF-16 code units (no case folding, no locale), whatever
    // the width of wchar_t: a character beyond U+FFFF sorts by its surrogates, below U+E000.
    std::vector<std::pair<std::u16string, WindowId>> byTitle;
    byTitle.reserve(targets.size());
    std::wstring scratch;
    for (WindowId w : targets) byTitle.emplace_back(ToUtf16Units(ReadWholeTitle(windows, w, scratch)), w);
    std::sort(byTitle.begin(), byTitle.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < byTitle.size(); ++i) targets[i] = byTitle[i].second;
    return targets;
}

}  // namespace tandrel
