#include "fakes/fake_storage.h"

namespace tandrel::fakes {

FakeStorage::FakeStorage() {
    folders = {L"C:",
               L"C:\\Tools",
               L"C:\\Users",
               L"C:\\Users\\op",
               L"C:\\Users\\op\\AppData",
               L"C:\\Users\\op\\AppData\\Roaming"};
}

std::wstring FakeStorage::FolderOf(const std::wstring& path) {
    const std::size_t sep = path.find_last_of(L"\\/");
    return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep);
}

FileRead FakeStorage::ReadFile(const std::wstring& path, std::string& bytes) {
    const auto it = files.find(path);
    if (it == files.end())
        return FileRead::kMissing;
    if (unreadableFiles.contains(path))
        return FileRead::kUnreadable;
    bytes = it->second;
    return FileRead::kRead;
}

bool FakeStorage::WriteFileAtomically(const std::wstring& path, const std::string& bytes) {
    ++writes;
    if (failWrites || !CanWriteFolder(FolderOf(path))) {
        ++failedWrites;
        return false;
    }
    files[path] = bytes;
    return true;
}

bool FakeStorage::CanWriteFolder(const std::wstring& folder) {
    return folders.contains(folder) && !unwritableFolders.contains(folder);
}

bool FakeStorage::CreateFolder(const std::wstring& folder) {
    if (folders.contains(folder))
        return true;
    const std::wstring parent = FolderOf(folder);
    if (parent.empty() || !CreateFolder(parent) || unwritableFolders.contains(parent))
        return false;
    folders.insert(folder);
    return true;
}

bool FakeStorage::ProtectForUser(const std::string& plain, std::string& sealed) {
    if (failProtect)
        return false;
    sealed = "sealed for " + user + ":";
    for (const char c : plain) sealed.push_back(static_cast<char>(~c));
    return true;
}

bool FakeStorage::UnprotectForUser(const std::string& sealed, std::string& plain) {
    const std::string mark = "sealed for " + user + ":";
    if (!sealed.starts_with(mark))
        return false;
    plain.clear();
    plain.reserve(sealed.size() - mark.size());  // filled in place: no copy of it is freed
    for (std::size_t i = mark.size(); i < sealed.size(); ++i) plain.push_back(static_cast<char>(~sealed[i]));
    return true;
}

bool FakeStorage::SetRunValue(const std::wstring& name, const std::wstring& data) {
    if (!runKeyAvailable)
        return false;
    ++runValueSets;
    runValues[name] = data;
    return true;
}

bool FakeStorage::DeleteRunValue(const std::wstring& name) {
    if (!runKeyAvailable)
        return false;
    ++runValueDeletes;
    runValues.erase(name);
    return true;
}

}  // namespace tandrel::fakes
