// The targets: which top-level windows are terminals, how a filter definition selects them by
// title, and the collection of the target list.
#pragma once
#include <string_view>
#include <vector>

#include "platform/window_system.h"
#include "targets/filter.h"
#include "targets/terminal_window.h"

namespace tandrel {

// Every terminal window whose title passes `definition`, each once, in ordinal order of whole
// titles (UTF-16 code units, no case folding, no locale).
std::vector<WindowId> CollectTargets(IWindowSystem& windows, std::wstring_view definition);

}  // namespace tandrel
