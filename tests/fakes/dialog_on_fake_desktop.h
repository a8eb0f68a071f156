// A main window whose platform is the fake desktop, for the tests and benchmarks of target
// collection and broadcasting. Storage and shell are not reached by those paths; they refuse
// everything.
#pragma once
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "platform/platform.h"
#include "ui/main_dialog.h"

namespace tandrel::fakes {

class RefusingStorage : public IStorage {
  public:
    FileRead ReadFile(const std::wstring&, std::string&) override { return FileRead::kMissing; }
    bool WriteFileAtomically(const std::wstring&, const std::string&) override { return false; }
    bool CanWriteFolder(const std::wstring&) override { return false; }
    bool CreateFolder(const std::wstring&) override { return false; }
    std::wstring ExecutablePath() override { return {}; }
    std::wstring AppDataFolder() override { return {}; }
    bool ProtectForUser(const std::string&, std::string&) override { return false; }
    bool UnprotectForUser(const std::string&, std::string&) override { return false; }
    bool SetRunValue(const std::wstring&, const std::wstring&) override { return false; }
    bool DeleteRunValue(const std::wstring&) override { return false; }
};

class RefusingShell : public IShell {
  public:
    void OpenUrl(const std::wstring&) override {}
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

// Holds a desktop (any FakeDesktop subclass) and a main window on it.
template <typename Desktop = FakeDesktop>
struct DialogOn {
    Desktop desktop;
    RefusingStorage storage;
    RefusingShell shell;
    CMainDialog dialog{Platform{desktop, desktop, desktop, storage, shell}};

    // The titles of the collected windows, in list order.
    std::vector<std::wstring> TargetTitles() const {
        std::vector<std::wstring> titles;
        for (WindowId w : dialog.TargetList) titles.push_back(desktop.Window(w).title);
        return titles;
    }
};

using DialogOnFakeDesktop = DialogOn<FakeDesktop>;

}  // namespace tandrel::fakes
