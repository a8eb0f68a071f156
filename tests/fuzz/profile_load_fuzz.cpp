// The main window's settings loaded from an arbitrary profile file: every value lands where the
// program can use it (at least one filter and at most 100, none empty, the selected one among
// them; at most 100 history entries, none empty, the cursor past the last; no password unless it
// is to be kept), and the settings are a fixed point of saving: saved and loaded by a new window,
// every value is the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_storage.h"
#include "fuzz/fuzz_text.h"
#include "ui/main_dialog.h"

namespace {

using tandrel::CMainDialog;
using tandrel::fuzz::Fail;

constexpr std::size_t kSlots = 100;

class NoShell : public tandrel::IShell {
  public:
    void OpenUrl(const std::wstring&) override { Fail("the settings opened an address"); }
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

bool HasEmpty(const std::vector<std::wstring>& list) {
    for (const std::wstring& s : list) {
        if (s.empty())
            return true;
    }
    return false;
}

void CheckUsable(const CMainDialog& d) {
    if (d.filterList.empty() || d.filterList.size() > kSlots || HasEmpty(d.filterList))
        Fail("the filter list is empty, too long, or holds an empty filter");
    if (d.selectedFilter < 0 || static_cast<std::size_t>(d.selectedFilter) >= d.filterList.size())
        Fail("the selected filter names no filter");
    if (d.commandHistory.size() > kSlots || HasEmpty(d.commandHistory))
        Fail("the history is too long or holds an empty command");
    if (d.historyCursor != static_cast<std::int32_t>(d.commandHistory.size()))
        Fail("the history cursor is not past the last command");
    if (d.settings.savePassword == 0 && !d.encodedPassword.empty())
        Fail("a password was taken from a profile that does not keep one", d.encodedPassword);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tandrel::fakes::FakeDesktop desktop;
    tandrel::fakes::FakeStorage storage;
    NoShell shell;
    const tandrel::Platform platform{desktop, desktop, desktop, storage, shell};
    storage.files[L"C:\\Tools\\tandrel.ini"] = std::string(reinterpret_cast<const char*>(data), size);

    CMainDialog first(platform);
    first.LoadSettings();
    CheckUsable(first);
    first.SaveSettings();

    CMainDialog second(platform);
    second.LoadSettings();
    if (second.filterList != first.filterList)
        Fail("the filters change through a save and a load");
    if (second.commandHistory != first.commandHistory)
        Fail("the history changes through a save and a load");
    if (second.encodedPassword != first.encodedPassword)
        Fail("the password changes through a save and a load", first.encodedPassword, second.encodedPassword);
    if (second.settings != first.settings || second.selectedFilter != first.selectedFilter ||
        second.historyCursor != first.historyCursor)
        Fail("a preference changes through a save and a load");
    return 0;
}
