// The "Preferences" dialog: seventeen of the main window's settings in one modal window. It
// works on copies: each control's handler writes its member as soon as the control changes, the
// main window sets every member before the dialog is shown and reads them back only after OK.
// OK is enabled only while the numeric values are in range.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/window_system.h"
#include "ui/dialog.h"

namespace tandrel {

class CPreferencesDialog : public CDialog {
  public:
    static constexpr int kTemplate = 112;

    static constexpr int kSavePassword = 1100;
    static constexpr int kArrangeOff = 1101;
    static constexpr int kArrangeTile = 1102;
    static constexpr int kArrangeCascade = 1103;
    static constexpr int kAutoMinimize = 1104;
    static constexpr int kArrangeOnStartup = 1105;
    static constexpr int kUnhideOnExit = 1106;
    static constexpr int kAlwaysOnTop = 1107;
    static constexpr int kToolWindow = 1108;
    static constexpr int kTransition = 1109;
    static constexpr int kEmulateCopyPaste = 1110;
    static constexpr int kMinimizeToSysTray = 1111;
    static constexpr int kTabCompletion = 1112;
    static constexpr int kCascadeWidth = 1113;
    static constexpr int kCascadeHeight = 1114;
    static constexpr int kScrollThrough = 1115;
    static constexpr int kRunOnSystemStartup = 1116;
    static constexpr int kCheckForUpdates = 1117;
    static constexpr int kFind = 1211;
    static constexpr int kOk = 1209;
    static constexpr int kOpacitySlider = 1601;
    static constexpr int kOpacityPercent = 1602;
    static constexpr int kOpacityLabel = 1603;

    // What OK accepts, bounds included.
    static constexpr std::int32_t kMinTransition = 1;
    static constexpr std::int32_t kMaxTransition = 1500;
    static constexpr std::int32_t kMinOpacity = 50;
    static constexpr std::int32_t kMaxOpacity = 255;  // the slider's top; OK does not test it
    static constexpr std::int32_t kMinCascadeWidth = 98;
    static constexpr std::int32_t kMaxCascadeWidth = 1042;
    static constexpr std::int32_t kMinCascadeHeight = 18;
    static constexpr std::int32_t kMaxCascadeHeight = 802;
    // Find falls back to these when it measures nothing usable.
    static constexpr std::int32_t kDefaultCascadeWidth = 642;
    static constexpr std::int32_t kDefaultCascadeHeight = 386;

    // Collects every terminal window, whatever filter is selected (the main window does that
    // with `isFinding` set); Find measures the largest visible one.
    using CollectEveryTerminal = std::function<std::vector<WindowId>()>;

    // `shell` opens the home page for help (F1); `windows` tells Find which of the collected
    // windows are visible and how large their client areas are.
    CPreferencesDialog(IShell& shell, IWindowSystem& windows, CollectEveryTerminal collectEveryTerminal);

    int TemplateId() const override { return kTemplate; }

    // ---- the seventeen values ----
    void SetSavePassword(std::int32_t v) { savePassword = v; }
    std::int32_t GetSavePassword() const { return savePassword; }
    void SetAutoArrange(std::int32_t v) { autoArrange = v; }
    std::int32_t GetAutoArrange() const { return autoArrange; }
    void SetAutoMinimize(std::int32_t v) { autoMinimize = v; }
    std::int32_t GetAutoMinimize() const { return autoMinimize; }
    void SetArrangeOnStartup(std::int32_t v) { arrangeOnStartup = v; }
    std::int32_t GetArrangeOnStartup() const { return arrangeOnStartup; }
    void SetCascadeWidth(std::int32_t v) { cascadeWidth = v; }
    std::int32_t GetCascadeWidth() const { return cascadeWidth; }
    void SetCascadeHeight(std::int32_t v) { cascadeHeight = v; }
    std::int32_t GetCascadeHeight() const { return cascadeHeight; }
    void SetUnhideOnExit(std::int32_t v) { unhideOnExit = v; }
    std::int32_t GetUnhideOnExit() const { return unhideOnExit; }
    void SetToolWindow(std::int32_t v) { toolWindow = v; }
    std::int32_t GetToolWindow() const { return toolWindow; }
    void SetAlwaysOnTop(std::int32_t v) { alwaysOnTop = v; }
    std::int32_t GetAlwaysOnTop() const { return alwaysOnTop; }
    void SetMinimizeToSysTray(std::int32_t v) { minimizeToSysTray = v; }
    std::int32_t GetMinimizeToSysTray() const { return minimizeToSysTray; }
    void SetWindowOpacity(std::int32_t v) { windowOpacity = v; }
    std::int32_t GetWindowOpacity() const { return windowOpacity; }
    void SetTransition(std::int32_t v) { transition = v; }
    std::int32_t GetTransition() const { return transition; }
    void SetEmulateCopyPaste(std::int32_t v) { emulateCopyPaste = v; }
    std::int32_t GetEmulateCopyPaste() const { return emulateCopyPaste; }
    void SetCmdhistoryScrollThrough(std::int32_t v) { cmdhistoryScrollThrough = v; }
    std::int32_t GetCmdhistoryScrollThrough() const { return cmdhistoryScrollThrough; }
    void SetTabCompletion(std::int32_t v) { tabCompletion = v; }
    std::int32_t GetTabCompletion() const { return tabCompletion; }
    void SetRunOnSystemStartup(std::int32_t v) { runOnSystemStartup = v; }
    std::int32_t GetRunOnSystemStartup() const { return runOnSystemStartup; }
    void SetCheckForUpdates(std::int32_t v) { checkForUpdates = v; }
    std::int32_t GetCheckForUpdates() const { return checkForUpdates; }

    // ---- handlers ----
    void OnInitDialog();
    // Enables the two arrangement options, enables OK while the values are in range, and shows
    // the opacity as a percentage.
    void UpdateControlStates();
    void OnArrangeChanged();  // 1101, 1102 and 1103
    void OnCheckBox(int id);  // every check box
    void OnEditChanged(int id);
    void OnHScroll(int id);
    // Find: the client size of the largest visible terminal window, or the defaults after a
    // message when there is none of a usable size.
    void FindCascadeDimensions();
    void OnHelp();

  protected:
    const std::vector<MapEntry>& MessageMap() const override;

  private:
    // A check box or edit and the member it writes.
    struct Binding {
        int id;
        std::int32_t CPreferencesDialog::*member;
        bool updatesStates;  // whether UpdateControlStates follows
    };
    static const std::vector<Binding>& CheckBoxes();
    static const std::vector<Binding>& Edits();

    // In declaration order of the profile's preferences. The main window sets every one before
    // showing the dialog; until then they hold the profile's defaults.
    std::int32_t savePassword = 0;
    std::int32_t autoArrange = 1;  // 1 off, 2 cascade, 3 tile
    std::int32_t autoMinimize = 0;
    std::int32_t arrangeOnStartup = 0;
    std::int32_t cascadeWidth = kDefaultCascadeWidth;    // pixels
    std::int32_t cascadeHeight = kDefaultCascadeHeight;  // pixels
    std::int32_t unhideOnExit = 1;
    std::int32_t toolWindow = 1;
    std::int32_t alwaysOnTop = 1;
    std::int32_t minimizeToSysTray = 1;
    std::int32_t windowOpacity = 255;  // alpha, 50 to 255 through the slider
    std::int32_t transition = 25;      // milliseconds
    std::int32_t emulateCopyPaste = 1;
    std::int32_t cmdhistoryScrollThrough = 1;
    std::int32_t tabCompletion = 0;
    std::int32_t runOnSystemStartup = 0;
    std::int32_t checkForUpdates = 1;

    IShell& shell_;
    IWindowSystem& windows_;
    CollectEveryTerminal collectEveryTerminal_;
};

// The message Find shows when it measured nothing usable.
std::wstring CascadeDimensionsMessage();

}  // namespace tandrel
