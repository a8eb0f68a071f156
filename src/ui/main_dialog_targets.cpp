// The main window's target list: the filter in force and the collections under it.
#include <algorithm>

#include "targets/filter.h"
#include "targets/targets.h"
#include "ui/main_dialog.h"
#include "ui/targets_dialog.h"

namespace tandrel {

std::wstring_view CMainDialog::FilterInForce(std::int32_t index) const {
    if (isExiting)
        return kBuiltInFilter;
    // The selected index always names an entry; should it ever not, the filter selects nothing
    // rather than reaching windows the operator did not choose.
    if (index < 0 || static_cast<std::size_t>(index) >= filterList.size())
        return {};
    return filterList[static_cast<std::size_t>(index)];
}

void CMainDialog::CollectTargets(std::wstring_view definition) {
    TargetList = tandrel::CollectTargets(platform.windows, definition);
    // The windows unticked stay out of every command and arrangement; at exit every hidden
    // terminal is shown again, ticked or not.
    if (!isExiting)
        TargetList = targetChoice.Ticked(platform.windows, TargetList);
}

std::vector<WindowId> CMainDialog::CollectCandidates() {
    targetChoice.Prune(platform.windows);
    return tandrel::CollectTargets(platform.windows, FilterInForce());
}

std::wstring CMainDialog::TitleOf(WindowId w) {
    wchar_t buffer[kNameBufferUnits];
    const std::size_t n = platform.windows.ReadTitle(w, buffer, kNameBufferUnits);
    return std::wstring(buffer, std::min(n, kNameBufferUnits - 1));
}

std::wstring CMainDialog::LastDeliveryOutcome(WindowId w) const {
    if (std::find(lastDelivered.begin(), lastDelivered.end(), w) == lastDelivered.end())
        return {};
    for (const MissedTarget& m : lastMissed) {
        if (m.window != w)
            continue;
        const std::wstring why(MissReasonText(m.reason));
        return m.reason == MissReason::kTypedInForeground ? L"served, " + why : L"missed: " + why;
    }
    return L"served";
}

void CMainDialog::OpenTargetsWindow() {
    if (host == nullptr)
        return;
    if (targetsWindow != nullptr && targetsWindow->Host() != nullptr) {
        platform.windows.BringToForeground(targetsWindow->Host()->Window());
        return;
    }
    targetsWindow = std::make_unique<CTargetsDialog>(*this);
    host->OpenModeless(*targetsWindow);
}

void CMainDialog::RememberTargetsWindowPlace(WindowPlace place) {
    if (TargetsWindowPlace() == place)
        return;
    WriteTargetsWindowPlace(profile, place);
    SaveSettings();
}

void CMainDialog::ReportNoTarget() {
    if (!TargetList.empty() || host == nullptr)
        return;
    // Every terminal the filter takes may be unticked in the Targets window.
    const bool allUnticked = !CollectCandidates().empty();
    host->ShowMessageBox(
        (allUnticked ? L"Every terminal window that passes the filter " + GetFilterName(FilterInForce()) +
                           L" is unticked in the Targets window: nothing was sent.\n\nTick one there, or "
                     : L"No terminal window passes the filter " + GetFilterName(FilterInForce()) +
                           L": nothing was sent.\n\nOpen a terminal whose title the filter takes, or ") +
            L"choose another filter; the command waits in the history.",
        L"Tandrel", mb::kOk | mb::kIconExclamation);
    RestoreCommandFocus();
}

const std::vector<WindowId>& CMainDialog::CollectEveryTerminalWindow() {
    // Measured whether ticked or not.
    TargetList = tandrel::CollectTargets(platform.windows, kBuiltInFilter);
    return TargetList;
}

}  // namespace tandrel
