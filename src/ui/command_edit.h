// The command box (IDC_COMMAND_BOX): its text operations over the dialog host, and the two flags
// its Win32 subclass reads (selection copies and the right button pastes; Up and Down walk the
// history instead of moving the caret).
#pragma once
#include "res/resource.h"
#include <cstdint>
#include <string>

#include "ui/dialog_host.h"

namespace tandrel {

class CCommandEdit {
  public:
    static constexpr int kId = IDC_COMMAND_BOX;

    void Attach(IDialogHost* h) { host_ = h; }

    std::wstring GetCommandText() const;
    // Replaces the whole text and leaves the caret after its last character, scrolled into view.
    void SetCommandText(const std::wstring& text);
    // Replaces the selection, or inserts at the caret.
    void InsertAtCaret(const std::wstring& text);

    void SetEmulateCopyPaste(std::int32_t on) { emulateCopyPaste = on; }
    void SetScrollThrough(std::int32_t on) { cmdhistoryScrollThrough = on; }

    std::int32_t emulateCopyPaste = 0;
    std::int32_t cmdhistoryScrollThrough = 1;

  private:
    IDialogHost* host_ = nullptr;
};

}  // namespace tandrel
