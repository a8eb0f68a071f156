// The password dialog (the Base64-held password in and out, the round trip, Cancel, help), the
// about box (its texts and links) and the two web addresses.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/secret_text.h"
#include "fakes/fake_dialog_host.h"
#include "fakes/fake_shell.h"
#include "settings/base64.h"
#include "ui/about_dialog.h"
#include "ui/password_dialog.h"
#include "ui/web_pages.h"

namespace tandrel {
namespace {

using fakes::FakeDialogHost;
using fakes::FakeShell;

const std::wstring kHome =
    std::wstring(L"http://") + fakes::kTestWebHost + L"/tandrel?m=h&app=Tandrel&iv=010700";
const std::wstring kDonation =
    std::wstring(L"http://") + fakes::kTestWebHost + L"/tandrel?m=d&app=Tandrel&iv=010700";

TEST(WebPages, TheTwoAddressesOpenThroughTheShell) {
    FakeShell shell;
    OpenHomePage(shell);
    OpenDonationPage(shell);
    EXPECT_EQ(shell.OpenedUrls(), (std::vector<std::wstring>{kHome, kDonation}));
    EXPECT_TRUE(shell.Downloads().empty());
}

// A password dialog shown by a parent window: the dialog's own host is the one the script gets.
struct PasswordRun {
    FakeShell shell;
    FakeDialogHost parent;
    CPasswordDialog dialog{shell};
    std::wstring shownOnOpen;
    bool focusToFirstTabStop = false;

    // Opens the dialog on `encoded`, lets `act` work its controls, and returns the result.
    int Run(const std::wstring& encoded, const std::function<void(FakeDialogHost&)>& act) {
        dialog.SetEncodedPassword(encoded);
        parent.OnModal(CPasswordDialog::kTemplate, [&](CDialog&, FakeDialogHost& h) {
            shownOnOpen = h.ItemText(CPasswordDialog::kPassword);
            act(h);
            return mb::kIdCancel;  // the close button, unless the dialog ended itself
        });
        return parent.RunModal(dialog);
    }
};

TEST(PasswordDialog, OpensEmptyWithoutAPasswordAndWithTheKnownOneOtherwise) {
    PasswordRun first;
    first.Run(L"", [](FakeDialogHost&) {});
    EXPECT_EQ(first.shownOnOpen, L"");

    PasswordRun again;
    again.Run(EncodePassword(L"s3cr+t^%{x}"), [](FakeDialogHost&) {});
    EXPECT_EQ(again.shownOnOpen, L"s3cr+t^%{x}");

    // A stored text that is not valid Base64 shows as far as it decodes.
    PasswordRun damaged;
    damaged.Run(L"YQBiAGM!YwA", [](FakeDialogHost&) {});  // "ab", then half of "c"
    EXPECT_EQ(damaged.shownOnOpen, L"ab");
}

TEST(PasswordDialog, InitialisationAsksForTheFocusOnTheFirstTabStop) {
    FakeShell shell;
    CPasswordDialog dialog(shell);
    FakeDialogHost host;
    dialog.Attach(&host);
    EXPECT_TRUE(dialog.Dispatch(DialogEvent::kInit));
}

TEST(PasswordDialog, OkHandsBackTheEnteredPasswordEncoded) {
    PasswordRun run;
    const int result = run.Run(EncodePassword(L"old"), [](FakeDialogHost& h) {
        h.UserSetsText(CPasswordDialog::kPassword, L"new +^%{}");
        h.UserClicks(CPasswordDialog::kOk);
    });
    EXPECT_EQ(result, mb::kIdOk);
    EXPECT_EQ(run.dialog.GetEncodedPassword(), EncodePassword(L"new +^%{}"));
}

TEST(PasswordDialog, OkWithAnEmptyEditYieldsAnEmptyPassword) {
    PasswordRun run;
    const int result = run.Run(EncodePassword(L"old"), [](FakeDialogHost& h) {
        h.UserSetsText(CPasswordDialog::kPassword, L"");
        h.UserClicks(CPasswordDialog::kOk);
    });
    EXPECT_EQ(result, mb::kIdOk);
    EXPECT_EQ(run.dialog.GetEncodedPassword(), L"");
}

TEST(PasswordDialog, CancelEscapeAndTheCloseButtonLeaveThePasswordAsGiven) {
    const std::wstring given = EncodePassword(L"kept");
    // Cancel and Escape both arrive as command 2; the close button ends the modal run as well.
    PasswordRun cancelled;
    EXPECT_EQ(cancelled.Run(given,
                            [](FakeDialogHost& h) {
                                h.UserSetsText(CPasswordDialog::kPassword, L"typed");
                                h.UserClicks(mb::kIdCancel);
                            }),
              mb::kIdCancel);
    EXPECT_EQ(cancelled.dialog.GetEncodedPassword(), given);

    PasswordRun closed;
    EXPECT_EQ(
        closed.Run(given, [](FakeDialogHost& h) { h.UserSetsText(CPasswordDialog::kPassword, L"typed"); }),
        mb::kIdCancel);
    EXPECT_EQ(closed.dialog.GetEncodedPassword(), given);
}

TEST(PasswordDialog, RoundTripKeepsEveryCharacterWhole) {
    std::wstring allLatin1;
    for (wchar_t c = 1; c <= 0xFF; ++c) allLatin1.push_back(c);
    const struct {
        std::wstring typed;
        std::wstring comesBack;
    } cases[] = {
        {allLatin1, allLatin1},
        {L"p\u00E4ss w\u00F6rd", L"p\u00E4ss w\u00F6rd"},
        {L"\u0141\u20AC\u0100\u0400!", L"\u0141\u20AC\u0100\u0400!"},  // once cut to 0x41, 0xAC and a NUL
        {L"\u043F\u0430\u0440\u043E\u043B\u044C \u5BC6\u7801 \U0001F511",
         L"\u043F\u0430\u0440\u043E\u043B\u044C \u5BC6\u7801 \U0001F511"},
    };
    for (const auto& c : cases) {
        // Entered in one dialog, offered again in the next one.
        PasswordRun entered;
        entered.Run(L"", [&](FakeDialogHost& h) {
            h.UserSetsText(CPasswordDialog::kPassword, c.typed);
            h.UserClicks(CPasswordDialog::kOk);
        });
        PasswordRun offered;
        offered.Run(entered.dialog.GetEncodedPassword(), [](FakeDialogHost&) {});
        EXPECT_EQ(offered.shownOnOpen, c.comesBack);
    }
}

TEST(PasswordDialog, HelpOpensTheHomePageAndNothingElse) {
    PasswordRun run;
    bool handled = false;
    const int result = run.Run(EncodePassword(L"pw"), [&](FakeDialogHost& h) {
        handled = run.dialog.Dispatch(DialogEvent::kHelp);
        EXPECT_FALSE(h.Ended());
        EXPECT_EQ(h.ItemText(CPasswordDialog::kPassword), L"pw");
    });
    EXPECT_TRUE(handled);
    EXPECT_EQ(result, mb::kIdCancel);
    EXPECT_EQ(run.shell.OpenedUrls(), std::vector<std::wstring>{kHome});
    EXPECT_EQ(run.dialog.GetEncodedPassword(), EncodePassword(L"pw"));
}

TEST(SecretText, WipingOverwritesTheWholeBufferBeforeEmptyingIt) {
    std::wstring secret(100, L'x');
    secret.resize(3);  // characters of the longer content still sit in the buffer
    const wchar_t* buffer = secret.data();
    const std::size_t capacity = secret.capacity();
    WipeText(secret);
    EXPECT_TRUE(secret.empty());
    ASSERT_EQ(secret.data(), buffer);
    for (std::size_t i = 0; i < capacity; ++i) ASSERT_EQ(buffer[i], L'\0') << i;

    std::wstring scoped = L"short";
    const wchar_t* small = scoped.data();
    { ScopedWipe wipe(scoped); }
    EXPECT_TRUE(scoped.empty());
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(small[i], L'\0') << i;
}

// The about box, opened directly on a host of its own.
struct About {
    FakeShell shell;
    CAboutDialog dialog{shell};
    FakeDialogHost host;
    About() {
        host.AttachDialog(&dialog);
        dialog.Attach(&host);
        EXPECT_TRUE(dialog.Dispatch(DialogEvent::kInit));
    }
};

TEST(AboutDialog, ShowsTheNameWithTheVersionAndTheNoticeLine) {
    About a;
    EXPECT_EQ(a.host.ItemText(CAboutDialog::kLine1), L"Keyfanner 1.7");
    EXPECT_EQ(a.host.ItemText(CAboutDialog::kLine2), CAboutDialog::kNoticeLine);
    EXPECT_FALSE(std::wstring(CAboutDialog::kNoticeLine).empty());
}

TEST(AboutDialog, TheLinksOpenTheirPagesAndTheBoxStaysOpen) {
    About a;
    a.host.UserClicks(CAboutDialog::kVisitWebSite);
    a.host.UserClicks(CAboutDialog::kDonate);
    EXPECT_TRUE(a.dialog.Dispatch(DialogEvent::kHelp));
    EXPECT_EQ(a.shell.OpenedUrls(), (std::vector<std::wstring>{kHome, kDonation, kHome}));
    EXPECT_FALSE(a.host.Ended());
}

TEST(AboutDialog, CloseEndsWithOkAndEscapeWithCancel) {
    About closed;
    closed.host.UserClicks(CAboutDialog::kClose);
    EXPECT_TRUE(closed.host.Ended());
    EXPECT_EQ(closed.host.EndResult(), mb::kIdOk);

    About escaped;
    escaped.host.UserClicks(mb::kIdCancel);
    EXPECT_EQ(escaped.host.EndResult(), mb::kIdCancel);
    EXPECT_TRUE(escaped.shell.OpenedUrls().empty());
}

}  // namespace
}  // namespace tandrel
