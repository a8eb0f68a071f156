#include "cli/handoff_record.h"

#include <vector>

#include "platform/text_codec.h"

namespace tandrel::handoff {

namespace {

constexpr std::string_view kMagic = "TDRL";
constexpr std::size_t kHeaderBytes = 12;
constexpr std::uint16_t kReportKind = 0x80;
constexpr std::uint16_t kFlagTab = 1;
constexpr std::uint16_t kFlagBackground = 4;
constexpr std::uint16_t kFlagForeground = 8;
constexpr std::uint16_t kFlagFilter = 2;
// /open's arrangement (Arrangement's value) in bits 4 and 5.
constexpr int kArrangementShift = 4;
constexpr std::uint16_t kArrangementMask = 0x30;

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Encode(std::uint16_t kind, std::uint16_t flags, const std::vector<std::wstring>& strings) {
    std::string out(kMagic);
    Put16(out, kVersion);
    Put16(out, kind);
    Put16(out, flags);
    Put16(out, static_cast<std::uint32_t>(strings.size()));
    for (const std::wstring& s : strings) {
        const std::u16string units = ToUtf16Units(s);
        Put32(out, static_cast<std::uint32_t>(units.size()));
        for (char16_t u : units) Put16(out, u);
    }
    return out;
}

struct Record {
    std::uint16_t kind = 0;
    std::uint16_t flags = 0;
    std::vector<std::wstring> strings;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Read16(std::uint32_t& v) {
        if (bytes_.size() - at_ < 2)
            return false;
        v = Byte(at_) | (Byte(at_ + 1) << 8);
        at_ += 2;
        return true;
    }
    bool Read32(std::uint32_t& v) {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (!Read16(low) || !Read16(high))
            return false;
        v = low | (high << 16);
        return true;
    }
    // A string of `units` UTF-16 units, refused when it runs past the end or holds a NUL.
    bool ReadString(std::uint32_t units, std::wstring& out) {
        if ((bytes_.size() - at_) / 2 < units)
            return false;
        const std::string_view raw = bytes_.substr(at_, std::size_t{units} * 2);
        for (std::size_t i = 0; i < raw.size(); i += 2)
            if (raw[i] == 0 && raw[i + 1] == 0)
                return false;
        out = DecodeText(std::string("\xFF\xFE") + std::string(raw));
        at_ += raw.size();
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }
    void Skip(std::size_t n) { at_ += n; }

  private:
    std::uint32_t Byte(std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
    std::string_view bytes_;
    std::size_t at_ = 0;
};

std::optional<Record> Decode(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || bytes.size() > kMaxRecordBytes || bytes.substr(0, 4) != kMagic)
        return std::nullopt;
    Reader in(bytes);
    in.Skip(kMagic.size());
    std::uint32_t version = 0;
    std::uint32_t kind = 0;
    std::uint32_t flags = 0;
    std::uint32_t count = 0;
    if (!in.Read16(version) || !in.Read16(kind) || !in.Read16(flags) || !in.Read16(count) ||
        version != kVersion)
        return std::nullopt;
    Record r;
    r.kind = static_cast<std::uint16_t>(kind);
    r.flags = static_cast<std::uint16_t>(flags);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t units = 0;
        std::wstring s;
        if (!in.Read32(units) || !in.ReadString(units, s))
            return std::nullopt;
        r.strings.push_back(std::move(s));
    }
    if (!in.AtEnd())
        return std::nullopt;
    return r;
}

std::wstring Cut(const std::wstring& line) {
    return line.size() > kMaxLineUnits ? line.substr(0, kMaxLineUnits) : line;
}

}  // namespace

std::string EncodeRequest(const CommandRequest& request) {
    std::vector<std::wstring> strings;
    if (request.action != CommandAction::kTargets)
        strings.push_back(request.text);
    if (request.filterGiven)
        strings.push_back(request.filter);
    const auto way = !request.inBackground ? 0 : *request.inBackground ? kFlagBackground : kFlagForeground;
    const int arrangement = request.action == CommandAction::kOpen
                                ? static_cast<int>(request.arrangement) << kArrangementShift
                                : 0;
    const auto flags = static_cast<std::uint16_t>(
        (request.endWithTab ? kFlagTab : 0) | (request.filterGiven ? kFlagFilter : 0) | way | arrangement);
    return Encode(static_cast<std::uint16_t>(request.action), flags, strings);
}

std::optional<CommandRequest> DecodeRequest(std::string_view bytes) {
    const std::optional<Record> r = Decode(bytes);
    if (!r || r->kind < 1 || r->kind > 4 ||
        (r->flags & ~(kFlagTab | kFlagFilter | kFlagBackground | kFlagForeground | kArrangementMask)) != 0 ||
        (r->flags & (kFlagBackground | kFlagForeground)) == (kFlagBackground | kFlagForeground))
        return std::nullopt;
    CommandRequest request;
    request.action = static_cast<CommandAction>(r->kind);
    request.endWithTab = (r->flags & kFlagTab) != 0;
    request.filterGiven = (r->flags & kFlagFilter) != 0;
    if ((r->flags & (kFlagBackground | kFlagForeground)) != 0)
        request.inBackground = (r->flags & kFlagBackground) != 0;
    const std::size_t expected =
        (request.action != CommandAction::kTargets ? 1u : 0u) + (request.filterGiven ? 1u : 0u);
    if (r->strings.size() != expected || (request.endWithTab && request.action != CommandAction::kSend))
        return std::nullopt;
    // /open carries its pattern and arrangement, and none of the others' options.
    const int arrangement = (r->flags & kArrangementMask) >> kArrangementShift;
    const bool open = request.action == CommandAction::kOpen;
    if (open != (arrangement != 0) || (open && (request.filterGiven || request.inBackground)))
        return std::nullopt;
    if (open)
        request.arrangement = static_cast<Arrangement>(arrangement);
    for (const std::wstring& s : r->strings)
        if (ToUtf16Units(s).size() > cli::kMaxTextUnits)
            return std::nullopt;
    std::size_t next = 0;
    if (request.action != CommandAction::kTargets)
        request.text = r->strings[next++];
    if ((request.action == CommandAction::kScript || request.action == CommandAction::kOpen) &&
        request.text.empty())
        return std::nullopt;
    if (request.filterGiven)
        request.filter = r->strings[next];
    return request;
}

std::string EncodeReport(const CommandOutcome& outcome) {
    std::vector<std::wstring> lines;
    const std::size_t n = outcome.lines.size();
    for (std::size_t i = 0; i < n && i < kMaxReportLines; ++i) lines.push_back(Cut(outcome.lines[i]));
    if (n > kMaxReportLines) {
        lines.back() = L"(" + std::to_wstring(n - kMaxReportLines + 1) + L" more lines not shown)";
    }
    return Encode(kReportKind, static_cast<std::uint16_t>(outcome.exitCode & 0xFF), lines);
}

std::optional<CommandOutcome> DecodeReport(std::string_view bytes) {
    const std::optional<Record> r = Decode(bytes);
    if (!r || r->kind != kReportKind || r->flags > cli::kBadArguments || r->strings.size() > kMaxReportLines)
        return std::nullopt;
    CommandOutcome outcome;
    outcome.exitCode = r->flags;
    outcome.lines = r->strings;
    return outcome;
}

}  // namespace tandrel::handoff
