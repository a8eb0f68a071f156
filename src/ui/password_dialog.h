// The "Send Password" dialog: asks for the password that is typed into every target window. It
// is given the current password and hands back the new one, both only in their Base64 form
// (EncodePassword); the plain text exists only while it is put into the masked box and read back
// out of it.
#pragma once
#include "res/resource.h"
#include <string>

#include "platform/shell.h"
#include "ui/dialog.h"

namespace tandrel {

class CPasswordDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_PASSWORD;
    static constexpr int kPassword = IDC_PASSWORD_EDIT;  // the masked edit
    static constexpr int kOk = IDC_OK;

    // `shell` opens the home page for help (F1).
    explicit CPasswordDialog(IShell& shell) : shell_(shell) {}

    int TemplateId() const override { return kTemplate; }

    void SetEncodedPassword(const std::wstring& encoded) { encodedPassword = encoded; }
    std::wstring GetEncodedPassword() const { return encodedPassword; }

    // ---- handlers ----
    void OnInitDialog();
    void OnOK() override;
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    std::wstring encodedPassword;  // Base64, never the plain text
    IShell& shell_;
};

}  // namespace tandrel
