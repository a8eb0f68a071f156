// The update check: fetch the version record, find the line for this program, and tell the
// operator when it names a newer version (and, when asked from the tray menu, when it does not).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/shell.h"
#include "ui/dialog_host.h"
#include "ui/version.h"

namespace tandrel {

namespace update {
// The record is 8-bit text, so the running version and the program's name are compared in that
// form: the same texts as version::kInternalVersion and version::kProductName.
inline constexpr char kInternalVersion[] = "010700";
inline constexpr char kProgramName[] = "Tandrel";  // selects the record line

// The check runs on the interface thread before the main window first shows, so it must never
// hold the program up for long: an unreachable host or a missing network ends the whole fetch
// within this time, and a record larger than this is no record of ours.
inline constexpr std::uint32_t kDownloadTimeoutMs = 5000;
inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;
}  // namespace update

// http://<web host>/software.php?app=Tandrel&iv=010700
std::wstring VersionRecordUrl();

// The two messages, with the running and the latest version filled in.
std::wstring NewVersionMessage(const std::wstring& latest);
std::wstring NoUpdatesMessage();

// The whole check. `modalDialogOpen` is 1 from the start of the download until the last message
// has been answered, so the tray menu is greyed meanwhile. With a newer version the operator is
// offered the home page (Yes runs `openHomePage`); otherwise the interactive form says that
// there is no update and the start-up form says nothing. A failed download, a record without a
// line for this program and a record with nothing newer all end the same way.
void RunUpdateCheck(IShell& shell, IDialogHost& owner, bool interactive, std::int32_t& modalDialogOpen,
                    const std::function<void()>& openHomePage);

}  // namespace tandrel
