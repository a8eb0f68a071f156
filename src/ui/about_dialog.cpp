#include "ui/about_dialog.h"

#include <string>

#include "res/version.h"
#include "ui/web_pages.h"

namespace tandrel {

namespace {

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<CAboutDialog&>(self).OnInitDialog();
    return true;
}

}  // namespace

const std::vector<CDialog::MapEntry>& CAboutDialog::MessageMap() const {
    using D = CAboutDialog;
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &InitHandler},
        {DialogEvent::kCommand, kVisitWebSite, notify::kButtonClicked, &Bind<D, &D::OnVisitWebSite>},
        {DialogEvent::kCommand, kDonate, notify::kButtonClicked, &Bind<D, &D::OnDonate>},
        // Close is the framework's OK action; Escape and the close button its cancel action.
        {DialogEvent::kCommand, kClose, notify::kButtonClicked, &Bind<CDialog, &CDialog::OnOK>},
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &Bind<CDialog, &CDialog::OnCancel>},
        {DialogEvent::kHelp, -1, -1, &Bind<D, &D::OnHelp>},
    };
    return map;
}

void CAboutDialog::OnInitDialog() {
    host->SetItemText(kLine1, std::wstring(version::kLongName) + L" " + version::kDisplayVersion);
    host->SetItemText(kLine2, kNoticeLine);
    host->SetItemPicture(kDonate, IDB_DONATE);
}

void CAboutDialog::OnVisitWebSite() {
    OpenHomePage(shell_);
}

void CAboutDialog::OnDonate() {
    OpenDonationPage(shell_);
}

void CAboutDialog::OnHelp() {
    OpenHomePage(shell_);
}

}  // namespace tandrel
