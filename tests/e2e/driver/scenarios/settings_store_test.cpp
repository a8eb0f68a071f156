// The settings store on the real file system and registry: a profile in a folder whose name is
// outside any ANSI code page, and the per-user Run value in Wine's registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_dialog.h"
#include "e2e_files.h"
#include "process.h"
#include "settings/base64.h"

namespace e2e {
namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Win32 storage, with the program's executable placed in a folder of the test's choosing.
class StorageBeside final : public tandrel::Win32Storage {
  public:
    explicit StorageBeside(std::wstring exe) : exe_(std::move(exe)) {}
    std::wstring ExecutablePath() override { return exe_; }

  private:
    std::wstring exe_;
};

std::wstring FromUtf16Le(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

// reg.exe's own answer to `reg query HKCU\...\Run /v Tandrel`: its exit code (0 found, 1 not),
// and what it printed, kept in `outFile` (a path without blanks).
DWORD RegQuery(const std::wstring& outFile, std::string& printed) {
    wchar_t system[MAX_PATH];
    const UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 0xFFFFFFFFu;
    ChildProcess cmd;
    if (!cmd.Start(std::wstring(system) + L"\\cmd.exe",
                   {L"/c", L"reg query HKCU\\" + std::wstring(kRunKey) + L" /v Tandrel >" + outFile}, L"")) {
        return 0xFFFFFFFFu;
    }
    if (!cmd.WaitForExit(30000))
        return 0xFFFFFFFEu;
    printed = ReadWholeFile(outFile);
    return cmd.ExitCode();
}

// The value's data read directly; false when it is absent.
bool ReadRunValue(std::wstring& data) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Tandrel", RRF_RT_REG_SZ, &type, buffer, &size);
    if (status != ERROR_SUCCESS)
        return false;
    data = buffer;
    return true;
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = temp_.File(L"\u0422\u0430\u043D\u0434\u0440\u0435\u043B \u8A2D\u5B9A");
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    TempFolder temp_{L"e2e-settings"};
    std::wstring folder_;
};

TEST_F(SettingsStoreTest, ProfileInNonAsciiFolderReadsBackIdentical) {
    StorageBeside storage(folder_ + L"\\tandrel.exe");
    const std::vector<std::wstring> filters = {L"All PuTTYs||+*",
                                               L"\u0421\u0435\u0440\u0432\u0435\u0440\u044B||+web*;-web9",
                                               L"\u4E2D\u6587||+*\u4E2D*"};
    const std::vector<std::wstring> history = {
        L"ls -la", L"echo \u041F\u0440\u0438\u0432\u0435\u0442 \u043C\u0438\u0440",
        L"first line\r\nfilter=0\r\nthird line"};
    {
        CoreDialog core(&storage);
        tandrel::CMainDialog& d = core.Dialog();
        d.filterList = filters;
        d.selectedFilter = 2;
        d.commandHistory = history;
        d.settings.transition = 40;
        d.settings.cascadeWidth = 700;
        d.settings.savePassword = 1;
        d.encodedPassword =
            tandrel::EncodePassword(L"p\u00E4ss \u043F\u0430\u0440\u043E\u043B\u044C \u5BC6\u7801");
        d.SaveSettings();
    }

    const std::wstring path = folder_ + L"\\tandrel.ini";
    const std::string bytes = ReadWholeFile(path);
    ASSERT_GE(bytes.size(), 2u) << "no profile beside the executable";
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
    const std::wstring text = FromUtf16Le(bytes.substr(2));
    // The multi-line command does not break the file: none of its lines is a line of its own.
    EXPECT_EQ(text.find(L"\r\nfilter=0\r\n"), std::wstring::npos);
    EXPECT_EQ(text.find(L"\r\nthird line"), std::wstring::npos);
    EXPECT_NE(text.find(L"\u4E2D\u6587||+*\u4E2D*"), std::wstring::npos);

    CoreDialog fresh(&storage);
    tandrel::CMainDialog& d = fresh.Dialog();
    d.LoadSettings();
    EXPECT_EQ(d.filterList, filters);
    EXPECT_EQ(d.selectedFilter, 2);
    EXPECT_EQ(d.commandHistory, history);
    EXPECT_EQ(d.settings.transition, 40);
    EXPECT_EQ(d.settings.cascadeWidth, 700);
    EXPECT_EQ(d.settings.savePassword, 1);
    EXPECT_EQ(tandrel::DecodePassword(d.encodedPassword),
              L"p\u00E4ss \u043F\u0430\u0440\u043E\u043B\u044C \u5BC6\u7801");
    EXPECT_EQ(d.profileLocation.path, path);
    // Nothing but the profile was left in the folder (the temporary file was renamed over it).
    WIN32_FIND_DATAW found{};
    const HANDLE find = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> names;
    do {
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..")
            names.push_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(names, std::vector<std::wstring>{L"tandrel.ini"});
}

TEST_F(SettingsStoreTest, RunValueIsSetAndDeletedInTheRegistry) {
    StorageBeside storage(folder_ + L"\\tandrel.exe");
    CoreDialog core(&storage);
    tandrel::CMainDialog& d = core.Dialog();

    // In a folder with a blank, the path is quoted: unquoted, the logon would try the part
    // before the blank as a program first.
    const std::wstring out = temp_.File(L"reg.txt");
    std::string printed;
    d.UpdateRunEntry(true);
    EXPECT_EQ(RegQuery(out, printed), 0u);
    EXPECT_NE(printed.find("REG_SZ    \""), std::string::npos) << printed;
    EXPECT_NE(printed.find("tandrel.exe\""), std::string::npos) << printed;
    std::wstring data;
    EXPECT_TRUE(ReadRunValue(data));
    EXPECT_EQ(data, L"\"" + folder_ + L"\\tandrel.exe\"");

    d.UpdateRunEntry(false);
    EXPECT_EQ(RegQuery(out, printed), 1u);
    EXPECT_FALSE(ReadRunValue(data));
    // Deleting an absent value is no failure and changes nothing.
    d.UpdateRunEntry(false);
    EXPECT_EQ(RegQuery(out, printed), 1u);
}

}  // namespace
}  // namespace e2e
