// The portable main window over the real Win32 keyboard, windows, clock and storage, with a shell
// that does nothing: scenarios call its operations directly, without tandrel.exe.
#pragma once
#include <memory>
#include <string>

#include "platform/shell.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_storage.h"
#include "typing_recorder.h"

#undef MessageBox

#include "fakes/fake_dialog_host.h"
#include "ui/main_dialog.h"

namespace e2e {

class NoShell final : public tandrel::IShell {
  public:
    void OpenUrl(const std::wstring&) override {}
    bool Download(const std::wstring&, std::uint32_t, std::size_t, std::string&) override { return false; }
};

// Owns the boundary and one CMainDialog over it; another storage may stand in for the Win32 one.
// The windows are reached through a TypingRecorder, which tells the order of typing.
class CoreDialog {
  public:
    explicit CoreDialog(tandrel::IStorage* storage = nullptr) : storage_(storage ? storage : &ownStorage_) {}
    ~CoreDialog() {
        if (host_) {
            dialog_->Attach(nullptr);
            DestroyWindow(standIn_);
        }
    }
    CoreDialog(const CoreDialog&) = delete;
    CoreDialog& operator=(const CoreDialog&) = delete;
    tandrel::CMainDialog& Dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<tandrel::CMainDialog>(
                tandrel::Platform{platform_.keyboard, recorder_, platform_.clock, *storage_, shell_});
        }
        return *dialog_;
    }
    // The dialog's host, a fake over a stand-in for the main window (a plain window of this
    // thread), so that the focus has a window to come back to after a broadcast.
    tandrel::fakes::FakeDialogHost& Host() {
        if (!host_) {
            standIn_ = CreateWindowExW(0, L"STATIC", L"Tandrel 1.7", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 900,
                                       700, 300, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            const auto id = reinterpret_cast<tandrel::WindowId>(standIn_);
            host_ = std::make_unique<tandrel::fakes::FakeDialogHost>(id);
            Dialog().mainWindow = id;
            Dialog().Attach(host_.get());
        }
        return *host_;
    }
    HWND StandIn() {
        Host();
        return standIn_;
    }
    const TypingRecorder& Recorder() const { return recorder_; }
    TypingRecorder& Recorder() { return recorder_; }

  private:
    tandrel::win32::Win32Platform platform_;
    TypingRecorder recorder_{platform_.windows};
    tandrel::Win32Storage ownStorage_;
    NoShell shell_;
    tandrel::IStorage* storage_;
    std::unique_ptr<tandrel::CMainDialog> dialog_;
    HWND standIn_ = nullptr;
    std::unique_ptr<tandrel::fakes::FakeDialogHost> host_;
};

}  // namespace e2e
