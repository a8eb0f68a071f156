// The web pages of the program, opened in the default browser.
#pragma once
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace tandrel {

// Opens the home page; also the help (F1) action of every window. Without a real web host it
// opens the user guide beside the program instead.
void OpenHomePage(IShell& shell);

// Opens the donation page; the about box's picture button. Without a real web host there is no
// such page, and nothing is opened.
void OpenDonationPage(IShell& shell);

// The addresses themselves: http://<web host>/tandrel?m=h&app=Tandrel&iv=010700, and the same
// with m=d.
std::wstring HomePageUrl(std::wstring_view host = TANDREL_WEB_HOST);
std::wstring DonationPageUrl(std::wstring_view host = TANDREL_WEB_HOST);

// False for an empty host and for the placeholders example.com, example.net and example.org
// (and their subdomains): a build without a real web host never goes on the network.
bool IsRealWebHost(std::wstring_view host);

// The user guide shipped beside the program.
inline constexpr wchar_t kUserGuideFile[] = L"USER-GUIDE.html";

}  // namespace tandrel
