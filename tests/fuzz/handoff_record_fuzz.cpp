// The hand-off record reader on arbitrary bytes, as a running instance meets them from any
// program that sends it WM_COPYDATA: it never crashes, and whatever it accepts as a request or
// a report is written back to exactly the same bytes (nothing is read that was not there, and
// nothing there is ignored).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/handoff_record.h"
#include "fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto request = handoff::DecodeRequest(bytes)) {
        if (handoff::EncodeRequest(*request) != bytes)
            fuzz::Fail("an accepted request does not encode back to its bytes", request->text,
                       request->filter);
        if (request->text.find(L'\0') != std::wstring::npos ||
            request->filter.find(L'\0') != std::wstring::npos)
            fuzz::Fail("an accepted request holds a NUL", request->text, request->filter);
    }
    if (const auto report = handoff::DecodeReport(bytes)) {
        if (report->exitCode < 0 || report->exitCode > 2)
            fuzz::Fail("an accepted report has an exit code out of range");
        // Lines longer than a report carries are cut when written; all others come back whole.
        const bool whole = std::all_of(report->lines.begin(), report->lines.end(), [](const std::wstring& l) {
            return l.size() <= handoff::kMaxLineUnits;
        });
        if (whole && handoff::EncodeReport(*report) != bytes)
            fuzz::Fail("an accepted report does not encode back to its bytes");
    }
    return 0;
}
