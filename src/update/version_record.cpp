#include "update/version_record.h"

#include "update/update_check.h"

namespace tandrel {

std::string ReadRecordAttribute(std::string_view line, std::string_view key) {
    std::string pattern(key);
    pattern += "=\"";
    const std::size_t at = line.find(pattern);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t start = at + pattern.size();
    const std::size_t end = line.find('"', start);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(start, end - start));
}

bool RecordLineReader::Next(std::string& piece) {
    piece.clear();
    while (pos_ < record_.size() && piece.size() < kMaxPiece) {
        char ch = record_[pos_++];
        // Text mode: the CR of a CR LF pair never reaches the reader.
        if (ch == '\r' && pos_ < record_.size() && record_[pos_] == '\n') {
            ch = record_[pos_++];
        }
        piece += ch;
        if (ch == '\n') {
            break;
        }
    }
    return !piece.empty();
}

bool IsNewerInternalVersion(std::string_view intVersion) {
    // std::string_view compares as unsigned bytes, as strcmp does.
    return !intVersion.empty() && intVersion.compare(update::kInternalVersion) > 0;
}

std::string FindLatestVersion(std::string_view record) {
    RecordLineReader reader(record);
    std::string line;
    while (reader.Next(line)) {
        if (ReadRecordAttribute(line, "name") != update::kProgramName) {
            continue;
        }
        if (!IsNewerInternalVersion(ReadRecordAttribute(line, "intVersion"))) {
            continue;
        }
        return ReadRecordAttribute(line, "version");
    }
    return {};
}

}  // namespace tandrel
