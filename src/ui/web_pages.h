// The web pages of the program, opened in the default browser.
#pragma once
#include <string>

#include "platform/shell.h"

namespace tandrel {

// Opens the home page; also the help (F1) action of every window.
void OpenHomePage(IShell& shell);

// Opens the donation page; the about box's picture button.
void OpenDonationPage(IShell& shell);

// The addresses themselves: http://<web host>/tandrel?m=h&app=Tandrel&iv=010700, and the same
// with m=d. The host is fixed when the program is built (TANDREL_WEB_HOST).
std::wstring HomePageUrl();
std::wstring DonationPageUrl();

}  // namespace tandrel
