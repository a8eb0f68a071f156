#include "ui/web_pages.h"

#include "res/version.h"

namespace tandrel {

namespace {

// "m" selects the page: h the home page, d donations.
std::wstring PageUrl(std::wstring_view host, const wchar_t* page) {
    return L"http://" + std::wstring(host) + L"/tandrel?m=" + page + L"&app=" + version::kProductName +
           L"&iv=" + version::kInternalVersion;
}

bool EndsWith(std::wstring_view s, std::wstring_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

std::wstring HomePageUrl(std::wstring_view host) {
    return PageUrl(host, L"h");
}

std::wstring DonationPageUrl(std::wstring_view host) {
    return PageUrl(host, L"d");
}

bool IsRealWebHost(std::wstring_view host) {
    std::wstring h;
    for (wchar_t c : host) h += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    while (!h.empty() && h.back() == L'.') h.pop_back();
    if (h.empty())
        return false;
    for (std::wstring_view placeholder : {L"example.com", L"example.net", L"example.org"})
        if (h == placeholder || EndsWith(h, L"." + std::wstring(placeholder)))
            return false;
    return true;
}

// Whether the browser could be started is not looked at: without one nothing happens.
void OpenHomePage(IShell& shell) {
    const std::wstring host = shell.WebHost();
    shell.OpenUrl(IsRealWebHost(host) ? HomePageUrl(host) : shell.ProgramFolder() + kUserGuideFile);
}

void OpenDonationPage(IShell& shell) {
    const std::wstring host = shell.WebHost();
    if (IsRealWebHost(host))
        shell.OpenUrl(DonationPageUrl(host));
}

}  // namespace tandrel
