// The fake desktop: windows, keyboard and clock in memory. Every call through the platform
// boundary is recorded in order, and each key event goes to the window that has the keyboard
// focus at that moment, so a test can say "web02 received `ls` and Enter".
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/window_system.h"

namespace tandrel::fakes {

struct FakeLayout;
struct LayoutKey;

struct KeyRecord {
    std::uint16_t vk = 0;
    std::uint16_t scan = 0;
    std::uint32_t flags = 0;
    bool operator==(const KeyRecord&) const = default;
};

struct FakeWindow {
    WindowId id = kNoWindow;
    std::wstring className;
    std::wstring title;
    bool visible = true;
    int showState = sw::kShowNormal;  // kShowNormal, kShowMinimized or kMaximize
    Rect rect{0, 0, 400, 300};        // outer rectangle, screen coordinates
    int clientWidth = 392;
    int clientHeight = 270;
    std::uint32_t processId = 100;
    std::uint32_t thread = 0;             // its own thread unless set: the one that interprets its keys
    bool hung = false;                    // answers no message and never takes the focus
    std::uint32_t answerDelayMs = 0;      // handles each message and each painting this long late
    bool fitsAnnouncedSize = true;        // takes the client size of WM_SIZE inside a size-move
    std::uint32_t activationDelayMs = 0;  // the focus arrives this long after it is given
    bool focusesOnActivation = true;      // takes the focus itself when it becomes the foreground
    std::wstring closesOnText;  // closes once its text ends with this; the top window gets the focus
    bool inSizeMove = false;
    std::vector<KeyRecord> keys;        // every key event routed here
    std::wstring text;                  // the characters those events typed
    std::vector<std::string> messages;  // messages received, as "0x112 0xf150 3"
    std::vector<int> pendingShows;      // show commands waiting until a hung window answers again
};

class FakeDesktop : public IKeyboard, public IWindowSystem, public IClock {
  public:
    FakeDesktop();

    // --- building the desktop ---
    WindowId AddWindow(const std::wstring& className, const std::wstring& title);
    FakeWindow& Window(WindowId w);
    const FakeWindow& Window(WindowId w) const;
    bool Exists(WindowId w) const;
    void SetFocusNow(WindowId w);  // the focus, without recording a call
    void SetMetric(int index, int value) { metrics_[index] = value; }
    // The operator's Caps Lock: the system's and every thread's, as each sees the key.
    void SetCapsLock(bool on);
    // The Caps Lock of the window's thread alone (switched on by keys that went to it).
    void SetCapsLockOf(WindowId w, bool on);
    // The layout the translation and the windows' threads use; the US layout when null.
    void SetLayout(const FakeLayout* layout) { layout_ = layout; }
    // The caller's thread: a window set to it takes its keys with the caller's key state.
    static constexpr std::uint32_t kOwnThread = 1;
    void SetSystemVersion(std::uint32_t v) { version_ = v; }
    // The operator holds a key down on the keyboard until `untilMs` on the clock.
    void OperatorHolds(std::uint8_t vk, std::uint64_t untilMs) {
        operatorKeys_[vk] = untilMs;
        UpdateOperatorKeys();
    }

    // --- what happened ---
    const std::vector<std::string>& Calls() const { return calls_; }
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    void ClearCalls() { calls_.clear(); }
    // Keys currently held down (pressed and not released), as the system sees them.
    const std::set<std::uint8_t>& HeldKeys() const { return held_; }
    std::uint64_t SleptMs() const { return slept_; }
    // Key events that arrived while no window had the focus.
    const std::vector<KeyRecord>& LostKeys() const { return lost_; }
    WindowId Focus() const { return focus_; }
    WindowId Foreground() const { return foreground_; }

    // --- IKeyboard ---
    void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
    void SendKeyInputs(const KeyInput* inputs, std::size_t count) override;
    std::uint16_t CharToKeyCode(wchar_t ch) override;
    std::uint32_t VirtualKeyToScanCode(std::uint32_t vk) override;
    bool IsDeadKey(std::uint16_t code) override;
    // The caller's thread's state.
    std::int16_t KeyState(int vk) override;
    std::int16_t AsyncKeyState(int vk) override;
    void ReadKeyboardState(std::uint8_t state[256]) override;
    void WriteKeyboardState(const std::uint8_t state[256]) override;
    std::uint32_t SystemVersion() override { return version_; }

    // --- IClock ---
    void Sleep(std::uint32_t ms) override;
    void Beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    std::uint64_t NowMs() override { return now_; }

    // --- IWindowSystem ---
    void ListTopLevelWindows(std::vector<WindowId>& out) override;
    std::size_t ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) override;
    WindowId FindByTitle(const std::wstring& title) override;
    bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool SendNotify(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    void WaitUntilTaken(const std::vector<WindowId>& windows, std::uint32_t boundMs,
                        std::vector<bool>& taken) override;
    // Run once inside the next WaitUntilTaken or Pause, as the caller's own messages handled
    // meanwhile.
    std::function<void()> whileTaking;
    void Pause(std::uint32_t ms) override;
    void Show(WindowId w, int showCommand) override;
    void Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) override;
    void BringToForeground(WindowId w) override;
    void GiveFocus(WindowId w) override;
    WindowId ForegroundWindow() override { return foreground_; }
    WindowId FocusWindow() override {
        ArriveFocus();
        return focus_;
    }
    std::int16_t KeyStateOfThread(WindowId w, int vk) override;
    bool IsVisible(WindowId w) override;
    bool IsMinimized(WindowId w) override { return Exists(w) && Window(w).showState == sw::kShowMinimized; }
    Rect ClientRect(WindowId w) override;
    void SizeClientTo(WindowId w, int clientWidth, int clientHeight) override;
    int Metric(int index) override;
    void Redraw(WindowId w, std::uint32_t flags) override;
    bool WaitUntilFocused(WindowId w, std::uint32_t boundMs) override;
    bool WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) override;
    std::uint32_t ProcessOf(WindowId w) override;
    bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) override;
    std::uint32_t CurrentProcessId() override { return ownProcessId_; }
    void SetCurrentProcessId(std::uint32_t pid) { ownProcessId_ = pid; }
    // When set, recording stops (for benchmarks that play many keys).
    void SetRecording(bool on) { recording_ = on; }

  private:
    void Record(std::string line);
    // A window that answers again first handles the show commands queued while it was hung.
    void Settle(FakeWindow& w);
    void ApplyShow(FakeWindow& w, int showCommand);
    void ArriveFocus();          // moves a pending focus in once its delay has passed
    void UpdateOperatorKeys();   // the operator's keys down, or up once their time has come
    void MoveFocus(WindowId w);  // to the window, once its activation delay has passed
    // Each thread interprets its keys with its own state: key states, and a dead key waiting
    // for the next character.
    struct ThreadInput {
        std::array<std::uint8_t, 256> keys{};
        wchar_t deadKey = 0;
    };
    ThreadInput& InputOf(std::uint32_t thread);
    void Deliver(const KeyRecord& k);
    void TypeKey(FakeWindow& w, ThreadInput& input, std::uint8_t vk);
    void TypeChar(FakeWindow& w, ThreadInput& input, wchar_t ch);
    // The character a key types with the given state on the layout in force; `dead` set when it
    // is a dead key.
    wchar_t Translate(const std::array<std::uint8_t, 256>& state, std::uint8_t vk, bool& dead) const;
    const LayoutKey* LayoutKeyFor(std::uint8_t vk, std::uint8_t shiftState) const;

    std::vector<FakeWindow> windows_;  // z-order: index 0 is the top
    std::vector<std::string> calls_;
    std::set<std::uint8_t> held_;
    std::vector<KeyRecord> lost_;
    std::map<int, int> metrics_;
    std::array<std::uint8_t, 256> asyncState_{};  // the system's, as keys are injected
    std::map<std::uint32_t, ThreadInput> threads_;
    const FakeLayout* layout_ = nullptr;
    WindowId nextId_ = 1;
    WindowId focus_ = kNoWindow;
    WindowId pendingFocus_ = kNoWindow;
    std::uint64_t pendingFocusAt_ = 0;
    WindowId foreground_ = kNoWindow;
    std::uint32_t version_ = 0x0A000000u & 0x7FFFFFFFu;
    std::uint64_t now_ = 0;
    std::uint64_t slept_ = 0;
    std::uint32_t ownProcessId_ = 1;
    bool recording_ = true;
    std::map<std::uint8_t, std::uint64_t> operatorKeys_;  // held down until then
};

// "0x1f" style hexadecimal, as the call log writes numbers.
std::string Hex(std::uint64_t v);

}  // namespace tandrel::fakes
