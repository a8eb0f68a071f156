#include "ui/password_dialog.h"

#include "platform/secret_text.h"
#include "settings/base64.h"
#include "ui/web_pages.h"

namespace tandrel {

namespace {

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<CPasswordDialog&>(self).OnInitDialog();
    return true;  // the focus goes to the first tab stop, the masked edit
}

}  // namespace

const std::vector<CDialog::MapEntry>& CPasswordDialog::MessageMap() const {
    using D = CPasswordDialog;
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &InitHandler},
        {DialogEvent::kCommand, kOk, notify::kButtonClicked, &Bind<D, &D::OnOK>},
        // Cancel, Escape and the caption's close button.
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &Bind<CDialog, &CDialog::OnCancel>},
        {DialogEvent::kHelp, -1, -1, &Bind<D, &D::OnHelp>},
    };
    return map;
}

void CPasswordDialog::OnInitDialog() {
    // The known password is offered for confirmation or change; a text that is not valid
    // Base64 shows as far as it decodes.
    std::wstring plain = DecodePassword(encodedPassword);
    ScopedWipe wipe(plain);
    host->SetItemText(kPassword, plain);
}

void CPasswordDialog::OnOK() {
    std::wstring plain = host->ItemText(kPassword);
    ScopedWipe wipe(plain);
    encodedPassword = EncodePassword(plain);
    CDialog::OnOK();
}

void CPasswordDialog::OnHelp() {
    OpenHomePage(shell_);
}

}  // namespace tandrel
