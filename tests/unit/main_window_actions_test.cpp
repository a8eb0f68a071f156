// The main window's dialog actions: password, script, preferences and filters, each with its
// modal flag, what it takes back and what it saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "broadcast/broadcast_sequence.h"
#include "platform/secret_text.h"
#include "fakes/freed_memory.h"
#include "main_window_fixture.h"
#include "settings/base64.h"
#include "ui/password_dialog.h"
#include "ui/preferences_dialog.h"

namespace tandrel {
namespace {

using fakes::FakeDesktop;
using fakes::FakeDialogHost;
using fakes::FreedMemoryWatch;

class Actions : public MainWindow {
  protected:
    std::wstring ProfileText() { return DecodeText(storage.files[L"C:\\Tools\\tandrel.ini"]); }
};

TEST_F(Actions, APasswordIsTypedLiterallyWithEnterAndStoredOnlyProtected) {
    Profile(L"checkForUpdates=0\r\nsavePassword=1\r\n");
    const WindowId term = Terminal(L"t1");
    CMainDialog& d = Open();
    host.OnModal(CPasswordDialog::kTemplate, [&d](CDialog& dialog, FakeDialogHost& h) {
        EXPECT_EQ(d.modalDialogOpen, 1);
        EXPECT_EQ(h.ItemText(CPasswordDialog::kPassword), L"");  // nothing entered yet
        h.SetItemText(CPasswordDialog::kPassword, L"p+w^d%{x}");
        dialog.OnOK();
        return mb::kIdOk;
    });
    host.UserClicks(mainid::kPassword);
    EXPECT_EQ(desktop.Window(term).text, L"p+w^d%{x}\r");
    EXPECT_EQ(d.encodedPassword, EncodePassword(L"p+w^d%{x}"));
    EXPECT_TRUE(d.commandHistory.empty());
    EXPECT_EQ(d.modalDialogOpen, 0);
    EXPECT_NE(ProfileText().find(L"\r\npassword=\r\nprotectedPassword=c2Vh"),
              std::wstring::npos);  // "sea(led)"
    // The next time the dialog offers it again; Cancel then sends nothing.
    host.OnModal(CPasswordDialog::kTemplate, [](CDialog&, FakeDialogHost& h) {
        EXPECT_EQ(h.ItemText(CPasswordDialog::kPassword), L"p+w^d%{x}");
        return mb::kIdCancel;
    });
    host.UserClicks(mainid::kPassword);
    EXPECT_EQ(desktop.Window(term).text, L"p+w^d%{x}\r");
}

// Entered, sent (with Caps Lock on and an escaped character), saved, loaded and offered again:
// no block of memory that held the plain password is freed before it has been overwritten. Ten
// characters, so that the terminal's own record of what it received never has to grow past them.
TEST_F(Actions, NoCopyOfThePlainPasswordIsFreedUnwiped) {
    Profile(L"checkForUpdates=0\r\nsavePassword=1\r\n");
    const WindowId term = Terminal(L"t1");
    CMainDialog& d = Open();
    desktop.SetCapsLock(true);
    std::wstring password = L"S\x0435cr+t^%\x5BC6x";
    const auto typeInto = [&](CDialog& dialog, FakeDialogHost& h, bool ok) {
        if (ok) {
            h.SetItemText(CPasswordDialog::kPassword, password);
            dialog.OnOK();
        }
        WipeText(h.Control(CPasswordDialog::kPassword).text);  // the edit control's own memory
        return ok ? mb::kIdOk : mb::kIdCancel;
    };
    // As typed, as UTF-16LE bytes, and as the key sequence that types it.
    std::vector<std::string> patterns = {FreedMemoryWatch::WideBytes(password),
                                         FreedMemoryWatch::Utf16LeBytes(password),
                                         FreedMemoryWatch::WideBytes(EscapeCommandText(password))};
    {
        FreedMemoryWatch watch(std::move(patterns));
        host.OnModal(CPasswordDialog::kTemplate,
                     [&](CDialog& dialog, FakeDialogHost& h) { return typeInto(dialog, h, true); });
        host.UserClicks(mainid::kPassword);
        d.LoadSettings();
        host.OnModal(CPasswordDialog::kTemplate,
                     [&](CDialog& dialog, FakeDialogHost& h) { return typeInto(dialog, h, false); });
        host.UserClicks(mainid::kPassword);
        EXPECT_EQ(watch.Hits(), 0u);
    }
    EXPECT_EQ(desktop.Window(term).text, L"S\x0435cr+t^%\x5BC6x\r");
    EXPECT_EQ(DecodePassword(d.encodedPassword), password);
    WipeText(password);
}

TEST_F(Actions, WithSavePasswordClearTheProfileHoldsNoPassword) {
    Profile(L"checkForUpdates=0\r\nsavePassword=0\r\npassword=b2xk\r\n");
    Open();
    host.OnModal(CPasswordDialog::kTemplate, [](CDialog& dialog, FakeDialogHost& h) {
        h.SetItemText(CPasswordDialog::kPassword, L"secret");
        dialog.OnOK();
        return mb::kIdOk;
    });
    host.UserClicks(mainid::kPassword);
    EXPECT_NE(ProfileText().find(L"\r\npassword=\r\n"), std::wstring::npos);
    EXPECT_NE(ProfileText().find(L"\r\nprotectedPassword=\r\n"), std::wstring::npos);
    EXPECT_EQ(dialog.encodedPassword, EncodePassword(L"secret"));
}

TEST_F(Actions, AScriptIsSentToEveryTargetWithTheMainWindowHidden) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId a = Terminal(L"a");
    const WindowId b = Terminal(L"b");
    storage.files[L"C:\\scripts\\two.tdl"] = "cd /tmp\r\necho a+b\r\n";
    Open();
    desktop.ClearCalls();
    host.ChooseFileNext(L"C:\\scripts\\two.tdl");
    host.UserClicks(mainid::kScript);
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    EXPECT_EQ(host.FileDialogs()[0], L"Tandrel Scripts (*.tdl)|*.tdl||\nOpen Tandrel script");
    // Each line ends in one Enter; "+" is the Shift prefix in a script.
    EXPECT_EQ(desktop.Window(a).text, L"cd /tmp\recho aB\r");
    EXPECT_EQ(desktop.Window(b).text, desktop.Window(a).text);
    const auto shows = desktop.CallsStartingWith("show " + std::to_string(main));
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0], "show " + std::to_string(main) + " 0");
    EXPECT_EQ(shows[1], "show " + std::to_string(main) + " 8");  // shown again, then brought forward
    EXPECT_EQ(desktop.Foreground(), main);
}

// Caps Lock goes off and on again around the script in each target whose thread has it on,
// even where a line leaves a brace open (its text runs to the end of the script).
TEST_F(Actions, AScriptGetsCapsLockOffAroundItWhereATargetHasItOn) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId a = Terminal(L"a");
    const WindowId b = Terminal(L"b");
    storage.files[L"C:\\scripts\\open.tdl"] = "Ls\r\necho {\r\nx\r\n";
    Open();
    desktop.SetCapsLockOf(b, true);
    host.ChooseFileNext(L"C:\\scripts\\open.tdl");
    host.UserClicks(mainid::kScript);
    for (const WindowId w : {a, b}) {
        EXPECT_EQ(desktop.Window(w).text, L"Ls\recho ");
        const auto& keys = desktop.Window(w).keys;
        const auto capsLock = std::count_if(keys.begin(), keys.end(), [](const fakes::KeyRecord& k) {
            return k.vk == vk::kCapital && (k.flags & keyflag::kKeyUp) == 0;
        });
        EXPECT_EQ(capsLock, w == b ? 2 : 0);
    }
    EXPECT_EQ(desktop.KeyStateOfThread(b, vk::kCapital) & 1, 1);
}

TEST_F(Actions, AScriptThatCannotBeReadOrIsNotChosenSendsNothing) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId a = Terminal(L"a");
    CMainDialog& d = Open();
    host.ChooseFileNext(L"C:\\missing.tdl");
    host.UserClicks(mainid::kScript);
    host.UserClicks(mainid::kScript);  // Cancel
    EXPECT_EQ(desktop.Window(a).text, L"");
    ASSERT_EQ(host.MessageBoxes().size(), 1u);  // the unreadable file says so; Cancel says nothing
    EXPECT_EQ(
        host.MessageBoxes()[0].text,
        L"The script\nC:\\missing.tdl\ncould not be read: nothing was sent.\n\nCheck that the file is there "
        L"and that you may read it, then try again.");
    EXPECT_EQ(d.modalDialogOpen, 0);
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
}

// The quick keys, the password and the script end as a command does, with the focus on their
// button as a press by mouse or keyboard leaves it: the main window in front, the focus in the
// command box and Send the default button.
TEST_F(Actions, QuickKeyPasswordAndScriptEndLikeACommand) {
    Profile(L"checkForUpdates=0\r\n");
    const WindowId term = Terminal(L"t1");
    storage.files[L"C:\\s.tdl"] = "ls\r\n";
    Open();
    const struct {
        const char* name;
        int button;
        std::function<void()> answer;
    } cases[] = {
        {"quick key", IDC_KEY_ESC, [] {}},
        {"password", mainid::kPassword,
         [&] {
             host.OnModal(CPasswordDialog::kTemplate, [](CDialog& dialog, FakeDialogHost& h) {
                 h.SetItemText(CPasswordDialog::kPassword, L"pw");
                 dialog.OnOK();
                 return mb::kIdOk;
             });
         }},
        {"script", mainid::kScript, [&] { host.ChooseFileNext(L"C:\\s.tdl"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t keys = desktop.Window(term).keys.size();
        host.FocusItem(c.button);
        host.MakeDefaultButton(c.button);
        c.answer();
        host.UserClicks(c.button);
        EXPECT_GT(desktop.Window(term).keys.size(), keys);
        EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
        EXPECT_EQ(host.DefaultButton(), mainid::kSend);
        EXPECT_EQ(desktop.Foreground(), main);
        EXPECT_TRUE(desktop.Window(main).visible);
    }
}

TEST_F(Actions, PreferencesTakenBackApplyAtOnceAndAreSaved) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    host.OnModal(CPreferencesDialog::kTemplate, [&d](CDialog& dialog, FakeDialogHost& h) {
        EXPECT_EQ(d.modalDialogOpen, 1);
        EXPECT_TRUE(h.IsChecked(CPreferencesDialog::kToolWindow));
        h.SetCheck(CPreferencesDialog::kToolWindow, false);
        h.UserClicks(CPreferencesDialog::kToolWindow);
        h.SetCheck(CPreferencesDialog::kMinimizeToSysTray, false);
        h.UserClicks(CPreferencesDialog::kMinimizeToSysTray);
        h.SetCheck(CPreferencesDialog::kScrollThrough, false);
        h.UserClicks(CPreferencesDialog::kScrollThrough);
        h.UserSetsText(CPreferencesDialog::kTransition, L"40");
        dialog.OnOK();
        return mb::kIdOk;
    });
    host.UserClicks(mainid::kPreferences);
    EXPECT_EQ(d.settings.toolWindow, 0);
    EXPECT_EQ(host.Title(), L"Tandrel 1.7");
    EXPECT_EQ(d.settings.transition, 40);
    EXPECT_EQ(d.commandBox.cmdhistoryScrollThrough, 0);
    EXPECT_EQ(tray.calls.back(), L"delete");
    EXPECT_FALSE(d.trayIconShown);
    EXPECT_TRUE(desktop.Window(main).visible);
    EXPECT_EQ(d.modalDialogOpen, 0);
    EXPECT_NE(ProfileText().find(L"transition=40\r\n"), std::wstring::npos);
}

TEST_F(Actions, CancelledPreferencesChangeNothingAndSaveNothing) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    const int writes = storage.writes;
    host.OnModal(CPreferencesDialog::kTemplate, [](CDialog&, FakeDialogHost& h) {
        h.UserSetsText(CPreferencesDialog::kTransition, L"40");
        return mb::kIdCancel;
    });
    host.UserClicks(mainid::kPreferences);
    EXPECT_EQ(d.settings.transition, 25);
    EXPECT_EQ(storage.writes, writes);
}

// The main window's show and hide calls of one Preferences action.
std::vector<std::string> ShowCalls(const FakeDesktop& desktop, WindowId main) {
    return desktop.CallsStartingWith("show " + std::to_string(main) + " ");
}

TEST_F(Actions, CancelledPreferencesLeaveTheCommandBoxFlagsAndGiveItTheFocus) {
    Profile(L"checkForUpdates=0\r\ncmdhistoryScrollThrough=1\r\nemulateCopyPaste=1\r\n");
    CMainDialog& d = Open();
    host.FocusItem(mainid::kSend);
    host.OnModal(CPreferencesDialog::kTemplate, [](CDialog&, FakeDialogHost& h) {
        h.SetCheck(CPreferencesDialog::kScrollThrough, false);
        h.UserClicks(CPreferencesDialog::kScrollThrough);
        h.SetCheck(CPreferencesDialog::kEmulateCopyPaste, false);
        h.UserClicks(CPreferencesDialog::kEmulateCopyPaste);
        return mb::kIdCancel;
    });
    host.UserClicks(mainid::kPreferences);
    EXPECT_EQ(d.commandBox.cmdhistoryScrollThrough, 1);
    EXPECT_EQ(d.commandBox.emulateCopyPaste, 1);
    EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
    EXPECT_EQ(d.modalDialogOpen, 0);
}

// Only the appearance (opacity, tool window, always on top) hides and re-shows the window.
TEST_F(Actions, OnlyAChangedAppearanceHidesAndReShowsTheWindow) {
    const struct {
        const char* name;
        std::function<void(CDialog&, FakeDialogHost&)> edit;
        bool reshown;
    } cases[] = {
        {"transition",
         [](CDialog&, FakeDialogHost& h) { h.UserSetsText(CPreferencesDialog::kTransition, L"40"); }, false},
        {"opacity",
         [](CDialog& dialog, FakeDialogHost& h) {
             h.SetSliderPosition(CPreferencesDialog::kOpacitySlider, 153);
             dialog.Dispatch(DialogEvent::kHScroll, CPreferencesDialog::kOpacitySlider);
         },
         true},
        {"always on top",
         [](CDialog&, FakeDialogHost& h) {
             h.SetCheck(CPreferencesDialog::kAlwaysOnTop, true);
             h.UserClicks(CPreferencesDialog::kAlwaysOnTop);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Profile(L"checkForUpdates=0\r\nalwaysOnTop=0\r\nwindowOpacity=255\r\n");
        Open();
        desktop.ClearCalls();
        host.OnModal(CPreferencesDialog::kTemplate, [&c](CDialog& dialog, FakeDialogHost& h) {
            c.edit(dialog, h);
            dialog.OnOK();
            return mb::kIdOk;
        });
        host.UserClicks(mainid::kPreferences);
        const auto shows = ShowCalls(desktop, main);
        if (c.reshown) {
            ASSERT_EQ(shows.size(), 2u);
            EXPECT_EQ(shows[0], "show " + std::to_string(main) + " 0");
            EXPECT_EQ(shows[1], "show " + std::to_string(main) + " 5");
        } else {
            EXPECT_TRUE(shows.empty()) << shows.front();
            EXPECT_EQ(host.FocusedItem(), mainid::kCommandBox);
        }
        EXPECT_TRUE(desktop.Window(main).visible);
    }
}

TEST_F(Actions, TrayModeSwitchedOffWhileHiddenBringsTheWindowBackAndOnAddsTheIcon) {
    Profile(L"checkForUpdates=0\r\nminimizeToSysTray=1\r\n");
    CMainDialog& d = Open();
    desktop.Show(main, sw::kHide);
    const auto toggleTray = [](bool on) {
        return [on](CDialog& dialog, FakeDialogHost& h) {
            h.SetCheck(CPreferencesDialog::kMinimizeToSysTray, on);
            h.UserClicks(CPreferencesDialog::kMinimizeToSysTray);
            dialog.OnOK();
            return mb::kIdOk;
        };
    };
    host.OnModal(CPreferencesDialog::kTemplate, toggleTray(false));
    d.Dispatch(DialogEvent::kCommand, mainid::kTrayPreferences);
    EXPECT_EQ(tray.calls.back(), L"delete");
    EXPECT_FALSE(d.trayIconShown);
    EXPECT_TRUE(desktop.Window(main).visible);

    tray.calls.clear();
    host.OnModal(CPreferencesDialog::kTemplate, toggleTray(true));
    host.UserClicks(mainid::kPreferences);
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0], L"add Tandrel 1.7");
    EXPECT_TRUE(d.trayIconShown);
}

TEST_F(Actions, ConfirmedPreferencesSaveTheHistoryAndTheFiltersToo) {
    Profile(L"checkForUpdates=0\r\ncmdhistory00=uptime\r\nfilter00=Web||web*\r\nfilter=0\r\n");
    Open();
    storage.files.clear();
    host.OnModal(CPreferencesDialog::kTemplate, [](CDialog& dialog, FakeDialogHost&) {
        dialog.OnOK();
        return mb::kIdOk;
    });
    host.UserClicks(mainid::kPreferences);
    const std::wstring text = ProfileText();
    EXPECT_NE(text.find(L"cmdhistory00=uptime\r\n"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"filter00=Web||web*\r\n"), std::wstring::npos) << text;
}

TEST_F(Actions, TheFiltersDialogRefillsTheComboBoxAndSavesHoweverItCloses) {
    Profile(L"checkForUpdates=0\r\n");
    CMainDialog& d = Open();
    const int writes = storage.writes;
    host.OnModal(114, [&d](CDialog&, FakeDialogHost&) {
        EXPECT_EQ(d.modalDialogOpen, 1);
        return mb::kIdCancel;
    });
    host.UserClicks(mainid::kFilters);
    EXPECT_EQ(storage.writes, writes + 1);
    EXPECT_EQ(host.Control(mainid::kFilterCombo).items, std::vector<std::wstring>{L"All PuTTYs"});
    EXPECT_EQ(host.ListSelection(mainid::kFilterCombo), 0);
    EXPECT_EQ(d.modalDialogOpen, 0);
    EXPECT_EQ(host.DefaultButton(), mainid::kSend);
}

}  // namespace
}  // namespace tandrel
