// The main window over the fakes as a GoogleTest fixture: its own window belongs to this thread,
// and it gets the fake tray and target marks.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fakes/main_window_on.h"

namespace tandrel {

class MainWindow : public testing::Test, public fakes::MainWindowOn<> {
  protected:
    explicit MainWindow(fakes::MainWindowSetup setup = {}) : MainWindowOn(setup) {
        // The main window is the program's own: its keys are read with this thread's key state.
        desktop.Window(main).thread = fakes::FakeDesktop::kOwnThread;
        host.SetWindowRect(Rect{100, 100, 480, 400});
    }
    CMainDialog& Open() {
        Init();
        return dialog;
    }
    void Type(const std::wstring& text) { host.Control(mainid::kCommandBox).text = text; }
    // A key press in the main window, seen first by its keyboard routing.
    std::uint32_t Press(std::uint32_t key, int focused = mainid::kCommandBox) {
        dialog.PreTranslateKeyDown(focused, key);
        return key;
    }
};

}  // namespace tandrel
