// Show Targets: the targets of the selected filter marked with their numbers for a moment, and
// the Send button's tooltip counting them.
#include "ui/show_targets.h"

#include "ui/main_dialog.h"

namespace tandrel {

std::wstring SendButtonTip(std::size_t targets, bool inBackground) {
    return L"Send to " + std::to_wstring(targets) + (targets == 1 ? L" terminal" : L" terminals") +
           (inBackground ? L" in the background" : L"");
}

std::wstring TargetsNote(std::size_t marked, std::size_t hidden, std::size_t minimised) {
    if (marked + hidden + minimised == 0)
        return L"No terminal passes the filter";
    std::wstring note;
    if (hidden > 0)
        note = std::to_wstring(hidden) + L" hidden";
    if (minimised > 0)
        note += (note.empty() ? L"" : L", ") + std::to_wstring(minimised) + L" minimised";
    return note;
}

void CMainDialog::ShowTargets() {
    CollectTargets();
    std::vector<TargetMark> marks;
    std::size_t hidden = 0;
    std::size_t minimised = 0;
    for (std::size_t i = 0; i < TargetList.size(); ++i) {
        const WindowId w = TargetList[i];
        if (!platform.windows.IsVisible(w)) {
            ++hidden;
        } else if (platform.windows.IsMinimized(w)) {
            ++minimised;
        } else {
            marks.push_back({w, static_cast<int>(i + 1)});
        }
    }
    // Where nothing can be drawn over other windows, the tooltip still counts the targets.
    if (platform.marks != nullptr)
        platform.marks->Show(marks, TargetsNote(marks.size(), hidden, minimised), mainWindow, kTargetMarksMs);
    UpdateSendTip();
}

void CMainDialog::UpdateSendTip() {
    if (host == nullptr)
        return;
    // Counting must not disturb a list that a command may be walking.
    const std::vector<WindowId> walking = TargetList;
    CollectTargets();
    host->SetItemTip(mainid::kSend, SendButtonTip(TargetList.size(), settings.typeInBackground != 0));
    TargetList = walking;
}

}  // namespace tandrel
