// Close: the processes that own the targets are ended at once.
#include <algorithm>
#include <cstdint>
#include <set>

#include "arrange/arrange.h"
#include "targets/terminal_window.h"

namespace tandrel {

namespace {
constexpr std::uint32_t kEndedExitCode = 0xFFFFFFFFu;
}  // namespace

void EndTargetProcesses(IWindowSystem& windows, const std::vector<WindowId>& targets) {
    const std::uint32_t self = windows.CurrentProcessId();
    std::set<std::uint32_t> ended;
    for (WindowId target : targets) {
        // The question may have stood open for long: a window that has closed since and whose
        // handle now names another program's window must not take that program down.
        wchar_t className[kNameBufferUnits];
        const std::size_t units = windows.ReadClassName(target, className, kNameBufferUnits);
        if (!IsTerminalClass(std::wstring_view(className, std::min(units, kNameBufferUnits - 1))))
            continue;
        const std::uint32_t process = windows.ProcessOf(target);
        if (process == 0 || process == self || !ended.insert(process).second)
            continue;
        // A process that cannot be opened (another user's, an elevated one) is passed over.
        windows.EndProcess(process, kEndedExitCode);
    }
}

}  // namespace tandrel
