// The version record: a text fetched from the maker's web site whose line for this program
// carries name="...", intVersion="..." and version="...". It is read as 8-bit text, one
// character per byte, the way the C library's text-mode line reading sees it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// The value of the attribute `key`="value" in one line, or the empty string. The first
// occurrence of key=" anywhere in the line counts (so "myname=\"" also matches "name"); the value
// runs to the next double quote, taken exactly as it stands. No closing quote: empty.
std::string ReadRecordAttribute(std::string_view line, std::string_view key);

// Hands out the record the way fgets with a 1024-character buffer reads a text-mode file: a
// CR LF pair reads as LF, each piece ends after a line feed or after 1023 characters, so a
// longer line comes out as several pieces, each of them examined as a line of its own.
class RecordLineReader {
  public:
    static constexpr std::size_t kMaxPiece = 1023;

    explicit RecordLineReader(std::string_view record) : record_(record) {}
    // The next piece into `piece`; false at the end of the record.
    bool Next(std::string& piece);

  private:
    std::string_view record_;
    std::size_t pos_ = 0;
};

// True when a record's internal version is newer than the running one: compared as text, code
// unit by code unit, the shorter text lower when one is a prefix of the other. Empty is never
// newer.
bool IsNewerInternalVersion(std::string_view intVersion);

// The "version" of the first line that names this program with a newer internal version, or
// the empty string when there is none (or that line has no version). Later lines are not read.
std::string FindLatestVersion(std::string_view record);

}  // namespace tandrel
