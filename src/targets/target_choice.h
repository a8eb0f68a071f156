// The operator's choice of single targets: windows unticked in the Targets window are left out
// of every collection until ticked again. The choice is held by window, not by title, so a
// window that retitles itself keeps it; a window that no longer exists drops out of it, and a
// new window that happens to get its handle starts ticked.
#pragma once
#include <vector>

#include "platform/window_system.h"

namespace tandrel {

class TargetChoice {
  public:
    void SetTicked(WindowId w, bool ticked);
    bool IsTicked(WindowId w) const;
    // The windows of `collected` that are ticked, in their order; unticked windows that no
    // longer exist are forgotten first.
    std::vector<WindowId> Ticked(IWindowSystem& windows, const std::vector<WindowId>& collected);
    // Forgets the unticked windows that are no longer top-level windows of the system.
    void Prune(IWindowSystem& windows);
    bool Empty() const { return unticked_.empty(); }

  private:
    std::vector<WindowId> unticked_;
};

}  // namespace tandrel
