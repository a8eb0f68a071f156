// The update check: fetch the version record, find the line for this program, and tell the
// operator when it names a newer version (and, when asked from the tray menu, when it does not).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/shell.h"
#include "res/version.h"

namespace tandrel {

namespace update {
// The record is 8-bit text, so the running version and the program's name are compared in that
// form.
inline constexpr char kInternalVersion[] = TANDREL_INTERNAL_VERSION;
inline constexpr char kProgramName[] = TANDREL_PRODUCT_NAME;  // selects the record line

// The check runs on the interface thread before the main window first shows, so it must never
// hold the program up for long: an unreachable host or a missing network ends the whole fetch
// within this time, and a record larger than this is no record of ours.
inline constexpr std::uint32_t kDownloadTimeoutMs = 5000;
inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;
}  // namespace update

// http://<web host>/software.php?app=Tandrel&iv=010700
std::wstring VersionRecordUrl(std::wstring_view host = TANDREL_WEB_HOST);

// The messages, with the running and the latest version filled in.
std::wstring NewVersionMessage(const std::wstring& latest);
std::wstring NoUpdatesMessage();
std::wstring DownloadFailedMessage();

// The whole check. `modalDialogOpen` is 1 from the start of the download until the last message
// has been answered, so the tray menu is greyed meanwhile. With a newer version the operator is
// offered the home page (Yes runs `openHomePage`); otherwise the interactive form says that
// there is no update and the start-up form says nothing. A record without a line for this program
// and a record with nothing newer end the same way; a failed download says that it failed.
// `ask` shows a message box over the main window (text, caption, mb:: style) and returns the
// button that ended it.
using AskOperator = std::function<int(const std::wstring&, const std::wstring&, std::uint32_t)>;
void RunUpdateCheck(IShell& shell, const AskOperator& ask, bool interactive, std::int32_t& modalDialogOpen,
                    const std::function<void()>& openHomePage);

}  // namespace tandrel
