#include "ui/command_edit.h"

namespace tandrel {

std::wstring CCommandEdit::GetCommandText() const {
    return host_ != nullptr ? host_->ItemText(kId) : std::wstring();
}

void CCommandEdit::SetCommandText(const std::wstring& text) {
    if (host_ == nullptr)
        return;
    host_->SetItemText(kId, text);
    host_->SetEditSelection(kId, static_cast<int>(text.size()), -1);
    host_->ScrollEditCaret(kId);
}

void CCommandEdit::InsertAtCaret(const std::wstring& text) {
    if (host_ != nullptr)
        host_->ReplaceEditSelection(kId, text);
}

}  // namespace tandrel
