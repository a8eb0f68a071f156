#include "fakes/fake_dialog_host.h"

#include <algorithm>

namespace tandrel::fakes {

void FakeDialogHost::SetItemText(int id, const std::wstring& text) {
    controls_[id].text = text;
    if (dialog_ != nullptr)
        dialog_->Dispatch(DialogEvent::kCommand, id, notify::kEditChange);
}

void FakeDialogHost::UserSetsText(int id, const std::wstring& text) {
    SetItemText(id, text);
}

void FakeDialogHost::UserClicks(int id) {
    if (dialog_ != nullptr && controls_[id].enabled) {
        dialog_->Dispatch(DialogEvent::kCommand, id, notify::kButtonClicked);
    }
}

void FakeDialogHost::UserSelects(int id, int index) {
    SelectListItem(id, index);
    if (dialog_ != nullptr && controls_[id].enabled)
        dialog_->Dispatch(DialogEvent::kCommand, id, notify::kListSelChange);
}

void FakeDialogHost::UserDoubleClicks(int id, int index) {
    UserSelects(id, index);
    if (dialog_ != nullptr && controls_[id].enabled)
        dialog_->Dispatch(DialogEvent::kCommand, id, notify::kListDblClk);
}

void FakeDialogHost::ClearList(int id) {
    controls_[id].items.clear();
    controls_[id].ticks.clear();
    controls_[id].selection = -1;
}

void FakeDialogHost::SelectListItem(int id, int index) {
    FakeControl& c = controls_[id];
    c.selection = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
}

void FakeDialogHost::SetEditSelection(int id, int start, int end) {
    FakeControl& c = controls_[id];
    const int len = static_cast<int>(c.text.size());
    // EM_SETSEL: -1 as the start removes the selection; -1 as the end means the text's end.
    if (start < 0) {
        c.selStart = c.selEnd = std::clamp(c.selEnd, 0, len);
        return;
    }
    if (end < 0 || end > len)
        end = len;
    start = std::min(start, len);
    c.selStart = std::min(start, end);
    c.selEnd = std::max(start, end);
}

void FakeDialogHost::ReplaceEditSelection(int id, const std::wstring& text) {
    FakeControl& c = controls_[id];
    const int len = static_cast<int>(c.text.size());
    const int b = std::clamp(c.selStart, 0, len);
    const int e = std::clamp(c.selEnd, b, len);
    c.text.replace(static_cast<std::size_t>(b), static_cast<std::size_t>(e - b), text);
    c.selStart = c.selEnd = b + static_cast<int>(text.size());
    if (dialog_ != nullptr)
        dialog_->Dispatch(DialogEvent::kCommand, id, notify::kEditChange);
}

void FakeDialogHost::SetSliderRange(int id, int low, int high) {
    controls_[id].sliderLow = low;
    controls_[id].sliderHigh = high;
}

void FakeDialogHost::RemoveSystemMenuItem(std::uint32_t command) {
    const std::wstring suffix = L":" + std::to_wstring(command);
    systemMenu_.erase(std::remove_if(systemMenu_.begin(), systemMenu_.end(),
                                     [&](const std::wstring& s) {
                                         return s.size() >= suffix.size() &&
                                                s.compare(s.size() - suffix.size(), suffix.size(), suffix) ==
                                                    0;
                                     }),
                      systemMenu_.end());
}

void FakeDialogHost::AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) {
    systemMenu_.push_back(text + L":" + std::to_wstring(command));
}

bool FakeDialogHost::ChooseFileToOpen(const std::wstring& filter, const std::wstring& title,
                                      std::wstring& path) {
    fileDialogs_.push_back(filter + L"\n" + title);
    path = nextFile_;
    nextFile_.clear();
    return !path.empty();
}

int FakeDialogHost::ShowMessageBox(const std::wstring& text, const std::wstring& caption,
                                   std::uint32_t flags) {
    boxes_.push_back(ShownMessageBox{text, caption, flags});
    if (!answers_.empty()) {
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return (flags & 0xF) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
}

int FakeDialogHost::RunModal(CDialog& dialog) {
    modalRuns_.push_back(dialog.TemplateId());
    FakeDialogHost child(window_ + 1 + static_cast<WindowId>(modalRuns_.size()));
    child.AttachDialog(&dialog);
    dialog.Attach(&child);
    dialog.Dispatch(DialogEvent::kInit);
    int result = mb::kIdCancel;
    auto it = scripts_.find(dialog.TemplateId());
    if (!child.Ended() && it != scripts_.end())
        result = it->second(dialog, child);
    if (child.Ended())
        result = child.EndResult();
    dialog.Attach(nullptr);
    return result;
}

void FakeDialogHost::UserTicksRow(int id, int row, bool ticked) {
    controls_[id].rows.at(static_cast<std::size_t>(row)).checked = ticked;
    if (dialog_ != nullptr)
        dialog_->Dispatch(DialogEvent::kCommand, id, ticked ? notify::kRowTicked : notify::kRowUnticked,
                          static_cast<std::uintptr_t>(row));
}

void FakeDialogHost::OpenModeless(CDialog& dialog) {
    modeless_.push_back(
        std::make_unique<FakeDialogHost>(window_ + 100 + static_cast<WindowId>(modeless_.size())));
    modeless_.back()->AttachDialog(&dialog);
    modeless_.back()->modelessDialog_ = &dialog;
    dialog.Attach(modeless_.back().get());
    dialog.Dispatch(DialogEvent::kInit);
}

void FakeDialogHost::EndDialog(int result) {
    ended_ = true;
    endResult_ = result;
    // A modeless window is destroyed: its dialog is left without a host.
    if (modelessDialog_ != nullptr)
        modelessDialog_->Attach(nullptr);
}

}  // namespace tandrel::fakes
