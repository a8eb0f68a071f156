// The "Open Sessions" dialog: PuTTY's saved sessions with a check box each, a pattern that ticks
// the sessions passing it (by a filter's rules), single ticks by hand, and what becomes of the
// windows once they are open. When no putty.exe was found it says where it looked, and Open
// stays greyed.
#pragma once
#include "res/resource.h"
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "sessions/sessions.h"
#include "ui/dialog.h"

namespace tandrel {

class COpenSessionsDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_OPEN_SESSIONS;
    static constexpr int kList = IDC_SESSION_LIST;
    static constexpr int kPattern = IDC_SESSION_PATTERN;
    static constexpr int kTile = IDC_THEN_TILE;
    static constexpr int kCascade = IDC_THEN_CASCADE;
    static constexpr int kLeave = IDC_THEN_LEAVE;
    static constexpr int kNote = IDC_PUTTY_NOTE;
    static constexpr int kOpen = IDC_OPEN_SESSIONS;

    COpenSessionsDialog(std::vector<std::wstring> sessions, PuttyLookup putty, std::wstring pattern,
                        Arrangement arrangement)
        : sessions_(std::move(sessions)),
          putty_(std::move(putty)),
          pattern_(std::move(pattern)),
          arrangement_(arrangement) {}

    int TemplateId() const override { return kTemplate; }

    // After Open: the ticked sessions in list order, the pattern and the arrangement chosen.
    const std::vector<std::wstring>& Chosen() const { return chosen_; }
    const std::wstring& Pattern() const { return pattern_; }
    Arrangement ChosenArrangement() const { return arrangement_; }

    // ---- handlers ----
    void OnInitDialog();
    // The pattern changed: exactly the sessions that pass it are ticked.
    void OnPatternChanged();
    void OnOK() override;

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    std::vector<std::wstring> sessions_;
    PuttyLookup putty_;
    std::wstring pattern_;
    Arrangement arrangement_;
    std::vector<std::wstring> chosen_;
};

// What the dialog says when no putty.exe was found: the places it looked, one a line.
std::wstring PuttyNotFoundText(const PuttyLookup& lookup);

// The message naming the sessions whose window did not appear.
std::wstring SessionsNotShownText(const std::vector<std::wstring>& missed);

}  // namespace tandrel
