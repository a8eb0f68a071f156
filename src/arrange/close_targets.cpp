// Close: after the operator's yes, the processes that own the targets are ended at once.
#include <algorithm>
#include <cstdint>
#include <set>

#include "targets/terminal_window.h"
#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {
constexpr std::uint32_t kEndedExitCode = 0xFFFFFFFFu;
constexpr wchar_t kCloseQuestion[] = L"Are you sure you want to\nclose filtered PuTTYs?";
constexpr wchar_t kCaption[] = L"Tandrel";
}  // namespace

void CMainDialog::CloseTargets() {
    CollectTargets();
    if (TargetList.empty())
        return;
    // Nothing is ended without the operator's yes; with no window to ask from, nobody said it.
    if (host == nullptr)
        return;
    if (host->ShowMessageBox(kCloseQuestion, kCaption, mb::kYesNo | mb::kIconExclamation) != mb::kIdYes)
        return;

    IWindowSystem& windows = platform.windows;
    const std::uint32_t self = windows.CurrentProcessId();
    std::set<std::uint32_t> ended;
    for (WindowId target : TargetList) {
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
