// The target list: every terminal window whose title passes the filter in force, in ordinal
// order of whole titles.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "targets/filter.h"
#include "targets/terminal_window.h"
#include "ui/main_dialog.h"

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

// Ordinal order of UTF-16 code units: no case folding, no locale.
bool OrdinalLess(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return static_cast<std::uint32_t>(x) < static_cast<std::uint32_t>(y);
    });
}

}  // namespace

std::wstring_view CMainDialog::FilterInForce() const {
    if (isExiting || isFinding)
        return kBuiltInFilter;
    // The selected index always names an entry; should it ever not, the filter selects nothing
    // rather than reaching windows the operator did not choose.
    if (selectedFilter < 0 || static_cast<std::size_t>(selectedFilter) >= filterList.size())
        return {};
    return filterList[static_cast<std::size_t>(selectedFilter)];
}

void CMainDialog::CollectTargets() {
    TargetList.clear();
    IWindowSystem& windows = platform.windows;

    std::vector<WindowId> topLevel;
    windows.ListTopLevelWindows(topLevel);
    const std::wstring_view definition = FilterInForce();

    wchar_t className[kNameBufferUnits];
    wchar_t title[kNameBufferUnits];
    for (WindowId w : topLevel) {
        const std::size_t classUnits = windows.ReadClassName(w, className, kNameBufferUnits);
        if (!IsTerminalClass(ReadInto(classUnits, className, kNameBufferUnits)))
            continue;
        const std::size_t titleUnits = windows.ReadTitle(w, title, kNameBufferUnits);
        if (TitlePassesFilter(definition, ReadInto(titleUnits, title, kNameBufferUnits))) {
            TargetList.push_back(w);
        }
    }

    // The system lists every window once; a window listed twice would be typed into twice.
    std::sort(TargetList.begin(), TargetList.end());
    TargetList.erase(std::unique(TargetList.begin(), TargetList.end()), TargetList.end());

    // Each title is read once more, whole, and the sort works on that snapshot: a terminal may
    // retitle itself at any moment, and the order must stay consistent while sorting.
    std::vector<std::pair<std::wstring, WindowId>> byTitle;
    byTitle.reserve(TargetList.size());
    std::wstring scratch;
    for (WindowId w : TargetList) byTitle.emplace_back(ReadWholeTitle(windows, w, scratch), w);
    std::sort(byTitle.begin(), byTitle.end(),
              [](const auto& a, const auto& b) { return OrdinalLess(a.first, b.first); });
    for (std::size_t i = 0; i < byTitle.size(); ++i) TargetList[i] = byTitle[i].second;
}

}  // namespace tandrel
