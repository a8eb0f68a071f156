#include "platform/win32/win32_storage.h"
#include "platform/win32/win32_handles.h"

#include <windows.h>
#include <wincrypt.h>
#include <shlobj.h>

#include <string>

namespace tandrel {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Larger files are no profile or script of ours; reading them is refused rather than risked.
constexpr LONGLONG kMaxFileBytes = 64LL * 1024 * 1024;

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        const bool ok = !Valid() || ::CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

std::wstring Join(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    return path + name;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = bytes.size() - done < 0x10000000 ? bytes.size() - done : 0x10000000;
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

FileRead Win32Storage::ReadFile(const std::wstring& path, std::string& bytes) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        // Only "not there" means no file; a sharing violation, a denied access or anything
        // else leaves a file that exists and must not be taken for a missing one.
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::kMissing
                                                                              : FileRead::kUnreadable;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > kMaxFileBytes)
        return FileRead::kUnreadable;
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), content.data() + done, static_cast<DWORD>(content.size() - done), &read,
                        nullptr)) {
            return FileRead::kUnreadable;
        }
        if (read == 0)
            break;  // the file shrank meanwhile
        done += read;
    }
    content.resize(done);
    bytes = std::move(content);
    return FileRead::kRead;
}

bool Win32Storage::WriteFileAtomically(const std::wstring& path, const std::string& bytes) {
    // The new content goes to "<name>.tmp" beside the file and reaches the disk before it takes
    // the file's place in one rename, so a crash leaves either the old or the new file whole.
    const std::wstring temp = path + L".tmp";
    {
        FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return false;
        const bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get()) != FALSE;
        if (!file.Close() || !written) {
            ::DeleteFileW(temp.c_str());
            return false;
        }
    }
    if (!::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool Win32Storage::CanWriteFolder(const std::wstring& folder) {
    const std::wstring probe =
        Join(folder, (L"~tandrel-probe-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp").c_str());
    FileHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file.Valid())
        return false;
    file.Close();
    ::DeleteFileW(probe.c_str());
    return true;
}

bool Win32Storage::CreateFolder(const std::wstring& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const int result = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS;
}

std::wstring Win32Storage::ExecutablePath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    // A path cut short at the buffer's end names no file; it counts as not fetched.
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(buffer, length);
}

std::wstring Win32Storage::AppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return buffer;
    }
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(buffer, length);
}

namespace {

// One CryptProtectData or CryptUnprotectData call; the output, once copied, is wiped before the
// system's buffer is freed.
template <typename Crypt>
bool CryptBytes(Crypt crypt, const std::string& in, std::string& out) {
    DATA_BLOB input{static_cast<DWORD>(in.size()), reinterpret_cast<BYTE*>(const_cast<char*>(in.data()))};
    DATA_BLOB output{};
    if (!crypt(&input, &output))
        return false;
    out.assign(reinterpret_cast<const char*>(output.pbData), output.cbData);
    ::SecureZeroMemory(output.pbData, output.cbData);
    ::LocalFree(output.pbData);
    return true;
}

}  // namespace

bool Win32Storage::ProtectForUser(const std::string& plain, std::string& sealed) {
    return CryptBytes(
        [](DATA_BLOB* in, DATA_BLOB* out) {
            return ::CryptProtectData(in, L"Tandrel", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                                      out) != FALSE;
        },
        plain, sealed);
}

bool Win32Storage::UnprotectForUser(const std::string& sealed, std::string& plain) {
    // `plain` is the caller's, sized by the assignment alone: no copy of the password is freed.
    return CryptBytes(
        [](DATA_BLOB* in, DATA_BLOB* out) {
            return ::CryptUnprotectData(in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                                        out) != FALSE;
        },
        sealed, plain);
}

bool Win32Storage::SetRunValue(const std::wstring& name, const std::wstring& data) {
    win32::UniqueRegKey key;
    // Created when missing (a fresh profile of the system may not have it yet).
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = ::RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(data.c_str()), size);
    return status == ERROR_SUCCESS;
}

bool Win32Storage::DeleteRunValue(const std::wstring& name) {
    win32::UniqueRegKey key;
    const LSTATUS opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;  // no key, so no value either
    if (opened != ERROR_SUCCESS)
        return false;
    const LSTATUS status = ::RegDeleteValueW(key.Get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace tandrel
