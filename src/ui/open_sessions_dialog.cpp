#include "ui/open_sessions_dialog.h"

namespace tandrel {

namespace {

using D = COpenSessionsDialog;

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<D&>(self).OnInitDialog();
    return true;  // the focus goes to the first tab stop, the pattern
}

}  // namespace

std::wstring PuttyNotFoundText(const PuttyLookup& lookup) {
    std::wstring text = L"putty.exe was not found. Tandrel looked at:";
    for (const std::wstring& place : lookup.lookedAt) text += L"\n" + place;
    return text + L"\nName it in Preferences (PuTTY program).";
}

std::wstring SessionsNotShownText(const std::vector<std::wstring>& missed) {
    std::wstring text = L"No PuTTY window appeared for:";
    for (const std::wstring& name : missed) text += L"\n" + name;
    return text;
}

const std::vector<CDialog::MapEntry>& COpenSessionsDialog::MessageMap() const {
    static const std::vector<MapEntry> map = {
        {DialogEvent::kInit, -1, -1, &InitHandler},
        {DialogEvent::kCommand, kPattern, notify::kEditChange, &Bind<D, &D::OnPatternChanged>},
        {DialogEvent::kCommand, kOpen, notify::kButtonClicked, &Bind<D, &D::OnOK>},
        // Cancel, Escape and the caption's close button.
        {DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked, &Bind<CDialog, &CDialog::OnCancel>},
    };
    return map;
}

void COpenSessionsDialog::OnInitDialog() {
    host->ClearList(kList);
    for (const std::wstring& name : sessions_) host->AddListItem(kList, name);
    host->SetCheck(kTile, arrangement_ == Arrangement::kTile);
    host->SetCheck(kCascade, arrangement_ == Arrangement::kCascade);
    host->SetCheck(kLeave, arrangement_ == Arrangement::kLeave);
    // Its change notification ticks the sessions that pass it.
    host->SetItemText(kPattern, pattern_);
    if (putty_.found.empty()) {
        host->SetItemText(kNote, PuttyNotFoundText(putty_));
        host->EnableItem(kOpen, false);
    } else if (sessions_.empty()) {
        host->SetItemText(kNote, L"PuTTY has no saved sessions.");
        host->EnableItem(kOpen, false);
    }
}

void COpenSessionsDialog::OnPatternChanged() {
    pattern_ = host->ItemText(kPattern);
    for (std::size_t i = 0; i < sessions_.size(); ++i)
        host->SetListItemChecked(kList, static_cast<int>(i), SessionPassesPattern(pattern_, sessions_[i]));
}

void COpenSessionsDialog::OnOK() {
    chosen_.clear();
    for (std::size_t i = 0; i < sessions_.size(); ++i)
        if (host->IsListItemChecked(kList, static_cast<int>(i)))
            chosen_.push_back(sessions_[i]);
    arrangement_ = host->IsChecked(kCascade) ? Arrangement::kCascade
                   : host->IsChecked(kLeave) ? Arrangement::kLeave
                                             : Arrangement::kTile;
    CDialog::OnOK();
}

}  // namespace tandrel
