// The "About Tandrel" box: the product name and version, a notice line, and the ways to the
// home page and the donation page. It stays open while the browser opens.
#pragma once
#include "res/resource.h"
#include "platform/shell.h"
#include "ui/dialog.h"

namespace tandrel {

class CAboutDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_ABOUT;
    static constexpr int kLine1 = IDC_ABOUT_LINE1;
    static constexpr int kLine2 = IDC_ABOUT_LINE2;
    static constexpr int kVisitWebSite = IDC_VISIT_WEB_SITE;
    static constexpr int kDonate = IDC_DONATE;  // a button showing bitmap 134
    static constexpr int kClose = IDC_CLOSE;

    static constexpr wchar_t kNoticeLine[] = L"One command, typed into every terminal window.";

    explicit CAboutDialog(IShell& shell) : shell_(shell) {}

    int TemplateId() const override { return kTemplate; }

    // ---- handlers ----
    void OnInitDialog();
    void OnVisitWebSite();
    void OnDonate();
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    IShell& shell_;
};

}  // namespace tandrel
