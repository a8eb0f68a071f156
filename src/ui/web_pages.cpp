#include "ui/web_pages.h"

#include "ui/version.h"

namespace tandrel {

namespace {

// "m" selects the page: h the home page, d donations.
std::wstring PageUrl(const wchar_t* page) {
    return std::wstring(L"http://") + TANDREL_WEB_HOST + L"/tandrel?m=" + page + L"&app=" +
           version::kProductName + L"&iv=" + version::kInternalVersion;
}

}  // namespace

std::wstring HomePageUrl() {
    return PageUrl(L"h");
}

std::wstring DonationPageUrl() {
    return PageUrl(L"d");
}

// Whether the browser could be started is not looked at: without one nothing happens.
void OpenHomePage(IShell& shell) {
    shell.OpenUrl(HomePageUrl());
}

void OpenDonationPage(IShell& shell) {
    shell.OpenUrl(DonationPageUrl());
}

}  // namespace tandrel
