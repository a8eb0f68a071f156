// Storage that writes each read of a file it holds into a log shared with other fakes.
#pragma once
#include <string>
#include <vector>

#include "fakes/fake_storage.h"

namespace tandrel::fakes {

// Storage that notes each read of the profile that finds one in the log.
class LoggingStorage : public FakeStorage {
  public:
    explicit LoggingStorage(std::vector<std::string>& log) : log_(log) {}
    FileRead ReadFile(const std::wstring& path, std::string& bytes) override {
        const FileRead read = FakeStorage::ReadFile(path, bytes);
        if (read != FileRead::kMissing)
            log_.push_back("read profile");
        return read;
    }

  private:
    std::vector<std::string>& log_;
};

}  // namespace tandrel::fakes
