#include "fakes/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "fakes/fake_layouts.h"
#include "fakes/us_layout.h"

namespace tandrel::fakes {

std::string Hex(std::uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(v));
    return buf;
}

FakeDesktop::FakeDesktop() {
    metrics_[sm::kCySize] = 18;
    metrics_[sm::kCyCaption] = 19;
    metrics_[sm::kCxFullScreen] = 1280;
    metrics_[sm::kCyFullScreen] = 994;
    metrics_[sm::kCxScreen] = 1280;
    metrics_[sm::kCyScreen] = 1024;
    metrics_[sm::kCxIcon] = 32;
    metrics_[sm::kCyIcon] = 32;
    InputOf(kOwnThread);
}

WindowId FakeDesktop::AddWindow(const std::wstring& className, const std::wstring& title) {
    FakeWindow w;
    w.id = nextId_++;
    w.className = className;
    w.title = title;
    w.thread = 1000 + static_cast<std::uint32_t>(w.id);
    InputOf(w.thread);
    windows_.push_back(w);
    return w.id;
}

FakeWindow& FakeDesktop::Window(WindowId w) {
    for (FakeWindow& f : windows_) {
        if (f.id == w)
            return f;
    }
    throw std::out_of_range("no such fake window");
}

const FakeWindow& FakeDesktop::Window(WindowId w) const {
    return const_cast<FakeDesktop*>(this)->Window(w);
}

bool FakeDesktop::Exists(WindowId w) const {
    return std::any_of(windows_.begin(), windows_.end(), [w](const FakeWindow& f) { return f.id == w; });
}

void FakeDesktop::SetFocusNow(WindowId w) {
    focus_ = w;
    foreground_ = w;
    pendingFocus_ = kNoWindow;
}

namespace {
void SetToggle(std::array<std::uint8_t, 256>& state, std::uint8_t key, bool on) {
    state[key] = static_cast<std::uint8_t>((state[key] & 0x80) | (on ? 1 : 0));
}
}  // namespace

void FakeDesktop::SetCapsLock(bool on) {
    SetToggle(asyncState_, vk::kCapital, on);
    InputOf(kOwnThread);
    for (auto& [thread, input] : threads_) SetToggle(input.keys, vk::kCapital, on);
}

void FakeDesktop::SetCapsLockOf(WindowId w, bool on) {
    SetToggle(InputOf(Window(w).thread).keys, vk::kCapital, on);
}

FakeDesktop::ThreadInput& FakeDesktop::InputOf(std::uint32_t thread) {
    auto it = threads_.find(thread);
    if (it == threads_.end()) {
        // A thread starts with the system's toggles, and no key down.
        ThreadInput input;
        for (std::size_t k = 0; k < input.keys.size(); ++k) input.keys[k] = asyncState_[k] & 1;
        it = threads_.emplace(thread, input).first;
    }
    return it->second;
}

std::vector<std::string> FakeDesktop::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : calls_) {
        if (c.compare(0, prefix.size(), prefix) == 0)
            out.push_back(c);
    }
    return out;
}

void FakeDesktop::Record(std::string line) {
    if (recording_)
        calls_.push_back(std::move(line));
}

void FakeDesktop::ArriveFocus() {
    if (pendingFocus_ != kNoWindow && now_ >= pendingFocusAt_) {
        focus_ = pendingFocus_;
        pendingFocus_ = kNoWindow;
    }
}

// --- keyboard ---

namespace {

constexpr std::uint8_t kShiftBit = 1;
constexpr std::uint8_t kAltGr = 6;

// The down bit of a key in a key state table. A generic Ctrl or Alt is the left key, or with the
// extended-key flag the right one, and reads as down while either is. Returns the key set.
std::uint8_t SetDown(std::array<std::uint8_t, 256>& state, std::uint8_t key, bool down,
                     std::uint32_t flags = 0) {
    if (key == vk::kControl || key == vk::kMenu)
        key =
            static_cast<std::uint8_t>((key == vk::kControl ? 0xA2 : 0xA4) + (flags & keyflag::kExtendedKey));
    state[key] = static_cast<std::uint8_t>(down ? state[key] | 0x80 : state[key] & 0x7F);
    state[vk::kControl] = (state[0xA2] | state[0xA3]) & 0x80;
    state[vk::kMenu] = (state[0xA4] | state[0xA5]) & 0x80;
    return key;
}

// Key-down and key-up: the down bit, and the toggle of the lock keys.
std::uint8_t Apply(std::array<std::uint8_t, 256>& state, std::uint8_t key, bool up, std::uint32_t flags = 0) {
    if (!up && (key == vk::kCapital || key == vk::kNumLock))
        state[key] ^= 1;
    return SetDown(state, key, !up, flags);
}

}  // namespace

const LayoutKey* FakeDesktop::LayoutKeyFor(std::uint8_t key, std::uint8_t shiftState) const {
    if (layout_ == nullptr)
        return nullptr;
    for (const LayoutKey& k : layout_->keys) {
        if (k.vk == key && k.shiftState == shiftState)
            return &k;
    }
    return nullptr;
}

wchar_t FakeDesktop::Translate(const std::array<std::uint8_t, 256>& state, std::uint8_t key,
                               bool& dead) const {
    dead = false;
    const bool shift = (state[vk::kShift] & 0x80) != 0;
    const bool ctrl = (state[vk::kControl] & 0x80) != 0;
    const bool alt = (state[vk::kMenu] & 0x80) != 0 || (state[vk::kRMenu] & 0x80) != 0;
    if (ctrl && alt) {
        // AltGr: only the layout's own AltGr characters.
        const LayoutKey* k = LayoutKeyFor(key, kAltGr);
        dead = k != nullptr && k->dead;
        return k != nullptr ? k->ch : 0;
    }
    if (alt)
        return 0;  // Alt chords type nothing
    if (ctrl) {
        if (key >= 'A' && key <= 'Z')
            return static_cast<wchar_t>(key - 'A' + 1);
        if (key == 0xDB)
            return 0x1B;
        if (key == 0xDC)
            return 0x1C;
        if (key == 0xDD)
            return 0x1D;
        if (key == vk::kReturn)
            return L'\n';
        return 0;
    }
    if (const LayoutKey* k = LayoutKeyFor(key, shift ? kShiftBit : 0)) {
        dead = k->dead;
        return k->ch;
    }
    const bool caps = (state[vk::kCapital] & 1) != 0;
    if (key >= 'A' && key <= 'Z')
        return UsCharFor(key, shift != caps);
    return UsCharFor(key, shift);
}

void FakeDesktop::TypeChar(FakeWindow& w, ThreadInput& input, wchar_t ch) {
    const wchar_t dead = input.deadKey;
    input.deadKey = 0;
    if (dead != 0) {
        if (ch == L' ') {
            w.text.push_back(dead);
            return;
        }
        if (const wchar_t composed = Compose(dead, ch)) {
            w.text.push_back(composed);
            return;
        }
        w.text.push_back(dead);
    }
    w.text.push_back(ch);
}

void FakeDesktop::TypeKey(FakeWindow& w, ThreadInput& input, std::uint8_t key) {
    bool dead = false;
    const wchar_t ch = Translate(input.keys, key, dead);
    if (ch == 0)
        return;
    if (dead && input.deadKey == 0) {
        input.deadKey = ch;  // waits for the next character
        return;
    }
    TypeChar(w, input, ch);
}

void FakeDesktop::UpdateOperatorKeys() {
    for (auto it = operatorKeys_.begin(); it != operatorKeys_.end();) {
        const bool up = now_ >= it->second;
        SetDown(asyncState_, it->first, !up);
        for (auto& [thread, input] : threads_) SetDown(input.keys, it->first, !up);
        it = up ? operatorKeys_.erase(it) : std::next(it);
    }
}

void FakeDesktop::Deliver(const KeyRecord& k) {
    const bool up = (k.flags & keyflag::kKeyUp) != 0;
    const bool unicode = (k.flags & keyflag::kUnicode) != 0;
    const auto key = static_cast<std::uint8_t>(k.vk);
    UpdateOperatorKeys();
    if (!unicode) {
        const std::uint8_t physical = Apply(asyncState_, key, up, k.flags);
        if (up) {
            held_.erase(physical);
        } else {
            held_.insert(physical);
        }
    }
    ArriveFocus();
    if (focus_ == kNoWindow || !Exists(focus_)) {
        lost_.push_back(k);
        return;
    }
    FakeWindow& w = Window(focus_);
    w.keys.push_back(k);
    ThreadInput& input = InputOf(w.thread);
    if (unicode) {
        if (!up)
            TypeChar(w, input, static_cast<wchar_t>(k.scan));
        return;
    }
    Apply(input.keys, key, up, k.flags);
    if (!up)
        TypeKey(w, input, key);
    if (!w.closesOnText.empty() && w.text.ends_with(w.closesOnText)) {
        std::erase_if(windows_, [gone = w.id](const FakeWindow& f) { return f.id == gone; });
        SetFocusNow(windows_.empty() ? kNoWindow : windows_.front().id);
    }
}

void FakeDesktop::KeyEvent(std::uint8_t key, std::uint8_t scan, std::uint32_t flags) {
    if (recording_)
        Record("key " + Hex(key) + " " + Hex(scan) + " " + Hex(flags));
    Deliver(KeyRecord{key, scan, flags});
}

void FakeDesktop::SendKeyInputs(const KeyInput* inputs, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const KeyInput& in = inputs[i];
        if (recording_)
            Record("input " + Hex(in.vk) + " " + Hex(in.scan) + " " + Hex(in.flags));
        Deliver(KeyRecord{in.vk, in.scan, in.flags});
    }
}

std::uint16_t FakeDesktop::CharToKeyCode(wchar_t ch) {
    if (layout_ != nullptr) {
        for (const LayoutKey& k : layout_->keys) {
            if (k.ch == ch)
                return static_cast<std::uint16_t>((k.shiftState << 8) | k.vk);
        }
    }
    return UsKeyCodeFor(ch);
}

std::uint32_t FakeDesktop::VirtualKeyToScanCode(std::uint32_t key) {
    return UsScanCodeFor(key);
}

bool FakeDesktop::IsDeadKey(std::uint16_t code) {
    const LayoutKey* k =
        LayoutKeyFor(static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8));
    return k != nullptr && k->dead;
}

namespace {
std::int16_t AsKeyState(std::uint8_t s) {
    return static_cast<std::int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}
}  // namespace

std::int16_t FakeDesktop::KeyState(int key) {
    return AsKeyState(InputOf(kOwnThread).keys[key & 0xFF]);
}

std::int16_t FakeDesktop::AsyncKeyState(int key) {
    UpdateOperatorKeys();
    return static_cast<std::int16_t>(AsKeyState(asyncState_[key & 0xFF]) & 0x8000);
}

std::int16_t FakeDesktop::KeyStateOfThread(WindowId w, int key) {
    if (!Exists(w))
        return KeyState(key);
    return AsKeyState(InputOf(Window(w).thread).keys[key & 0xFF]);
}

void FakeDesktop::ReadKeyboardState(std::uint8_t state[256]) {
    Record("keyboard-state-read");
    const ThreadInput& own = InputOf(kOwnThread);
    std::copy(own.keys.begin(), own.keys.end(), state);
}

void FakeDesktop::WriteKeyboardState(const std::uint8_t state[256]) {
    Record("keyboard-state-write");
    ThreadInput& own = InputOf(kOwnThread);
    std::copy(state, state + 256, own.keys.begin());
}

// --- clock ---

void FakeDesktop::Sleep(std::uint32_t ms) {
    if (recording_)
        Record("sleep " + std::to_string(ms));
    now_ += ms;
    slept_ += ms;
    ArriveFocus();
}

void FakeDesktop::Beep(std::uint32_t frequency, std::uint32_t durationMs) {
    Record("beep " + std::to_string(frequency) + " " + std::to_string(durationMs));
    now_ += durationMs;
}

// --- windows ---

void FakeDesktop::ListTopLevelWindows(std::vector<WindowId>& out) {
    out.clear();
    for (const FakeWindow& w : windows_) out.push_back(w.id);
}

namespace {
std::size_t CopyOut(const std::wstring& s, wchar_t* buffer, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    const std::size_t n = std::min(s.size(), capacity - 1);
    std::copy(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    buffer[n] = L'\0';
    return n;
}
}  // namespace

std::size_t FakeDesktop::ReadClassName(WindowId w, wchar_t* buffer, std::size_t capacity) {
    if (!Exists(w))
        return CopyOut(L"", buffer, capacity);
    return CopyOut(Window(w).className, buffer, capacity);
}

std::size_t FakeDesktop::ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) {
    if (!Exists(w))
        return CopyOut(L"", buffer, capacity);
    return CopyOut(Window(w).title, buffer, capacity);
}

WindowId FakeDesktop::FindByTitle(const std::wstring& title) {
    for (const FakeWindow& w : windows_) {
        if (w.title == title)
            return w.id;
    }
    return kNoWindow;
}

bool FakeDesktop::Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (recording_) {
        Record("send " + std::to_string(w) + " " + Hex(msg) + " " + Hex(wParam) + " " +
               std::to_string(static_cast<long long>(lParam)));
    }
    if (!Exists(w))
        return false;
    FakeWindow& f = Window(w);
    Settle(f);
    // The bounded send waits out a window that takes longer than the system's hung threshold.
    if (f.hung || f.answerDelayMs >= kHungThresholdMs) {
        if (!f.hung)
            now_ += kHungThresholdMs;
        return false;
    }
    now_ += f.answerDelayMs;
    if (msg == wm::kChar) {
        // A character message types its character, whatever the key state.
        f.text.push_back(static_cast<wchar_t>(wParam));
        return true;
    }
    f.messages.push_back(Hex(msg) + " " + Hex(wParam) + " " + std::to_string(static_cast<long long>(lParam)));
    switch (msg) {
        case wm::kSysCommand:
            // As the default window procedure does: a restore un-minimises or un-maximises a
            // window but never shows a hidden one; a minimise shows it, minimised.
            if ((wParam & 0xFFF0) == sc::kRestore) {
                f.showState = sw::kShowNormal;
            } else if ((wParam & 0xFFF0) == sc::kMinimize) {
                f.showState = sw::kShowMinimized;
                f.visible = true;
            } else if ((wParam & 0xFFF0) == sc::kHotKey) {
                foreground_ = w;
            }
            break;
        case wm::kEnterSizeMove:
            f.inSizeMove = true;
            break;
        case wm::kExitSizeMove:
            f.inSizeMove = false;
            break;
        case wm::kSize:
            if (f.inSizeMove && f.fitsAnnouncedSize) {
                const int cw = static_cast<int>(lParam & 0xFFFF);
                const int ch = static_cast<int>((lParam >> 16) & 0xFFFF);
                const int frameW = f.rect.Width() - f.clientWidth;
                const int frameH = f.rect.Height() - f.clientHeight;
                f.clientWidth = cw;
                f.clientHeight = ch;
                f.rect.right = f.rect.left + cw + frameW;
                f.rect.bottom = f.rect.top + ch + frameH;
            }
            break;
        default:
            break;
    }
    return true;
}

void FakeDesktop::Show(WindowId w, int showCommand) {
    Record("show " + std::to_string(w) + " " + std::to_string(showCommand));
    if (!Exists(w))
        return;
    FakeWindow& f = Window(w);
    Settle(f);
    // Queued for the window's thread and never dropped: a hung window takes it once it answers.
    if (f.hung) {
        f.pendingShows.push_back(showCommand);
        return;
    }
    ApplyShow(f, showCommand);
}

void FakeDesktop::Settle(FakeWindow& f) {
    if (f.hung)
        return;
    for (int command : f.pendingShows) ApplyShow(f, command);
    f.pendingShows.clear();
}

void FakeDesktop::ApplyShow(FakeWindow& f, int showCommand) {
    switch (showCommand) {
        case sw::kHide:
            f.visible = false;
            break;
        case sw::kShow:
        case sw::kShowNA:
            f.visible = true;
            break;
        case sw::kShowMinimized:
        case sw::kMinimize:
            f.visible = true;
            f.showState = sw::kShowMinimized;
            break;
        case sw::kMaximize:
            f.visible = true;
            f.showState = sw::kMaximize;
            break;
        default:
            f.visible = true;
            f.showState = sw::kShowNormal;
            break;
    }
}

void FakeDesktop::Place(WindowId w, WindowId insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) {
    Record("place " + std::to_string(w) + " " + std::to_string(static_cast<long long>(insertAfter)) + " " +
           std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(cx) + " " + std::to_string(cy) +
           " " + Hex(flags));
    if (!Exists(w))
        return;
    FakeWindow& f = Window(w);
    if ((flags & swp::kNoMove) == 0) {
        const int width = f.rect.Width();
        const int height = f.rect.Height();
        f.rect = Rect{x, y, x + width, y + height};
    }
    if ((flags & swp::kNoSize) == 0) {
        const int frameW = f.rect.Width() - f.clientWidth;
        const int frameH = f.rect.Height() - f.clientHeight;
        f.rect.right = f.rect.left + cx;
        f.rect.bottom = f.rect.top + cy;
        f.clientWidth = cx - frameW;
        f.clientHeight = cy - frameH;
    }
    if ((flags & swp::kNoZOrder) == 0 && insertAfter == zorder::kTop) {
        auto it =
            std::find_if(windows_.begin(), windows_.end(), [w](const FakeWindow& o) { return o.id == w; });
        std::rotate(windows_.begin(), it, it + 1);
    }
}

void FakeDesktop::BringToForeground(WindowId w) {
    Record("foreground " + std::to_string(w));
    if (!Exists(w) || Window(w).hung)
        return;
    foreground_ = w;
    // Its default handling of the activation gives the window the focus.
    if (Window(w).focusesOnActivation)
        MoveFocus(w);
}

void FakeDesktop::GiveFocus(WindowId w) {
    Record("focus " + std::to_string(w));
    if (Exists(w) && !Window(w).hung)
        MoveFocus(w);
}

void FakeDesktop::MoveFocus(WindowId w) {
    const std::uint32_t delay = Window(w).activationDelayMs;
    if (delay == 0) {
        focus_ = w;
        pendingFocus_ = kNoWindow;
    } else {
        pendingFocus_ = w;
        pendingFocusAt_ = now_ + delay;
    }
}

bool FakeDesktop::IsVisible(WindowId w) {
    if (!Exists(w))
        return false;
    Settle(Window(w));
    return Window(w).visible;
}

Rect FakeDesktop::ClientRect(WindowId w) {
    if (!Exists(w))
        return Rect{};
    const FakeWindow& f = Window(w);
    return Rect{0, 0, f.clientWidth, f.clientHeight};
}

void FakeDesktop::SizeClientTo(WindowId w, int clientWidth, int clientHeight) {
    Record("size-client " + std::to_string(w) + " " + std::to_string(clientWidth) + " " +
           std::to_string(clientHeight));
    if (!Exists(w) || Window(w).hung)
        return;
    FakeWindow& f = Window(w);
    // The frame keeps its size around the new client area; the top-left corner stays.
    const int frameW = f.rect.Width() - f.clientWidth;
    const int frameH = f.rect.Height() - f.clientHeight;
    f.clientWidth = clientWidth;
    f.clientHeight = clientHeight;
    f.rect.right = f.rect.left + clientWidth + frameW;
    f.rect.bottom = f.rect.top + clientHeight + frameH;
}

int FakeDesktop::Metric(int index) {
    auto it = metrics_.find(index);
    return it == metrics_.end() ? 0 : it->second;
}

void FakeDesktop::Redraw(WindowId w, std::uint32_t flags) {
    Record("redraw " + std::to_string(w) + " " + Hex(flags));
}

bool FakeDesktop::WaitUntilFocused(WindowId w, std::uint32_t boundMs) {
    Record("wait-focus " + std::to_string(w));
    const std::uint64_t until = now_ + boundMs;
    for (;;) {
        ArriveFocus();
        if (focus_ == w && foreground_ == w && Exists(w) && !Window(w).hung)
            return true;
        if (now_ >= until)
            return false;
        now_ += 1;
    }
}

bool FakeDesktop::WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) {
    Record("wait-input " + std::to_string(w));
    // The keys are taken once the window paints, which a slow one does late and a hung one never.
    if (!Exists(w))
        return true;
    const FakeWindow& f = Window(w);
    if (f.hung || f.answerDelayMs > boundMs) {
        now_ += boundMs;
        return false;
    }
    now_ += f.answerDelayMs;
    return true;
}

bool FakeDesktop::SendNotify(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (recording_) {
        Record("notify " + std::to_string(w) + " " + Hex(msg) + " " + Hex(wParam) + " " +
               std::to_string(static_cast<long long>(lParam)));
    }
    if (!Exists(w))
        return false;
    FakeWindow& f = Window(w);
    // Queued and never returning: a hung window's thread never handles it.
    if (f.hung)
        return true;
    if (msg != wm::kChar) {
        f.messages.push_back(Hex(msg) + " " + Hex(wParam) + " " +
                             std::to_string(static_cast<long long>(lParam)));
        return true;
    }
    f.text.push_back(static_cast<wchar_t>(wParam));
    if (!f.closesOnText.empty() && f.text.ends_with(f.closesOnText))
        std::erase_if(windows_, [w](const FakeWindow& gone) { return gone.id == w; });
    return true;
}

void FakeDesktop::WaitUntilTaken(const std::vector<WindowId>& windows, std::uint32_t boundMs,
                                 std::vector<bool>& taken) {
    Record("wait-taken " + std::to_string(windows.size()));
    if (whileTaking)
        std::exchange(whileTaking, nullptr)();
    taken.assign(windows.size(), false);
    // Every window is waited for at once: the wait is the slowest one's, or the bound.
    std::uint64_t waitedMs = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!Exists(windows[i]) || Window(windows[i]).hung)
            continue;  // given up at once
        const std::uint32_t delayMs = Window(windows[i]).answerDelayMs;
        taken[i] = delayMs <= boundMs;
        waitedMs = std::max<std::uint64_t>(waitedMs, std::min(delayMs, boundMs));
    }
    now_ += waitedMs;
}

void FakeDesktop::Pause(std::uint32_t ms) {
    Record("pause " + std::to_string(ms));
    if (whileTaking)
        std::exchange(whileTaking, nullptr)();
    now_ += ms;
}

std::uint32_t FakeDesktop::ProcessOf(WindowId w) {
    return Exists(w) ? Window(w).processId : 0;
}

bool FakeDesktop::EndProcess(std::uint32_t processId, std::uint32_t exitCode) {
    Record("end-process " + std::to_string(processId) + " " + std::to_string(exitCode));
    const auto before = windows_.size();
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [processId](const FakeWindow& f) { return f.processId == processId; }),
                   windows_.end());
    return windows_.size() != before;
}

}  // namespace tandrel::fakes
