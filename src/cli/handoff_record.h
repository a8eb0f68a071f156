// The hand-off record: a command-line request passed to the running instance (WM_COPYDATA), and
// the report it sends back. Both are small, versioned and size-checked, and the reader refuses
// anything it cannot parse whole.
//
// Layout, little-endian: "TDRL", version (u16, 1), kind (u16: 1 send, 2 script, 3 targets, 4 open,
// 0x80 report), flags (u16: request bit 0 /tab, bit 1 /filter given, bits 2 and 3 /background and
// /foreground, bits 4 and 5 the arrangement of /open; report: the exit code),
// count of strings (u16), then each string as its length in UTF-16 units (u32) and its units.
// A request carries its text or pattern (not for /targets) and then the filter's name when one is given;
// a report carries the lines to print.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace tandrel::handoff {

inline constexpr std::uint16_t kVersion = 1;
// WM_COPYDATA's dwData for a request, so that no other program's data is read as one.
inline constexpr std::uintptr_t kCopyDataTag = 0x4C524454;  // "TDRL"
inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxReportLines = 1000;
inline constexpr std::size_t kMaxLineUnits = 512;

std::string EncodeRequest(const CommandRequest& request);
std::optional<CommandRequest> DecodeRequest(std::string_view bytes);

// Lines past kMaxReportLines are summed up in a last line, and each line is cut to
// kMaxLineUnits, so a report always fits in a record.
std::string EncodeReport(const CommandOutcome& outcome);
std::optional<CommandOutcome> DecodeReport(std::string_view bytes);

}  // namespace tandrel::handoff
