#include "update/update_check.h"

#include "platform/diagnostics.h"
#include "platform/modal_scope.h"
#include "platform/platform_constants.h"
#include "update/version_record.h"

namespace tandrel {

namespace {

// The record is 8-bit text: each byte is one character of the message.
std::wstring WidenBytes(const std::string& bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    for (const char ch : bytes) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(ch));
    }
    return wide;
}

}  // namespace

std::wstring VersionRecordUrl(std::wstring_view host) {
    return L"http://" + std::wstring(host) + L"/software.php?app=" + version::kProductName + L"&iv=" +
           version::kInternalVersion;
}

std::wstring NewVersionMessage(const std::wstring& latest) {
    return std::wstring(L"A new version of Tandrel is available for download.\n\nCurrent version: ") +
           version::kDisplayVersion + L"\nLatest version: " + latest +
           L"\n\nWould you like to go to the Tandrel homepage?";
}

std::wstring NoUpdatesMessage() {
    return std::wstring(L"No updates found. Tandrel ") + version::kDisplayVersion +
           L" is the latest version.";
}

std::wstring DownloadFailedMessage() {
    return L"Tandrel could not fetch its version record, so it cannot tell whether a newer version "
           L"exists.\n\nCheck the network connection (and any proxy), then try again.";
}

void RunUpdateCheck(IShell& shell, const AskOperator& ask, bool interactive, std::int32_t& modalDialogOpen,
                    const std::function<void()>& openHomePage) {
    ModalScope modal(modalDialogOpen);

    std::string latest;
    std::string record;
    // A shell that hands back more than was asked for counts as a failed download too.
    const bool fetched = shell.Download(VersionRecordUrl(shell.WebHost()), update::kDownloadTimeoutMs,
                                        update::kMaxRecordBytes, record) &&
                         record.size() <= update::kMaxRecordBytes;
    if (fetched)
        latest = FindLatestVersion(record);

    if (!latest.empty()) {
        const int answer = ask(NewVersionMessage(WidenBytes(latest)), version::kProductName,
                               mb::kYesNo | mb::kIconInformation);
        if (answer == mb::kIdYes) {
            openHomePage();
        }
    } else if (!fetched) {
        // A failed fetch is no answer: asked for, it says so; at start-up it is only traced.
        Trace(DownloadFailedMessage());
        if (interactive)
            ask(DownloadFailedMessage(), version::kProductName, mb::kOk | mb::kIconExclamation);
    } else if (interactive) {
        ask(NoUpdatesMessage(), version::kProductName, mb::kOk | mb::kIconInformation);
    }
    // Start-up form with nothing newer: nothing to say.
}

}  // namespace tandrel
