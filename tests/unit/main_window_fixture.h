// The main window over the fake desktop, storage, shell, tray and dialog host.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_storage.h"
#include "platform/text_codec.h"
#include "ui/main_dialog.h"

namespace tandrel::testing_main {

using fakes::FakeDesktop;
using fakes::FakeDialogHost;
using fakes::FakeShell;
using fakes::FakeStorage;

class FakeTray : public ITray {
  public:
    bool AddIcon(WindowId, const std::wstring& tip) override {
        calls.push_back(L"add " + tip);
        return failingAdds == 0 || failingAdds-- == 0;
    }
    void ModifyIcon(const std::wstring& tip) override { calls.push_back(L"modify " + tip); }
    void DeleteIcon() override { calls.push_back(L"delete"); }
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override {
        calls.push_back(L"balloon " + title + L"|" + text);
    }
    void ForgetIcon() override { calls.push_back(L"forget"); }
    void ShowMenu(WindowId, bool greyed) override { calls.push_back(greyed ? L"menu greyed" : L"menu"); }
    std::vector<std::wstring> calls;
    int failingAdds = 0;  // the shell refuses this many adds
};

class FakeMarks : public ITargetMarks {
  public:
    struct Shown {
        std::vector<TargetMark> marks;
        std::wstring note;
        WindowId over;
        std::uint32_t ms;
    };
    void Show(const std::vector<TargetMark>& m, const std::wstring& note, WindowId over,
              std::uint32_t ms) override {
        shown.push_back({m, note, over, ms});
    }
    std::vector<Shown> shown;
};

class MainWindow : public testing::Test {
  protected:
    MainWindow() {
        main = desktop.AddWindow(L"TANDREL_WND_CLASS", L"");
        // The main window is the program's own: its keys are read with this thread's key state.
        desktop.Window(main).thread = FakeDesktop::kOwnThread;
        host = FakeDialogHost(main);
        host.SetWindowRect(Rect{100, 100, 480, 400});
    }
    // A profile of "[Tandrel]" and these lines, beside the executable.
    void Profile(const std::wstring& lines) {
        storage.files[L"C:\\Tools\\tandrel.ini"] = EncodeUtf16LeWithBom(L"[Tandrel]\r\n" + lines);
    }
    CMainDialog& Open(bool withTray = true) {
        Platform p{desktop, desktop, desktop, storage, shell};
        if (withTray)
            p.tray = &tray;
        p.marks = &marks;
        dialog = std::make_unique<CMainDialog>(p);
        dialog->Attach(&host);
        host.AttachDialog(dialog.get());
        dialog->Dispatch(DialogEvent::kInit);
        return *dialog;
    }
    WindowId Terminal(const std::wstring& title) {
        const WindowId w = desktop.AddWindow(L"PuTTY", title);
        return w;
    }
    std::wstring Box() { return host.ItemText(mainid::kCommandBox); }
    void Type(const std::wstring& text) { host.Control(mainid::kCommandBox).text = text; }
    // A key press in the main window, seen first by its keyboard routing.
    std::uint32_t Press(std::uint32_t key, int focused = mainid::kCommandBox) {
        dialog->PreTranslateKeyDown(focused, key);
        return key;
    }

    FakeDesktop desktop;
    FakeStorage storage;
    FakeShell shell;
    FakeTray tray;
    FakeMarks marks;
    FakeDialogHost host;
    WindowId main = kNoWindow;
    std::unique_ptr<CMainDialog> dialog;
};

}  // namespace tandrel::testing_main
