#include "ui/preferences_dialog.h"

#include <utility>

#include "platform/text_util.h"
#include "res/version.h"
#include "ui/web_pages.h"

namespace tandrel {

namespace {

using D = CPreferencesDialog;

bool InitHandler(CDialog& self, int, int, std::uintptr_t) {
    static_cast<D&>(self).OnInitDialog();
    return true;  // the focus goes to the first tab stop
}

bool CheckBoxHandler(CDialog& self, int id, int, std::uintptr_t) {
    static_cast<D&>(self).OnCheckBox(id);
    return true;
}

bool EditHandler(CDialog& self, int id, int, std::uintptr_t) {
    static_cast<D&>(self).OnEditChanged(id);
    return true;
}

bool HScrollHandler(CDialog& self, int id, int, std::uintptr_t) {
    static_cast<D&>(self).OnHScroll(id);
    return false;  // the window's default handling follows
}

std::wstring Decimal(std::int32_t v) {
    return std::to_wstring(v);
}

struct Size {
    int width = 0;
    int height = 0;
};

// The client size of the visible window with the largest client area, in list order; on equal
// areas the earlier window stays. Zero by zero when none is visible.
Size LargestVisibleClientSize(IWindowSystem& windows, const std::vector<WindowId>& list) {
    Size best;
    std::int64_t bestArea = 0;
    for (const WindowId w : list) {
        if (!windows.IsVisible(w))
            continue;
        const Rect r = windows.ClientRect(w);
        const std::int64_t area = std::int64_t{r.Width()} * r.Height();
        if (area > bestArea) {
            bestArea = area;
            best = Size{r.Width(), r.Height()};
        }
    }
    return best;
}

}  // namespace

std::wstring CascadeDimensionsMessage(int width, int height) {
    const std::wstring kept = L"The cascade dimensions are left as they were.";
    if (width == 0 && height == 0)
        return L"Find measures the largest visible PuTTY window, and no PuTTY window is open and "
               L"visible.\n\nOpen or show one, then press Find again. " +
               kept;
    return L"The largest visible PuTTY window measures " + Decimal(width) + L" x " + Decimal(height) +
           L" pixels; cascade dimensions must be from " + Decimal(D::kMinCascadeWidth) + L" x " +
           Decimal(D::kMinCascadeHeight) + L" to " + Decimal(D::kMaxCascadeWidth) + L" x " +
           Decimal(D::kMaxCascadeHeight) + L" pixels.\n\nResize that window, then press Find again. " + kept;
}

namespace {

// The first value out of range and its bounds; empty when every value is in range.
std::wstring OutOfRangeNote(const Settings& v) {
    const auto range = [](const wchar_t* what, std::int32_t low, std::int32_t high, const wchar_t* unit) {
        return std::wstring(what) + L" must be from " + Decimal(low) + L" to " + Decimal(high) + unit +
               L" before OK can be pressed.";
    };
    if (v.transition < D::kMinTransition || v.transition > D::kMaxTransition)
        return range(L"Transition", D::kMinTransition, D::kMaxTransition, L" ms");
    if (v.windowOpacity < D::kMinOpacity)
        return range(L"Opacity", D::kMinOpacity, D::kMaxOpacity, L"");
    if (v.cascadeWidth < D::kMinCascadeWidth || v.cascadeWidth > D::kMaxCascadeWidth)
        return range(L"Cascade width", D::kMinCascadeWidth, D::kMaxCascadeWidth, L" pixels");
    if (v.cascadeHeight < D::kMinCascadeHeight || v.cascadeHeight > D::kMaxCascadeHeight)
        return range(L"Cascade height", D::kMinCascadeHeight, D::kMaxCascadeHeight, L" pixels");
    return {};
}

}  // namespace

CPreferencesDialog::CPreferencesDialog(IShell& shell, IWindowSystem& windows,
                                       CollectEveryTerminal collectEveryTerminal)
    : shell_(shell), windows_(windows), collectEveryTerminal_(std::move(collectEveryTerminal)) {}

const std::vector<CPreferencesDialog::Binding>& CPreferencesDialog::CheckBoxes() {
    static const std::vector<Binding> boxes = {
        {kSavePassword, &Settings::savePassword, true},
        {kAutoMinimize, &Settings::autoMinimize, true},
        {kArrangeOnStartup, &Settings::arrangeOnStartup, true},
        {kUnhideOnExit, &Settings::unhideOnExit, false},
        {kToolWindow, &Settings::toolWindow, false},
        {kAlwaysOnTop, &Settings::alwaysOnTop, false},
        {kMinimizeToSysTray, &Settings::minimizeToSysTray, false},
        {kTabCompletion, &Settings::tabCompletion, false},
        {kScrollThrough, &Settings::cmdhistoryScrollThrough, false},
        {kEmulateCopyPaste, &Settings::emulateCopyPaste, false},
        {kRunOnSystemStartup, &Settings::runOnSystemStartup, false},
        {kCheckForUpdates, &Settings::checkForUpdates, false},
        {kTypeInBackground, &Settings::typeInBackground, false},
    };
    return boxes;
}

const std::vector<CPreferencesDialog::Binding>& CPreferencesDialog::Edits() {
    static const std::vector<Binding> edits = {
        {kTransition, &Settings::transition, true},
        {kCascadeWidth, &Settings::cascadeWidth, true},
        {kCascadeHeight, &Settings::cascadeHeight, true},
    };
    return edits;
}

const std::vector<CDialog::MapEntry>& CPreferencesDialog::MessageMap() const {
    static const std::vector<MapEntry> map = [] {
        std::vector<MapEntry> m = {{DialogEvent::kInit, -1, -1, &InitHandler}};
        for (const Binding& b : CheckBoxes())
            m.push_back({DialogEvent::kCommand, b.id, notify::kButtonClicked, &CheckBoxHandler});
        for (const int radio : {kArrangeOff, kArrangeCascade, kArrangeTile})
            m.push_back(
                {DialogEvent::kCommand, radio, notify::kButtonClicked, &Bind<D, &D::OnArrangeChanged>});
        for (const Binding& b : Edits())
            m.push_back({DialogEvent::kCommand, b.id, notify::kEditChange, &EditHandler});
        m.push_back(
            {DialogEvent::kCommand, kFind, notify::kButtonClicked, &Bind<D, &D::FindCascadeDimensions>});
        m.push_back(
            {DialogEvent::kCommand, kPuttyPath, notify::kEditChange, &Bind<D, &D::OnPuttyPathChanged>});
        m.push_back(
            {DialogEvent::kCommand, kPuttyBrowse, notify::kButtonClicked, &Bind<D, &D::BrowseForPutty>});
        m.push_back({DialogEvent::kHScroll, -1, -1, &HScrollHandler});
        // No data exchange: the members already hold the values.
        m.push_back({DialogEvent::kCommand, kOk, notify::kButtonClicked, &Bind<CDialog, &CDialog::OnOK>});
        // Cancel, Escape and the caption's close button.
        m.push_back({DialogEvent::kCommand, mb::kIdCancel, notify::kButtonClicked,
                     &Bind<CDialog, &CDialog::OnCancel>});
        m.push_back({DialogEvent::kHelp, -1, -1, &Bind<D, &D::OnHelp>});
        return m;
    }();
    return map;
}

void CPreferencesDialog::OnInitDialog() {
    host->SetCheck(kSavePassword, values_.savePassword != 0);
    // Exactly the radio button of the value, none for a value outside 1 to 3.
    host->SetCheck(kArrangeOff, values_.autoArrange == 1);
    host->SetCheck(kArrangeCascade, values_.autoArrange == 2);
    host->SetCheck(kArrangeTile, values_.autoArrange == 3);
    host->SetCheck(kAutoMinimize, values_.autoMinimize != 0);
    host->SetCheck(kArrangeOnStartup, values_.arrangeOnStartup != 0);
    host->SetCheck(kUnhideOnExit, values_.unhideOnExit != 0);
    host->SetCheck(kToolWindow, values_.toolWindow != 0);
    host->SetCheck(kAlwaysOnTop, values_.alwaysOnTop != 0);
    host->SetCheck(kMinimizeToSysTray, values_.minimizeToSysTray != 0);

    // Each edit's change notification reads back the value just written.
    host->SetItemText(kTransition, Decimal(values_.transition));
    host->SetItemText(kCascadeWidth, Decimal(values_.cascadeWidth));
    host->SetItemText(kCascadeHeight, Decimal(values_.cascadeHeight));

    if (host->HasLayeredAttributes()) {
        host->SetSliderRange(kOpacitySlider, kMinOpacity, kMaxOpacity);
        host->SetSliderPosition(kOpacitySlider, values_.windowOpacity);
    } else {
        // No translucency on this system: the opacity passes through unchanged.
        host->ShowItem(kOpacityLabel, false);
        host->ShowItem(kOpacitySlider, false);
        host->ShowItem(kOpacityPercent, false);
    }

    host->SetCheck(kTabCompletion, values_.tabCompletion != 0);
    host->SetCheck(kScrollThrough, values_.cmdhistoryScrollThrough != 0);
    host->SetCheck(kEmulateCopyPaste, values_.emulateCopyPaste != 0);
    host->SetCheck(kRunOnSystemStartup, values_.runOnSystemStartup != 0);
    host->SetCheck(kCheckForUpdates, values_.checkForUpdates != 0);
    host->SetCheck(kTypeInBackground, values_.typeInBackground != 0);
    host->SetItemText(kPuttyPath, values_.puttyPath);

    UpdateControlStates();
}

void CPreferencesDialog::UpdateControlStates() {
    // Minimising the others first and arranging at start-up mean nothing without an
    // arrangement; their check marks and values stay as they are.
    const bool arranging = values_.autoArrange != 1;
    host->EnableItem(kAutoMinimize, arranging);
    host->EnableItem(kArrangeOnStartup, arranging);

    // A greyed OK says why: the first value out of range and its bounds.
    const std::wstring note = OutOfRangeNote(values_);
    host->EnableItem(kOk, note.empty());
    host->SetItemText(kRangeNote, note);

    // 1% at 50 up to 100% at 254 and 255. Computed in 64 bits: a hand-edited profile can hand
    // in any 32-bit opacity.
    const std::int64_t percent = (std::int64_t{values_.windowOpacity} - kMinOpacity) * 100 / 206 + 1;
    host->SetItemText(kOpacityPercent, std::to_wstring(percent) + L"%");
}

void CPreferencesDialog::OnArrangeChanged() {
    values_.autoArrange = 1 * static_cast<int>(host->IsChecked(kArrangeOff)) +
                          2 * static_cast<int>(host->IsChecked(kArrangeCascade)) +
                          3 * static_cast<int>(host->IsChecked(kArrangeTile));
    UpdateControlStates();
}

void CPreferencesDialog::OnCheckBox(int id) {
    for (const Binding& b : CheckBoxes()) {
        if (b.id != id)
            continue;
        values_.*b.member = host->IsChecked(id) ? 1 : 0;
        if (b.updatesStates)
            UpdateControlStates();
        return;
    }
}

void CPreferencesDialog::OnEditChanged(int id) {
    for (const Binding& b : Edits()) {
        if (b.id != id)
            continue;
        // Empty or not a number reads as 0, which greys OK.
        values_.*b.member = ParseWtoi(host->ItemText(id));
        if (b.updatesStates)
            UpdateControlStates();
        return;
    }
}

void CPreferencesDialog::OnHScroll(int id) {
    if (id == kOpacitySlider)
        values_.windowOpacity = host->SliderPosition(kOpacitySlider);  // the alpha itself
    UpdateControlStates();
}

void CPreferencesDialog::FindCascadeDimensions() {
    const std::vector<WindowId> terminals =
        collectEveryTerminal_ ? collectEveryTerminal_() : std::vector<WindowId>{};
    const Size size = LargestVisibleClientSize(windows_, terminals);
    if (size.width >= kMinCascadeWidth && size.width <= kMaxCascadeWidth &&
        size.height >= kMinCascadeHeight && size.height <= kMaxCascadeHeight) {
        values_.cascadeWidth = size.width;
        values_.cascadeHeight = size.height;
    } else {
        // What was typed stays: the operator is told what was measured and what to do.
        host->ShowMessageBox(CascadeDimensionsMessage(size.width, size.height), version::kProductName,
                             mb::kOk | mb::kIconExclamation);
        return;
    }
    // Both members are set before either edit is written: each edit's change notification reads
    // back only its own value.
    host->SetItemText(kCascadeWidth, Decimal(values_.cascadeWidth));
    host->SetItemText(kCascadeHeight, Decimal(values_.cascadeHeight));
    UpdateControlStates();
}

void CPreferencesDialog::OnPuttyPathChanged() {
    values_.puttyPath = host->ItemText(kPuttyPath);
}

void CPreferencesDialog::BrowseForPutty() {
    std::wstring path;
    if (host->ChooseFileToOpen(L"PuTTY (putty.exe)|putty.exe|Programs (*.exe)|*.exe||",
                               L"Choose the PuTTY executable", path)) {
        values_.puttyPath = path;
        host->SetItemText(kPuttyPath, path);
    }
}

void CPreferencesDialog::OnHelp() {
    OpenHomePage(shell_);
}

}  // namespace tandrel
