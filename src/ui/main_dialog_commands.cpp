// Commands from the command box (the add step, the broadcast, and the history's steps) and the
// report of the targets a run missed.
#include "broadcast/broadcast.h"
#include "broadcast/broadcast_sequence.h"
#include "broadcast/delivery_report.h"
#include "platform/diagnostics.h"
#include "platform/secret_text.h"
#include "platform/text_util.h"
#include "ui/dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel {
namespace {
constexpr std::size_t kHistorySize = 100;

// A balloon holds some 255 characters, too few for the list: it says how many missed what, and
// where the list is.
std::wstring BalloonText(std::wstring_view missedWhat, std::size_t count) {
    std::wstring text = std::to_wstring(count) + (count == 1 ? L" terminal missed " : L" terminals missed ");
    text.append(missedWhat);
    text.append(L". Open the main window for the list; tandrel.exe /targets lists the terminals.");
    return text;
}
}  // namespace

void CMainDialog::RecordInHistory(const std::wstring& text) {
    if (!TrimWhiteSpace(text).empty()) {
        if (commandHistory.size() >= kHistorySize)
            commandHistory.erase(commandHistory.begin());
        commandHistory.push_back(text);  // as typed, spaces and line breaks included
    }
    historyCursor = static_cast<std::int32_t>(commandHistory.size());
}

void CMainDialog::RunInTurn(std::function<void()> step) {
    commandsInTurn.push_back(std::move(step));
    if (commandRunning)
        return;  // the command under way runs it after itself
    commandRunning = true;
    while (!commandsInTurn.empty()) {
        const std::function<void()> next = std::move(commandsInTurn.front());
        commandsInTurn.pop_front();
        next();
    }
    commandRunning = false;
}

void CMainDialog::SubmitCommand(const std::wstring& text, bool endWithTab) {
    RecordInHistory(text);
    commandBox.SetCommandText(L"");
    RunInTurn([this, text, endWithTab] {
        ReportMissed(L"the command", BroadcastKeys(text, endWithTab, true));
        RestoreCommandFocus();
        ReportNoTarget();
    });
}

void CMainDialog::HistoryOlder() {
    if (commandHistory.empty())
        return;
    if (--historyCursor < 0)
        historyCursor = static_cast<std::int32_t>(commandHistory.size()) - 1;
    commandBox.SetCommandText(commandHistory[static_cast<std::size_t>(historyCursor)]);
    RestoreCommandFocus();
}

void CMainDialog::HistoryNewer() {
    if (commandHistory.empty())
        return;
    if (++historyCursor >= static_cast<std::int32_t>(commandHistory.size()))
        historyCursor = 0;
    commandBox.SetCommandText(commandHistory[static_cast<std::size_t>(historyCursor)]);
    RestoreCommandFocus();
}

void CMainDialog::HistoryClear() {
    if (!commandHistory.empty() &&
        host->ShowMessageBox(L"Are you sure you want to\nclear the command history?", L"Tandrel",
                             mb::kYesNo | mb::kIconExclamation) == mb::kIdYes) {
        commandHistory.clear();
        historyCursor = 0;
        commandBox.SetCommandText(L"");
    }
    RestoreCommandFocus();
}

std::vector<MissedTarget> CMainDialog::BroadcastKeys(const std::wstring& text, bool endWithTab,
                                                     bool isCommandText) {
    // The text may be a password: every sequence made of it is wiped once it has been typed.
    std::wstring base = BuildBaseSequence(text, isCommandText);
    ScopedWipe wipeBase(base);
    return SendToTargets(base, endWithTab,
                         isCommandText ? CapsLockWrapping::kCommand : CapsLockWrapping::kNone);
}

std::vector<MissedTarget> CMainDialog::BroadcastScript(const std::wstring& sequence) {
    return SendToTargets(sequence, false, CapsLockWrapping::kScript);
}

std::vector<MissedTarget> CMainDialog::SendToTargets(const std::wstring& base, bool endWithTab,
                                                     CapsLockWrapping capsLock) {
    CollectTargets();
    BroadcastOptions options;
    options.endWithTab = endWithTab;
    options.sendCR = settings.sendCR != 0;
    options.capsLock = capsLock;
    options.transitionMs = settings.transition;
    options.inBackground = TypesInBackground();
    const BroadcastPorts ports{keySender, platform.windows, platform.clock};
    // The list this run serves: in the background the window's own messages are handled while
    // the targets are waited for, and one of them may collect the targets anew.
    const std::vector<WindowId> targets = TargetList;
    std::vector<MissedTarget> missed = options.inBackground
                                           ? TypeIntoTargetsInBackground(ports, targets, base, options)
                                           : TypeIntoTargets(ports, targets, base, options);
    lastDelivered = targets;
    lastMissed = missed;
    // Without a window of its own there is nothing to redraw (a null window would mean the
    // whole desktop).
    if (mainWindow != kNoWindow) {
        platform.windows.Redraw(mainWindow, rdw::kInvalidate | rdw::kErase | rdw::kUpdateNow);
    }
    return missed;
}

MissedTarget CMainDialog::Missed(WindowId target, MissReason reason) {
    return MissedTargetOf(platform.windows, target, reason);
}

void CMainDialog::ReportMissed(std::wstring_view missedWhat, const std::vector<MissedTarget>& missed) {
    if (missed.empty())
        return;  // every target was served: nothing to say
    const std::wstring text = DeliveryReportText(missedWhat, missed);
    Trace(text);
    // Hidden in the tray, the main window has no place for a message box: the icon says it, and
    // the list waits for the window to be opened from there.
    if (trayIconShown && platform.tray != nullptr && !platform.windows.IsVisible(mainWindow)) {
        platform.tray->ShowBalloon(L"Tandrel", BalloonText(missedWhat, missed.size()));
        unseenReport = text;
        return;
    }
    // Without a window of its own there is no place for a box either: the trace holds the text.
    if (host != nullptr)
        host->ShowMessageBox(text, L"Tandrel", mb::kOk | mb::kIconExclamation);
}

void CMainDialog::OpenFromTray() {
    OpenMainWindow();
    if (unseenReport.empty() || host == nullptr)
        return;
    const std::wstring text = std::move(unseenReport);
    unseenReport.clear();
    host->ShowMessageBox(text, L"Tandrel", mb::kOk | mb::kIconExclamation);
}

}  // namespace tandrel
