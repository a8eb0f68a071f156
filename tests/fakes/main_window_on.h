// The main window over fakes: a desktop (any FakeDesktop subclass), storage, shell, tray, target
// marks, launcher and a dialog host, wired to one CMainDialog. The tests' fixtures are this with a few
// choices made (MainWindowSetup) or small subclasses of it.
#pragma once
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_marks.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_storage.h"
#include "fakes/fake_tray.h"
#include "fakes/refusing_platform.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "ui/main_dialog.h"

namespace tandrel::fakes {

struct MainWindowSetup {
    // The title of the main window's own window on the desktop; none with nullptr (the host then
    // stands for a window the desktop does not know).
    const wchar_t* title = L"";
    // Whether the main window is given the fake tray and the fake target marks.
    bool tray = true;
    bool marks = true;
};

template <typename Desktop = FakeDesktop, typename Host = FakeDialogHost, typename Storage = FakeStorage,
          typename Shell = FakeShell>
class MainWindowOn {
  public:
    explicit MainWindowOn(MainWindowSetup setup = {}) : setup_(setup) {}

    // The profile beside the executable, "[Tandrel]" and these lines.
    void Profile(const std::wstring& lines) {
        storage.files[L"C:\\Tools\\tandrel.ini"] = EncodeUtf16LeWithBom(L"[Tandrel]\r\n" + lines);
    }
    // The window is made: the dialog gets its host and WM_INITDIALOG.
    bool Init() {
        dialog.Attach(&host);
        host.AttachDialog(&dialog);
        const bool result = dialog.Dispatch(DialogEvent::kInit);
        if constexpr (requires { host.Flush(); })
            host.Flush();
        return result;
    }
    WindowId Terminal(const std::wstring& title) { return desktop.AddWindow(L"PuTTY", title); }
    std::wstring Box() { return host.ItemText(mainid::kCommandBox); }

  private:
    MainWindowSetup setup_;

  public:
    std::vector<std::string> log;  // written by a logging host and logging storage
    Desktop desktop;
    Storage storage = Made<Storage>();
    Shell shell;
    FakeTray tray;
    FakeMarks marks;
    FakeLauncher launcher;
    WindowId main =
        setup_.title != nullptr ? desktop.AddWindow(L"TANDREL_WND_CLASS", setup_.title) : kNoWindow;
    Host host = MadeHost();

  private:
    std::optional<CMainDialog> made_{std::in_place, Wiring()};

  public:
    CMainDialog& dialog = *made_;

    // The dialog object goes, as when its window is destroyed; dialog must not be used after.
    void DestroyDialog() { made_.reset(); }
    // A new dialog object over the same fakes, as at the next start of the program.
    CMainDialog& Restart() {
        made_.emplace(Wiring());
        return dialog;
    }
    // What the main window is given: the fakes above.
    Platform Wiring() {
        Platform p{desktop, desktop, desktop, storage, shell};
        p.launcher = &launcher;
        if (setup_.tray)
            p.tray = &tray;
        if (setup_.marks)
            p.marks = &marks;
        return p;
    }

  private:
    template <typename T>
    T Made() {
        if constexpr (std::is_constructible_v<T, std::vector<std::string>&>)
            return T(log);
        else
            return T();
    }
    Host MadeHost() {
        if constexpr (std::is_constructible_v<Host, WindowId, FakeDesktop&, std::vector<std::string>&>) {
            return Host(main, desktop, log);
        } else if constexpr (std::is_constructible_v<Host, WindowId>) {
            if (main == kNoWindow)
                return Host();
            return Host(main);
        } else {
            return Host();
        }
    }
};

// The main window for target collection and broadcasting: no window of its own, storage and
// shell that refuse everything (those paths never reach them).
template <typename Desktop = FakeDesktop>
struct DialogOn : MainWindowOn<Desktop, FakeDialogHost, RefusingStorage, RefusingShell> {
    DialogOn()
        : MainWindowOn<Desktop, FakeDialogHost, RefusingStorage, RefusingShell>(
              {.title = nullptr, .tray = false, .marks = false}) {}

    // The titles of the collected windows, in list order.
    std::vector<std::wstring> TargetTitles() const {
        std::vector<std::wstring> titles;
        for (WindowId w : this->dialog.TargetList) titles.push_back(this->desktop.Window(w).title);
        return titles;
    }
};

using DialogOnFakeDesktop = DialogOn<FakeDesktop>;

}  // namespace tandrel::fakes
