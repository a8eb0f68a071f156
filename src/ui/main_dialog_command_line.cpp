// Requests of the command line, carried out by the main window: here, or in the instance that was
// already running when the record was handed to it.
#include <cwctype>

#include "cli/handoff_record.h"
#include "cli/handoff_result.h"
#include "platform/diagnostics.h"
#include "targets/filter.h"
#include "ui/main_dialog.h"

namespace tandrel {

namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<std::wint_t>(a[i])) != std::towlower(static_cast<std::wint_t>(b[i])))
            return false;
    return true;
}

// The filter named on the command line: the exact name first, else the first whose name differs
// only in letter case; -1 when none is called so.
int FindFilter(const std::vector<std::wstring>& filters, std::wstring_view name) {
    for (std::size_t pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < filters.size(); ++i) {
            const std::wstring n = GetFilterName(filters[i]);
            if (pass == 0 ? n == name : SameIgnoringCase(n, name))
                return static_cast<int>(i);
        }
    return -1;
}

std::wstring Terminals(std::size_t n) {
    return std::to_wstring(n) + (n == 1 ? L" terminal" : L" terminals");
}

}  // namespace

CommandOutcome CMainDialog::RunCommandRequest(const CommandRequest& request) {
    CommandOutcome out;
    // The request's own way of typing holds for it alone.
    requestTypesInBackground = request.inBackground;
    struct Reset {
        std::optional<bool>& way;
        ~Reset() { way.reset(); }
    } resetWay{requestTypesInBackground};
    const std::int32_t selected = selectedFilter;
    if (request.filterGiven) {
        const int index = FindFilter(filterList, request.filter);
        if (index < 0) {
            std::wstring names;
            for (const std::wstring& f : filterList)
                names += (names.empty() ? L"" : L", ") + GetFilterName(f);
            out.exitCode = cli::kBadArguments;
            out.lines = {L"Unknown filter \"" + request.filter + L"\"; the filters are: " + names,
                         CommandLineUsage()};
            return out;
        }
        selectedFilter = index;
    }
    // A request from the command line leaves the foreground where it was: with the caller's
    // console, say, rather than with the last terminal typed into or with this window.
    const WindowId inFront = platform.windows.ForegroundWindow();

    // A request is reported to its caller alone: the window shows no message box for it, so
    // the caller's wait covers the broadcast only.
    std::vector<MissedTarget> missed;
    std::wstring_view missedWhat = L"the command";
    switch (request.action) {
        case CommandAction::kOpen:
            selectedFilter = selected;
            return RunOpenRequest(request);
        case CommandAction::kTargets: {
            // Numbered as {%INC%} numbers them: the ticked windows only; an unticked one is
            // listed with a dash.
            std::size_t number = 0;
            for (const WindowId w : CollectCandidates()) {
                const bool ticked = targetChoice.IsTicked(w);
                const wchar_t* state = !platform.windows.IsVisible(w)    ? L" (hidden)"
                                       : platform.windows.IsMinimized(w) ? L" (minimised)"
                                                                         : L"";
                out.lines.push_back((ticked ? std::to_wstring(++number) : L"-") + L"\t" + TitleOf(w) + state +
                                    (ticked ? L"" : L" (unticked)"));
            }
            break;
        }
        case CommandAction::kSend:
            // As typed into the command box, whose half-typed text stays where it is.
            RecordInHistory(request.text);
            missed = BroadcastKeys(request.text, request.endWithTab, true);
            ReturnForegroundTo(inFront);
            break;
        case CommandAction::kScript: {
            std::string bytes;
            if (platform.storage.ReadFile(request.text, bytes) != FileRead::kRead) {
                out.exitCode = cli::kBadArguments;
                out.lines = {L"Cannot read the script file \"" + request.text + L"\"."};
                break;
            }
            missedWhat = L"the script";
            missed = PlayScript(bytes);
            ReturnForegroundTo(inFront);
            break;
        }
    }
    if (request.action != CommandAction::kTargets && out.exitCode == cli::kAllServed) {
        const std::size_t all = TargetList.size();
        if (missed.empty()) {
            out.lines.push_back(L"Sent to " + Terminals(all) + L".");
        } else {
            Trace(DeliveryReportText(missedWhat, missed));
            out.exitCode = cli::kSomePassedOver;
            out.lines.push_back(L"Sent to " + std::to_wstring(all - missed.size()) + L" of " +
                                Terminals(all) + L"; passed over:");
            // As the broadcast recorded them: a window closed since still has its name.
            for (const MissedTarget& m : missed)
                out.lines.push_back(L"  " + (m.title.empty() ? std::wstring(L"(untitled)") : m.title) +
                                    L": " + std::wstring(MissReasonText(m.reason)));
        }
    }
    selectedFilter = selected;
    return out;
}

void CMainDialog::ReturnForegroundTo(WindowId inFront) {
    if (inFront == mainWindow && mainWindow != kNoWindow) {
        RestoreCommandFocus();
        return;
    }
    // Typed in the background nothing moved; with nothing in front, or the window gone since,
    // there is nowhere to return to and the foreground stays where the broadcast left it.
    if (platform.windows.ForegroundWindow() == inFront)
        return;
    if (inFront == kNoWindow || platform.windows.ProcessOf(inFront) == 0) {
        Trace(
            L"Command line: no window was in front before the request, or it has gone; the "
            L"foreground stays with the last terminal typed into.");
        return;
    }
    platform.windows.BringToForeground(inFront);
}

std::intptr_t CMainDialog::OnHandOffRecord(std::string_view record, bool busy, std::string& report) {
    const std::optional<CommandRequest> request = handoff::DecodeRequest(record);
    if (!request)
        return handoff::kReplyRefused;
    // Asked again by the caller until the command under way has ended: it runs after it, whole.
    if (busy || CommandRunning())
        return handoff::kReplyBusy;
    if (modalDialogOpen != 0) {
        report = handoff::EncodeReport(
            {cli::kSomePassedOver, {L"Tandrel is busy (a dialog is open); nothing was done."}});
        return handoff::kReplyReported;
    }
    // The window's own commands given meanwhile run after it.
    CommandOutcome outcome;
    RunInTurn([&] { outcome = RunCommandRequest(*request); });
    report = handoff::EncodeReport(outcome);
    return handoff::kReplyReported;
}

}  // namespace tandrel
