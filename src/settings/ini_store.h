// A small INI store: read once from a file's bytes, changed in memory, written back whole.
// Sections and keys keep the order in which they were read or first set; section and key names
// are matched without regard to case, as the Win32 profile functions match them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tandrel {

class IniStore {
  public:
    // Replaces the content by what the bytes hold (UTF-16 with a byte-order mark, UTF-8, or
    // ANSI). What cannot be parsed is left out: lines without "=", comments, keys before the
    // first section or under a broken section header, names holding control characters, and
    // repeated keys after their first occurrence. Nothing is refused.
    void Load(std::string_view bytes);
    void LoadText(std::wstring_view text);
    void Clear() {
        sections_.clear();
        sectionIndex_.clear();
        keyIndex_.clear();
    }

    // The value of the key, or `fallback` when the section or the key is missing.
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback) const;
    // Read as GetPrivateProfileInt reads: leading white space, an optional sign, then digits up
    // to the first non-digit; no digits give 0. A missing key or an empty value gives `fallback`.
    std::int32_t GetInt(std::wstring_view section, std::wstring_view key, std::int32_t fallback) const;

    void SetString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void SetInt(std::wstring_view section, std::wstring_view key, std::int32_t value);

    // The whole store as file text ("[section]" and "key=value" lines, CRLF line ends, a blank
    // line between sections), and as the bytes of the file: UTF-16LE with a byte-order mark.
    std::wstring ToText() const;
    std::string Serialize() const;

  private:
    struct Entry {
        std::wstring key;
        std::wstring stored;  // the value as it stands in the file
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
    };
    static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

    // A key's identity in the store: its section's number and its folded name.
    static std::wstring KeyId(std::size_t section, std::wstring_view key);
    const Entry* Find(std::wstring_view section, std::wstring_view key) const;
    // The section's number, added at the end when it is new.
    std::size_t SectionFor(std::wstring_view name);
    void SetStored(std::wstring_view section, std::wstring_view key, std::wstring stored);

    std::vector<Section> sections_;
    std::unordered_map<std::wstring, std::size_t> sectionIndex_;  // folded name -> section
    std::unordered_map<std::wstring, std::size_t> keyIndex_;      // KeyId -> entry of its section
};

}  // namespace tandrel
