// The broadcast: one text typed into every target window in turn.
#include <string>

#include "broadcast/broadcast_sequence.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {

// How long a target may take to really hold the keyboard after it has been brought forward,
// and how long the keys typed into it may take to be routed to it.
constexpr std::uint32_t kFocusBoundMs = 1000;
constexpr std::uint32_t kDeliveryBoundMs = 1000;

}  // namespace

bool CMainDialog::BringTargetForward(WindowId target) {
    IWindowSystem& windows = platform.windows;
    const auto self = static_cast<std::intptr_t>(target);
    // A terminal that does not answer a system command is hung or gone; nothing more is asked
    // of it, since every further call could block on it as well.
    if (!windows.Send(target, wm::kSysCommand, sc::kHotKey, self))
        return false;
    if (!windows.Send(target, wm::kSysCommand, sc::kRestore, self))
        return false;
    windows.Show(target, sw::kShow);
    windows.BringToForeground(target);
    windows.GiveFocus(target);
    // Keys typed before the target holds the keyboard would land in whichever window had it.
    return windows.WaitUntilFocused(target, kFocusBoundMs);
}

void CMainDialog::BroadcastKeys(const std::wstring& text, bool endWithTab, bool isCommandText) {
    const std::wstring base = BuildBaseSequence(text, isCommandText);
    CollectTargets();

    // A negative transition from a hand-edited profile would turn into a wait of weeks.
    const std::uint32_t transitionMs = transition > 0 ? static_cast<std::uint32_t>(transition) : 0;
    for (std::size_t i = 0; i < TargetList.size(); ++i) {
        const WindowId target = TargetList[i];
        TargetSequenceOptions options;
        options.isCommandText = isCommandText;
        options.capsLockOn = isCommandText && platform.keyboard.KeyState(vk::kCapital) != 0;
        options.endWithTab = endWithTab;
        options.sendCR = sendCR != 0;
        const std::wstring sequence = BuildTargetSequence(base, i + 1, options);

        // A target that cannot be brought forward is passed over without notice: nothing is
        // typed for it, so its keys can never land in another window.
        if (BringTargetForward(target)) {
            keySender.PlayKeys(sequence);
            platform.windows.WaitUntilInputDelivered(target, kDeliveryBoundMs);
        }
        platform.clock.Sleep(transitionMs);
    }

    // Without a window of its own there is nothing to redraw (a null window would mean the
    // whole desktop).
    if (mainWindow != kNoWindow) {
        platform.windows.Redraw(mainWindow, rdw::kInvalidate | rdw::kErase | rdw::kUpdateNow);
    }
}

}  // namespace tandrel
