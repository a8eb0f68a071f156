// The main window's Open Sessions: PuTTY's saved sessions opened in one step, from the dialog or
// from /open, and their windows arranged.
#include "arrange/arrange.h"
#include "platform/diagnostics.h"
#include "platform/modal_scope.h"
#include "ui/main_dialog.h"
#include "ui/open_sessions_dialog.h"

namespace tandrel {

namespace {

constexpr wchar_t kCaption[] = L"Tandrel";

Arrangement ArrangementOf(std::int32_t value) {
    return value == static_cast<int>(Arrangement::kLeave)     ? Arrangement::kLeave
           : value == static_cast<int>(Arrangement::kCascade) ? Arrangement::kCascade
                                                              : Arrangement::kTile;
}

std::wstring Sessions(std::size_t n) {
    return std::to_wstring(n) + (n == 1 ? L" session" : L" sessions");
}

}  // namespace

OpenedSessions CMainDialog::OpenAndArrange(const std::wstring& putty,
                                           const std::vector<std::wstring>& sessions,
                                           Arrangement arrangement) {
    OpenedSessions opened =
        tandrel::OpenSessions(*platform.launcher, platform.windows, platform.clock, putty, sessions);
    const PassedOver passedOver = [](WindowId) {
        Trace(L"An opened session's window did not answer its placing");
    };
    if (arrangement == Arrangement::kTile)
        TileWindows(platform.windows, opened.windows, passedOver);
    else if (arrangement == Arrangement::kCascade)
        CascadeWindows(platform.windows, opened.windows, platform.windows.Metric(sm::kCySize),
                       settings.cascadeWidth, settings.cascadeHeight, passedOver);
    return opened;
}

void CMainDialog::OnOpenSessions() {
    if (platform.launcher == nullptr) {
        Trace(L"Open Sessions: no programs can be started here");
        return;
    }
    const ModalScope modal(modalDialogOpen);
    const PuttyLookup putty =
        FindPutty(*platform.launcher, settings.puttyPath, platform.shell.ProgramFolder());
    COpenSessionsDialog dialog(ListSavedSessions(*platform.launcher), putty, settings.openPattern,
                               ArrangementOf(settings.openArrange));
    if (host->RunModal(dialog) == mb::kIdOk) {
        settings.openPattern = dialog.Pattern();
        settings.openArrange = static_cast<std::int32_t>(dialog.ChosenArrangement());
        SaveSettings();
        const OpenedSessions opened =
            OpenAndArrange(putty.found, dialog.Chosen(), dialog.ChosenArrangement());
        if (!opened.missed.empty())
            host->ShowMessageBox(SessionsNotShownText(opened.missed), kCaption,
                                 mb::kOk | mb::kIconExclamation);
    }
    RestoreCommandFocus();
}

CommandOutcome CMainDialog::RunOpenRequest(const CommandRequest& request) {
    if (platform.launcher == nullptr)
        return {cli::kBadArguments, {L"Saved sessions cannot be opened here."}};
    std::vector<std::wstring> matching;
    for (std::wstring& name : ListSavedSessions(*platform.launcher))
        if (SessionPassesPattern(request.text, name))
            matching.push_back(std::move(name));
    if (matching.empty())
        return {cli::kBadArguments, {L"No saved PuTTY session matches \"" + request.text + L"\"."}};
    const PuttyLookup putty =
        FindPutty(*platform.launcher, settings.puttyPath, platform.shell.ProgramFolder());
    if (putty.found.empty()) {
        CommandOutcome out{cli::kBadArguments, {L"putty.exe was not found. Tandrel looked at:"}};
        for (const std::wstring& place : putty.lookedAt) out.lines.push_back(L"  " + place);
        return out;
    }
    const OpenedSessions opened = OpenAndArrange(putty.found, matching, request.arrangement);
    if (opened.missed.empty())
        return {cli::kAllServed, {L"Opened " + Sessions(matching.size()) + L"."}};
    CommandOutcome out{cli::kSomePassedOver,
                       {L"Opened " + std::to_wstring(opened.windows.size()) + L" of " +
                        Sessions(matching.size()) + L"; no window appeared for:"}};
    for (const std::wstring& name : opened.missed) out.lines.push_back(L"  " + name);
    return out;
}

}  // namespace tandrel
