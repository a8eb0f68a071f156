#include "cli/handoff_result.h"

namespace tandrel::handoff {

namespace {
constexpr wchar_t kOtherRights[] =
    L"The running Tandrel runs with other rights: run this from the same kind of prompt.";
}

HandOffResult ResultOfFailedSend(std::uint32_t lastError) {
    return lastError == kErrorAccessDenied ? HandOffResult::kOtherRights : HandOffResult::kNoAnswer;
}

HandOffResult ResultOfReply(std::intptr_t reply) {
    switch (reply) {
        case kReplyRefused:
            return HandOffResult::kRefused;
        case kReplyReportBlocked:
            return HandOffResult::kReportBlocked;
        case kReplyBusy:
            return HandOffResult::kBusy;
        default:
            return HandOffResult::kReportLost;  // it said the request was carried out
    }
}

CommandOutcome OutcomeOf(HandOffResult result) {
    switch (result) {
        case HandOffResult::kNoAnswer:
            return {cli::kSomePassedOver, {L"The running Tandrel did not answer; nothing was done."}};
        case HandOffResult::kOtherRights:
            return {cli::kSomePassedOver, {kOtherRights}};
        case HandOffResult::kRefused:
            return {cli::kBadArguments,
                    {L"The running Tandrel refused the request (is it an older version?)."}};
        case HandOffResult::kReportLost:
            return {cli::kSomePassedOver,
                    {L"The running Tandrel carried out the request, but its report was lost."}};
        case HandOffResult::kReportBlocked:
            return {cli::kSomePassedOver,
                    {L"The running Tandrel carried out the request, but the system refused its report.",
                     kOtherRights}};
        case HandOffResult::kBusy:
            return {cli::kSomePassedOver,
                    {L"The running Tandrel stayed busy with a command; nothing was done."}};
    }
    return {cli::kSomePassedOver, {L"The running Tandrel did not answer; nothing was done."}};
}

}  // namespace tandrel::handoff
