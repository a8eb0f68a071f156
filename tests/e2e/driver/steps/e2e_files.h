// Files and folders of an end-to-end run: the programs beside the driver, private temporary
// folders, and reading a file that another process is still writing.
#pragma once
#include <string>

namespace e2e {

// The folder of the running driver, with a trailing backslash.
std::wstring DriverFolder();
// The probe terminal and tandrel.exe, built beside the driver.
std::wstring ProbeExe();
std::wstring TandrelExe();

// A new empty folder under the system's temporary folder, removed with everything in it when
// the object goes.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }

  private:
    std::wstring path_;
};

// The whole file as bytes (shared reading, so a writer may keep it open); empty when missing.
std::string ReadWholeFile(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace e2e
