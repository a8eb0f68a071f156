// The portable dialog: state and handlers, reached by its window through a small message map.
// The generic dialog procedure (Win32) and the fake host (tests) call Dispatch.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/dialog_host.h"

namespace tandrel {

// What a window reports to a dialog. kCommand carries a control identifier and a notification
// code; kHScroll the trackbar's identifier; kTimer the timer's; the others neither.
enum class DialogEvent : std::uint8_t { kInit, kCommand, kHScroll, kHelp, kSysCommand, kUser, kTimer };

class CDialog {
  public:
    virtual ~CDialog() = default;

    // The resource template the window is made from (110 to 115).
    virtual int TemplateId() const = 0;

    // Called by the host once the window exists, before kInit. Null after the window is gone.
    void Attach(IDialogHost* h) { host = h; }
    IDialogHost* Host() const { return host; }

    // Runs the handler the message map binds to the event; false when none is bound.
    // For kInit the result is the handler's: true lets the host put the focus on the first
    // tab stop.
    bool Dispatch(DialogEvent event, int id = 0, int code = 0, std::uintptr_t param = 0);

    struct MapEntry {
        DialogEvent event;
        int id;    // control or command identifier; -1 matches any
        int code;  // notification code; -1 matches any
        bool (*handler)(CDialog& self, int id, int code, std::uintptr_t param);
    };

    // The framework's OK and cancel actions.
    virtual void OnOK();
    virtual void OnCancel();

  protected:
    // The dialog's message map; searched in order, first match wins.
    virtual const std::vector<MapEntry>& MessageMap() const = 0;

    IDialogHost* host = nullptr;
};

// A message-map handler that calls a member function without arguments:
//   {DialogEvent::kCommand, 1201, notify::kButtonClicked, &Bind<CFiltersDialog, &CFiltersDialog::OnAdd>}
template <class D, void (D::*F)()>
bool Bind(CDialog& self, int, int, std::uintptr_t) {
    (static_cast<D&>(self).*F)();
    return true;
}

// Notification codes of the controls, as the window reports them.
namespace notify {
inline constexpr int kButtonClicked = 0;    // BN_CLICKED
inline constexpr int kEditChange = 0x0300;  // EN_CHANGE
inline constexpr int kListSelChange = 1;    // LBN_SELCHANGE
inline constexpr int kListDblClk = 2;       // LBN_DBLCLK
inline constexpr int kComboSelChange = 1;   // CBN_SELCHANGE
inline constexpr int kStaticClicked = 0;    // STN_CLICKED
// A list view's row (the row's index in the event's parameter): its check box ticked or
// unticked by the operator, or the row double-clicked.
inline constexpr int kRowTicked = 0x7001;
inline constexpr int kRowUnticked = 0x7002;
inline constexpr int kRowDblClk = 0x7003;
}  // namespace notify

}  // namespace tandrel
