#include "targets/target_choice.h"

#include <algorithm>

#include "platform/diagnostics.h"

namespace tandrel {

void TargetChoice::SetTicked(WindowId w, bool ticked) {
    const auto at = std::find(unticked_.begin(), unticked_.end(), w);
    if (ticked && at != unticked_.end())
        unticked_.erase(at);
    else if (!ticked && at == unticked_.end())
        unticked_.push_back(w);
}

bool TargetChoice::IsTicked(WindowId w) const {
    return std::find(unticked_.begin(), unticked_.end(), w) == unticked_.end();
}

void TargetChoice::Prune(IWindowSystem& windows) {
    if (unticked_.empty())
        return;
    std::vector<WindowId> existing;
    windows.ListTopLevelWindows(existing);
    std::erase_if(unticked_, [&](WindowId w) {
        if (std::find(existing.begin(), existing.end(), w) != existing.end())
            return false;
        Trace(L"An unticked target closed: its choice is forgotten.");
        return true;
    });
}

std::vector<WindowId> TargetChoice::Ticked(IWindowSystem& windows, const std::vector<WindowId>& collected) {
    Prune(windows);
    std::vector<WindowId> ticked;
    for (WindowId w : collected) {
        if (IsTicked(w))
            ticked.push_back(w);
    }
    return ticked;
}

}  // namespace tandrel
