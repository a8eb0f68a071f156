#include "probe_events.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

std::string ProbeEvent::Field(std::string_view name) const {
    std::size_t at = 0;
    for (;;) {
        at = line.find(name, at);
        if (at == std::string::npos)
            return {};
        const bool starts = at > 0 && line[at - 1] == ' ';
        const std::size_t eq = at + name.size();
        if (starts && eq < line.size() && line[eq] == '=') {
            const std::size_t end = line.find(' ', eq + 1);
            return line.substr(eq + 1, end == std::string::npos ? std::string::npos : end - eq - 1);
        }
        at = eq;
    }
}

std::uint64_t ProbeEvent::Number(std::string_view name) const {
    const std::string value = Field(name);
    if (value.empty())
        return 0;
    return std::strtoull(value.c_str(), nullptr, 0);
}

bool ProbeEvent::IsKey() const {
    return kind == "keydown" || kind == "keyup" || kind == "syskeydown" || kind == "syskeyup";
}

std::vector<ProbeEvent> ParseProbeLog(const std::string& text) {
    std::vector<ProbeEvent> events;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;  // no line end yet: still being written
        ProbeEvent e;
        e.line = text.substr(start, end - start);
        const std::size_t space = e.line.find(' ');
        e.ms = std::strtoull(e.line.c_str(), nullptr, 10);
        if (space != std::string::npos) {
            const std::size_t next = e.line.find(' ', space + 1);
            e.kind =
                e.line.substr(space + 1, next == std::string::npos ? std::string::npos : next - space - 1);
        }
        events.push_back(std::move(e));
        start = end + 1;
    }
    return events;
}

std::wstring TypedText(const std::vector<ProbeEvent>& events) {
    std::wstring text;
    for (const ProbeEvent& e : events) {
        if (e.kind == "char")
            text.push_back(static_cast<wchar_t>(e.Number("code")));
    }
    return text;
}

std::vector<ProbeEvent> OfKinds(const std::vector<ProbeEvent>& events,
                                std::initializer_list<std::string_view> kinds) {
    std::vector<ProbeEvent> out;
    for (const ProbeEvent& e : events) {
        for (std::string_view k : kinds) {
            if (e.kind == k) {
                out.push_back(e);
                break;
            }
        }
    }
    return out;
}

std::vector<std::string> KeyTrace(const std::vector<ProbeEvent>& events) {
    std::vector<std::string> out;
    for (const ProbeEvent& e : events) {
        if (!e.IsKey())
            continue;
        char item[48];
        std::snprintf(item, sizeof item, "%s 0x%02llx", e.kind.c_str(),
                      static_cast<unsigned long long>(e.Number("vk")));
        out.emplace_back(item);
    }
    return out;
}

std::string Dump(const std::vector<ProbeEvent>& events) {
    std::string out;
    for (const ProbeEvent& e : events) out += e.line + "\n";
    return out;
}

}  // namespace e2e
