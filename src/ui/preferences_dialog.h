// The "Preferences" dialog: nineteen of the main window's settings in one modal window. It
// works on a copy: each control's handler writes its value as soon as the control changes, the
// main window hands its settings in before the dialog is shown and takes them back only after OK.
// OK is enabled only while the numeric values are in range; a note says which is not.
#pragma once
#include "res/resource.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "ui/dialog.h"

namespace tandrel {

class CPreferencesDialog : public CDialog {
  public:
    static constexpr int kTemplate = IDD_PREFERENCES;

    static constexpr int kSavePassword = IDC_SAVE_PASSWORD;
    static constexpr int kArrangeOff = IDC_ARRANGE_OFF;
    static constexpr int kArrangeTile = IDC_ARRANGE_TILE;
    static constexpr int kArrangeCascade = IDC_ARRANGE_CASCADE;
    static constexpr int kAutoMinimize = IDC_AUTO_MINIMIZE;
    static constexpr int kArrangeOnStartup = IDC_ARRANGE_ON_STARTUP;
    static constexpr int kUnhideOnExit = IDC_UNHIDE_ON_EXIT;
    static constexpr int kAlwaysOnTop = IDC_ALWAYS_ON_TOP;
    static constexpr int kToolWindow = IDC_TOOL_WINDOW;
    static constexpr int kTransition = IDC_TRANSITION;
    static constexpr int kEmulateCopyPaste = IDC_EMULATE_COPY_PASTE;
    static constexpr int kMinimizeToSysTray = IDC_MINIMIZE_TO_TRAY;
    static constexpr int kTabCompletion = IDC_TAB_COMPLETION;
    static constexpr int kCascadeWidth = IDC_CASCADE_WIDTH;
    static constexpr int kCascadeHeight = IDC_CASCADE_HEIGHT;
    static constexpr int kScrollThrough = IDC_SCROLL_THROUGH;
    static constexpr int kRunOnSystemStartup = IDC_RUN_ON_STARTUP;
    static constexpr int kCheckForUpdates = IDC_CHECK_FOR_UPDATES;
    static constexpr int kTypeInBackground = IDC_TYPE_IN_BACKGROUND;
    static constexpr int kFind = IDC_FIND;
    static constexpr int kOk = IDC_OK;
    static constexpr int kOpacitySlider = IDC_OPACITY_SLIDER;
    static constexpr int kOpacityPercent = IDC_OPACITY_PERCENT;
    static constexpr int kOpacityLabel = IDC_OPACITY_LABEL;
    static constexpr int kRangeNote = IDC_RANGE_NOTE;
    static constexpr int kPuttyPath = IDC_PUTTY_PATH;
    static constexpr int kPuttyBrowse = IDC_PUTTY_BROWSE;

    // What OK accepts, bounds included.
    static constexpr std::int32_t kMinTransition = 1;
    static constexpr std::int32_t kMaxTransition = 1500;
    static constexpr std::int32_t kMinOpacity = 50;
    static constexpr std::int32_t kMaxOpacity = 255;  // the slider's top; OK does not test it
    static constexpr std::int32_t kMinCascadeWidth = 98;
    static constexpr std::int32_t kMaxCascadeWidth = 1042;
    static constexpr std::int32_t kMinCascadeHeight = 18;
    static constexpr std::int32_t kMaxCascadeHeight = 802;

    // Collects every terminal window, whatever filter is selected; Find measures the largest
    // visible one.
    using CollectEveryTerminal = std::function<std::vector<WindowId>()>;

    // `shell` opens the home page for help (F1); `windows` tells Find which of the collected
    // windows are visible and how large their client areas are.
    CPreferencesDialog(IShell& shell, IWindowSystem& windows, CollectEveryTerminal collectEveryTerminal);

    int TemplateId() const override { return kTemplate; }

    // The values shown when the dialog opens; after OK, the values it ends with.
    void SetValues(const Settings& values) { values_ = values; }
    const Settings& Values() const { return values_; }

    // ---- handlers ----
    void OnInitDialog();
    // Enables the two arrangement options, enables OK while the values are in range, and shows
    // the opacity as a percentage.
    void UpdateControlStates();
    void OnArrangeChanged();  // the three arrangement radio buttons
    void OnCheckBox(int id);  // every check box
    void OnEditChanged(int id);
    void OnHScroll(int id);
    // Find: the client size of the largest visible terminal window; when there is none of a
    // usable size, a message says what was measured and the values stay.
    void FindCascadeDimensions();
    // The PuTTY executable: typed into its box, or chosen with Browse.
    void OnPuttyPathChanged();
    void BrowseForPutty();
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    // A check box or edit and the member it writes.
    struct Binding {
        int id;
        std::int32_t Settings::*member;
        bool updatesStates;  // whether UpdateControlStates follows
    };
    static const std::vector<Binding>& CheckBoxes();
    static const std::vector<Binding>& Edits();

    // Until the main window hands in its own, the defaults. sendCR passes through untouched.
    Settings values_;

    IShell& shell_;
    IWindowSystem& windows_;
    CollectEveryTerminal collectEveryTerminal_;
};

// The message Find shows when it measured nothing usable: the largest visible client size, zero
// by zero when no terminal window is visible.
std::wstring CascadeDimensionsMessage(int width, int height);

}  // namespace tandrel
