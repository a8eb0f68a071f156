// The fake dialog host: a dialog's controls in memory, message boxes answered from a script,
// nested modal dialogs run by a scripted callback.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_host.h"

namespace tandrel::fakes {

struct FakeControl {
    std::wstring text;
    bool checked = false;
    bool enabled = true;
    bool shown = true;
    FontSpec font;
    std::wstring glyph;
    int picture = 0;
    std::wstring tip;
    std::vector<std::wstring> items;  // combo and list boxes
    std::map<int, bool> ticks;        // list views: the entries' check boxes
    int selection = -1;
    int selStart = 0;  // edit selection
    int selEnd = 0;
    int sliderLow = 0;
    int sliderHigh = 100;
    int sliderPos = 0;
    std::vector<ListColumn> columns;  // list views
    std::vector<ListRow> rows;
};

struct ShownMessageBox {
    std::wstring text;
    std::wstring caption;
    std::uint32_t flags = 0;
};

class FakeDialogHost : public IDialogHost {
  public:
    explicit FakeDialogHost(WindowId window = 1000) : window_(window) {}

    // ---- test set-up and inspection ----
    FakeControl& Control(int id) { return controls_[id]; }
    bool HasControl(int id) const { return controls_.count(id) != 0; }
    // Answers for the next message boxes, in order; a box without a scripted answer gets
    // kIdNo for Yes/No boxes and kIdOk otherwise.
    void AnswerNextMessageBox(int answer) { answers_.push_back(answer); }
    const std::vector<ShownMessageBox>& MessageBoxes() const { return boxes_; }
    // What RunModal does with a nested dialog: the callback gets the dialog (already attached to
    // a fresh child host and initialised) and that host, and returns the modal result, unless
    // the dialog ended itself through EndDialog first.
    using ModalScript = std::function<int(CDialog& dialog, FakeDialogHost& host)>;
    void OnModal(int templateId, ModalScript script) { scripts_[templateId] = std::move(script); }
    const std::vector<int>& ModalRuns() const { return modalRuns_; }
    // The host of the last modeless dialog opened from this one, attached and initialised.
    FakeDialogHost* Modeless() { return modeless_.empty() ? nullptr : modeless_.back().get(); }
    // The period of each running timer, and where MoveWindowTo put the window.
    const std::map<int, std::uint32_t>& Timers() const { return timers_; }
    // The file the next file-open dialog chooses; empty answers Cancel.
    void ChooseFileNext(const std::wstring& path) { nextFile_ = path; }
    // Filter and title of the file-open dialogs shown.
    const std::vector<std::wstring>& FileDialogs() const { return fileDialogs_; }
    bool Ended() const { return ended_; }
    int EndResult() const { return endResult_; }
    int DefaultButton() const { return defaultButton_; }
    const std::vector<std::wstring>& SystemMenu() const { return systemMenu_; }
    std::uint8_t LayeredAlpha() const { return alpha_; }
    void SetHasLayeredAttributes(bool on) { hasLayered_ = on; }
    void SetWindowRect(const Rect& r) { rect_ = r; }
    // The events of a text-changing call on an edit control reach the dialog as EN_CHANGE when
    // this host is attached to it (the Win32 control does that).
    void AttachDialog(CDialog* d) { dialog_ = d; }
    // Types text into an edit control as a user would: replaces it and sends EN_CHANGE.
    void UserSetsText(int id, const std::wstring& text);
    // A user clicks a button: BN_CLICKED reaches the dialog.
    void UserClicks(int id);
    // A user selects an entry of a list box: the selection moves and LBN_SELCHANGE follows.
    void UserSelects(int id, int index);
    // A user double-clicks an entry of a list box: it is selected, then LBN_DBLCLK follows.
    void UserDoubleClicks(int id, int index);

    // A user ticks or unticks the check box of a list view's row: the event reaches the dialog.
    void UserTicksRow(int id, int row, bool ticked);
    void UserDoubleClicksRow(int id, int row) {
        if (dialog_ != nullptr)
            dialog_->Dispatch(DialogEvent::kCommand, id, notify::kRowDblClk,
                              static_cast<std::uintptr_t>(row));
    }
    // A running timer's period has passed: its event reaches the dialog.
    void TimerFires(int timerId) {
        if (timers_.count(timerId) != 0 && dialog_ != nullptr)
            dialog_->Dispatch(DialogEvent::kTimer, timerId);
    }

    // ---- IDialogHost ----
    WindowId Window() override { return window_; }
    void SetItemText(int id, const std::wstring& text) override;
    std::wstring ItemText(int id) override { return controls_[id].text; }
    void SetCheck(int id, bool checked) override { controls_[id].checked = checked; }
    bool IsChecked(int id) override { return controls_[id].checked; }
    void EnableItem(int id, bool enabled) override { controls_[id].enabled = enabled; }
    bool IsItemEnabled(int id) override { return controls_[id].enabled; }
    void ShowItem(int id, bool shown) override { controls_[id].shown = shown; }
    bool IsItemShown(int id) override { return controls_[id].shown; }
    void SetItemGlyph(int id, const FontSpec& font, const std::wstring& glyph) override {
        controls_[id].font = font;
        controls_[id].glyph = glyph;
    }
    void SetItemPicture(int id, int bitmapResource) override { controls_[id].picture = bitmapResource; }
    void SetItemTip(int id, const std::wstring& tip) override { controls_[id].tip = tip; }
    void ClearList(int id) override;
    void AddListItem(int id, const std::wstring& text) override { controls_[id].items.push_back(text); }
    void SelectListItem(int id, int index) override;
    int ListSelection(int id) override { return controls_[id].selection; }
    int ListCount(int id) override { return static_cast<int>(controls_[id].items.size()); }
    void SetListItemChecked(int id, int index, bool on) override { controls_[id].ticks[index] = on; }
    bool IsListItemChecked(int id, int index) override { return controls_[id].ticks[index]; }
    void SetEditSelection(int id, int start, int end) override;
    void ReplaceEditSelection(int id, const std::wstring& text) override;
    void ScrollEditCaret(int) override {}
    void SetSliderRange(int id, int low, int high) override;
    void SetSliderPosition(int id, int position) override { controls_[id].sliderPos = position; }
    int SliderPosition(int id) override { return controls_[id].sliderPos; }
    void SetListColumns(int id, const std::vector<ListColumn>& columns) override {
        controls_[id].columns = columns;
    }
    void SetListRows(int id, const std::vector<ListRow>& rows) override { controls_[id].rows = rows; }
    void FocusItem(int id) override { focus_ = id; }
    int FocusedItem() override { return focus_; }
    void MakeDefaultButton(int id) override { defaultButton_ = id; }
    void SetTitle(const std::wstring& title) override { title_ = title; }
    std::wstring Title() override { return title_; }
    std::uint32_t ExtendedStyle() override { return exStyle_; }
    void SetExtendedStyle(std::uint32_t style) override { exStyle_ = style; }
    Rect WindowRect() override { return rect_; }
    bool HasLayeredAttributes() override { return hasLayered_; }
    void SetLayeredAlpha(std::uint8_t alpha) override { alpha_ = alpha; }
    void RemoveSystemMenuItem(std::uint32_t command) override;
    void AppendSystemMenuSeparator() override { systemMenu_.push_back(L"-"); }
    void AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) override;
    void MoveWindowTo(int x, int y) override { rect_ = {x, y, x + rect_.Width(), y + rect_.Height()}; }
    void StartTimer(int timerId, std::uint32_t periodMs) override { timers_[timerId] = periodMs; }
    void StopTimer(int timerId) override { timers_.erase(timerId); }
    bool ChooseFileToOpen(const std::wstring& filter, const std::wstring& title, std::wstring& path) override;
    int ShowMessageBox(const std::wstring& text, const std::wstring& caption, std::uint32_t flags) override;
    int RunModal(CDialog& dialog) override;
    void OpenModeless(CDialog& dialog) override;
    void EndDialog(int result) override;

  private:
    WindowId window_;
    std::map<int, FakeControl> controls_;
    std::deque<int> answers_;
    std::vector<ShownMessageBox> boxes_;
    std::map<int, ModalScript> scripts_;
    std::vector<int> modalRuns_;
    std::vector<std::unique_ptr<FakeDialogHost>> modeless_;
    std::map<int, std::uint32_t> timers_;
    std::wstring nextFile_;
    std::vector<std::wstring> fileDialogs_;
    std::vector<std::wstring> systemMenu_{L"Restore:61728",  L"Move:61456", L"Size:61440", L"Minimize:61472",
                                          L"Maximize:61488", L"-",          L"Close:61536"};
    CDialog* dialog_ = nullptr;
    CDialog* modelessDialog_ = nullptr;  // set on the host of a modeless dialog
    int focus_ = 0;
    int defaultButton_ = 0;
    std::wstring title_;
    std::uint32_t exStyle_ = 0;
    Rect rect_{100, 100, 480, 390};
    bool hasLayered_ = true;
    std::uint8_t alpha_ = 255;
    bool ended_ = false;
    int endResult_ = 0;
};

}  // namespace tandrel::fakes
