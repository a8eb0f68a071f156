// What a hand-off to the running instance came to when no report arrived, and what its caller
// is told then: nothing done, or done without a report, and why.
#pragma once
#include <cstdint>

#include "cli/command_line.h"

namespace tandrel::handoff {

// The running instance's answer to a request (WM_COPYDATA's result).
inline constexpr std::intptr_t kReplyRefused = 0;        // no request it can read: nothing done
inline constexpr std::intptr_t kReplyReported = 1;       // done, and the report sent back
inline constexpr std::intptr_t kReplyReportLost = 2;     // done; the report could not be delivered
inline constexpr std::intptr_t kReplyReportBlocked = 3;  // done; the system refused the report
// Nothing done yet: a command of its own is under way. The caller asks again every
// kAskAgainMs until it is taken, so that requests queue behind the command, never inside it.
inline constexpr std::intptr_t kReplyBusy = 4;
inline constexpr std::uint32_t kAskAgainMs = 50;

enum class HandOffResult {
    kNoAnswer,       // the send timed out, or the instance was hung: nothing was done
    kOtherRights,    // it runs with other rights than the caller (the system refuses the send)
    kRefused,        // kReplyRefused
    kReportLost,     // kReplyReportLost, or an answer of done without a report
    kReportBlocked,  // kReplyReportBlocked
    kBusy,           // kReplyBusy until the caller gave up
};

// The result of a send that failed, by the system's last error: ERROR_ACCESS_DENIED when the
// message filter refused it (other rights), else a time-out or a hung instance.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
HandOffResult ResultOfFailedSend(std::uint32_t lastError);

// The result of a send that was answered with `reply` but brought no report.
HandOffResult ResultOfReply(std::intptr_t reply);

// The exit code and the line the caller prints.
CommandOutcome OutcomeOf(HandOffResult result);

}  // namespace tandrel::handoff
