// Fake dialog hosts that note or do one thing more when a message box is shown.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_host.h"
#include "ui/main_dialog.h"

namespace tandrel::fakes {

// Notes, at each message box, how many entries the main window's filter combo box held then.
class FilterListingHost : public FakeDialogHost {
  public:
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override {
        filtersListedAtBox.push_back(ListCount(mainid::kFilterCombo));
        return FakeDialogHost::ShowMessageBox(text, caption, flags);
    }
    std::vector<int> filtersListedAtBox;
};

// The operator's answer takes as long as it takes: a window may close meanwhile, and its handle
// may come to name some other program's window.
class ReusingHost : public FakeDialogHost {
  public:
    using FakeDialogHost::FakeDialogHost;
    FakeDesktop* desktop = nullptr;
    WindowId reused = kNoWindow;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override {
        desktop->Window(reused).className = L"Notepad";
        desktop->Window(reused).processId = 900;
        FakeDialogHost::ShowMessageBox(text, caption, flags);
        return mb::kIdYes;
    }
};

// A host that notes the modal flag whenever a message box is up.
class WatchingHost : public FakeDialogHost {
  public:
    explicit WatchingHost(const std::int32_t& flag) : flag_(flag) {}
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override {
        flagDuringBox.push_back(flag_);
        return FakeDialogHost::ShowMessageBox(text, caption, flags);
    }
    std::vector<std::int32_t> flagDuringBox;

  private:
    const std::int32_t& flag_;
};

}  // namespace tandrel::fakes
