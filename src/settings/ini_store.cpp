#include "settings/ini_store.h"

#include "platform/text_util.h"
#include "platform/text_codec.h"

namespace tandrel {

namespace {

// Values that a line cannot carry plainly.
//
// A value is written after "key=" exactly as it is, up to the end of the line, and read back the
// same way (not trimmed, no quotes taken off). A value with a line break in it (CR or LF) cannot
// be carried so: written raw, its later lines would become lines of the file of their own, lost,
// or read as other keys ("filter=3" on a line of its own would select another filter). Such a
// value is written in an escaped form instead, on one line:
//
//     cmdhistory07=\:for h in a b\r\ndo ssh $h uptime\r\ndone
//
// The marker "\:" opens the value; after it each backslash is doubled, CR is written "\r" and
// LF "\n". A single-line value that itself begins with "\:" would be misread as that form, so it
// is escaped too ("\:x" is written "\:\\:x"). Every other single-line value is written plainly,
// exactly as the plain profile format writes it. Reading the escaped form, a backslash followed
// by anything but "\", "r" or "n" stands for itself, and so does a backslash at the very end.
constexpr std::wstring_view kEscapeMarker = L"\\:";

bool NeedsEscape(std::wstring_view value) {
    return value.starts_with(kEscapeMarker) || value.find_first_of(L"\r\n") != std::wstring_view::npos;
}

std::wstring EscapeValue(std::wstring_view value) {
    if (!NeedsEscape(value))
        return std::wstring(value);
    std::wstring out(kEscapeMarker);
    out.reserve(value.size() + value.size() / 8 + 4);
    for (const wchar_t ch : value) {
        switch (ch) {
            case L'\\':
                out += L"\\\\";
                break;
            case L'\r':
                out += L"\\r";
                break;
            case L'\n':
                out += L"\\n";
                break;
            default:
                out.push_back(ch);
        }
    }
    return out;
}

std::wstring UnescapeValue(std::wstring_view stored) {
    if (!stored.starts_with(kEscapeMarker))
        return std::wstring(stored);
    std::wstring out;
    out.reserve(stored.size());
    for (std::size_t i = kEscapeMarker.size(); i < stored.size(); ++i) {
        const wchar_t ch = stored[i];
        if (ch == L'\\' && i + 1 < stored.size()) {
            const wchar_t next = stored[i + 1];
            if (next == L'\\' || next == L'r' || next == L'n') {
                out.push_back(next == L'\\' ? L'\\' : next == L'r' ? L'\r' : L'\n');
                ++i;
                continue;
            }
        }
        out.push_back(ch);
    }
    return out;
}

// Case folding for name matching: ASCII, Latin-1, Greek and Cyrillic letters, the ones a profile
// key could reasonably hold. Everything else is compared as it is.
wchar_t FoldCase(wchar_t ch) {
    const auto c = static_cast<std::uint32_t>(ch);
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - 0x20);
    if (c < 0xE0)
        return ch;
    if (c <= 0xFE && c != 0xF7)
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<wchar_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<wchar_t>(c - 0x50);
    return ch;
}

std::wstring Fold(std::wstring_view name) {
    std::wstring out(name);
    for (wchar_t& ch : out) ch = FoldCase(ch);
    return out;
}

bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t';
}

std::wstring_view TrimBlanks(std::wstring_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// A usable section or key name: not empty, and no control characters (binary junk).
bool IsCleanName(std::wstring_view name) {
    if (name.empty())
        return false;
    for (const wchar_t ch : name) {
        const auto c = static_cast<std::uint32_t>(ch);
        if (c < 0x20 || c == 0x7F || c == 0xFFFD)
            return false;
    }
    return true;
}

}  // namespace

void IniStore::Load(std::string_view bytes) {
    LoadText(DecodeText(bytes));
}

void IniStore::LoadText(std::wstring_view text) {
    Clear();
    std::size_t current = kNoSection;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // CR LF, a lone LF and a lone CR each end a line.
        std::size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring_view::npos)
            end = text.size();
        const std::wstring_view raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == L'\r')
            ++pos;
        if (pos < text.size() && text[pos] == L'\n')
            ++pos;

        std::size_t lead = 0;
        while (lead < raw.size() && IsBlank(raw[lead])) ++lead;
        const std::wstring_view line = raw.substr(lead);
        if (line.empty() || line.front() == L';')
            continue;
        if (line.front() == L'[') {
            const std::size_t close = line.find(L']');
            const std::wstring_view name = close == std::wstring_view::npos
                                               ? std::wstring_view{}
                                               : TrimBlanks(line.substr(1, close - 1));
            // Under a broken header nothing is taken, so no key strays into another section.
            current = IsCleanName(name) ? SectionFor(name) : kNoSection;
            continue;
        }
        const std::size_t eq = line.find(L'=');
        if (current == kNoSection || eq == std::wstring_view::npos)
            continue;
        const std::wstring_view key = TrimBlanks(line.substr(0, eq));
        if (!IsCleanName(key))
            continue;
        std::vector<Entry>& entries = sections_[current].entries;
        // The first occurrence counts.
        if (keyIndex_.try_emplace(KeyId(current, key), entries.size()).second)
            entries.push_back(Entry{std::wstring(key), std::wstring(line.substr(eq + 1))});
    }
}

std::wstring IniStore::KeyId(std::size_t section, std::wstring_view key) {
    // No clean name holds U+0001.
    std::wstring id = std::to_wstring(section);
    id += L'\x0001';
    for (const wchar_t ch : key) id += FoldCase(ch);
    return id;
}

const IniStore::Entry* IniStore::Find(std::wstring_view section, std::wstring_view key) const {
    const auto s = sectionIndex_.find(Fold(section));
    if (s == sectionIndex_.end())
        return nullptr;
    const auto it = keyIndex_.find(KeyId(s->second, key));
    return it == keyIndex_.end() ? nullptr : &sections_[s->second].entries[it->second];
}

std::size_t IniStore::SectionFor(std::wstring_view name) {
    // One look-up however many sections there are: a profile of a million headers loads in
    // linear time.
    const auto [it, added] = sectionIndex_.try_emplace(Fold(name), sections_.size());
    if (added)
        sections_.push_back(Section{std::wstring(name), {}});
    return it->second;
}

void IniStore::SetStored(std::wstring_view section, std::wstring_view key, std::wstring stored) {
    const std::size_t s = SectionFor(section);
    std::vector<Entry>& entries = sections_[s].entries;
    const auto [it, added] = keyIndex_.try_emplace(KeyId(s, key), entries.size());
    if (added) {
        entries.push_back(Entry{std::wstring(key), std::move(stored)});
    } else {
        entries[it->second].stored = std::move(stored);
    }
}

std::wstring IniStore::GetString(std::wstring_view section, std::wstring_view key,
                                 std::wstring_view fallback) const {
    const Entry* e = Find(section, key);
    return e == nullptr ? std::wstring(fallback) : UnescapeValue(e->stored);
}

std::int32_t IniStore::GetInt(std::wstring_view section, std::wstring_view key, std::int32_t fallback) const {
    const Entry* e = Find(section, key);
    if (e == nullptr || e->stored.empty())
        return fallback;
    return ParseWrappingDecimal(UnescapeValue(e->stored));
}

void IniStore::SetString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    SetStored(section, key, EscapeValue(value));
}

void IniStore::SetInt(std::wstring_view section, std::wstring_view key, std::int32_t value) {
    SetStored(section, key, std::to_wstring(value));
}

std::wstring IniStore::ToText() const {
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 6;
        for (const Entry& e : s.entries) size += e.key.size() + e.stored.size() + 3;
    }
    std::wstring out;
    out.reserve(size);
    for (const Section& s : sections_) {
        if (!out.empty())
            out += L"\r\n";
        out += L'[';
        out += s.name;
        out += L"]\r\n";
        for (const Entry& e : s.entries) {
            out += e.key;
            out += L'=';
            out += e.stored;
            out += L"\r\n";
        }
    }
    return out;
}

std::string IniStore::Serialize() const {
    return EncodeUtf16LeWithBom(ToText());
}

}  // namespace tandrel
