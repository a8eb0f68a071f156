// The probe's log, read back: one event per line, "<ms> <kind> name=value ...".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct ProbeEvent {
    std::uint64_t ms = 0;  // since the probe started
    std::string kind;      // keydown, keyup, syskeydown, syskeyup, char, syschar, syscommand, size, ...
    std::string line;      // the whole line, for messages

    // The value written as name=value, or "" when the line has none.
    std::string Field(std::string_view name) const;
    // That value as a number, hexadecimal with "0x" or decimal; 0 when absent.
    std::uint64_t Number(std::string_view name) const;
    bool IsKey() const;  // one of the four key messages
};

// The complete lines of the log text (a line still being written is left out).
std::vector<ProbeEvent> ParseProbeLog(const std::string& text);

// The characters of the WM_CHAR events, in order.
std::wstring TypedText(const std::vector<ProbeEvent>& events);
// Only the events of the given kinds, in order.
std::vector<ProbeEvent> OfKinds(const std::vector<ProbeEvent>& events,
                                std::initializer_list<std::string_view> kinds);
// The key messages, each written as "keydown 0x41" (kind and virtual key), for readable expectations.
std::vector<std::string> KeyTrace(const std::vector<ProbeEvent>& events);
// Every line, one per line, for failure messages.
std::string Dump(const std::vector<ProbeEvent>& events);

}  // namespace e2e
