// Fake desktops that each behave differently in one way, for the tests of what the main window
// does when the desktop changes under it or refuses it something.
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "fakes/fake_desktop.h"

namespace tandrel::fakes {

// The operator switches Caps Lock off while the first target is being served.
class CapsOffAfterFirstTarget : public FakeDesktop {
  public:
    bool WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) override {
        SetCapsLock(false);
        return FakeDesktop::WaitUntilInputDelivered(w, boundMs);
    }
};

// The target's process ends between the collection and the first system command.
class ClosingDesktop : public FakeDesktop {
  public:
    WindowId closing = kNoWindow;
    bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        if (w == closing && Exists(w))
            EndProcess(Window(w).processId, 0);
        return FakeDesktop::Send(w, msg, wParam, lParam);
    }
};

// Another window takes the foreground and the focus just after the target was given them, or
// (afterKeys) while the target takes its keys; once.
class ThievingDesktop : public FakeDesktop {
  public:
    WindowId target = kNoWindow;
    WindowId thief = kNoWindow;
    bool afterKeys = false;
    void BringToForeground(WindowId w) override {
        FakeDesktop::BringToForeground(w);
        if (!afterKeys)
            Steal(w);
    }
    bool WaitUntilInputDelivered(WindowId w, std::uint32_t boundMs) override {
        const bool delivered = FakeDesktop::WaitUntilInputDelivered(w, boundMs);
        if (afterKeys)
            Steal(w);
        return delivered;
    }

  private:
    void Steal(WindowId w) {
        if (w == target && thief != kNoWindow)
            SetFocusNow(std::exchange(thief, kNoWindow));
    }
};

// A terminal that stops answering as soon as it is told its new size.
class HangsOnSizeDesktop : public FakeDesktop {
  public:
    bool Send(WindowId w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        if (msg == wm::kSize && Exists(w))
            Window(w).hung = true;
        return FakeDesktop::Send(w, msg, wParam, lParam);
    }
};

// Refuses to end one process, as Windows refuses to end another user's: the refusal is recorded,
// and nothing ends.
class RefusingDesktop : public FakeDesktop {
  public:
    std::uint32_t refusedProcess = 0;
    bool EndProcess(std::uint32_t processId, std::uint32_t exitCode) override {
        if (processId == refusedProcess) {
            FakeDesktop::EndProcess(0, exitCode);  // recorded, ends nothing
            return false;
        }
        return FakeDesktop::EndProcess(processId, exitCode);
    }
};

// A desktop whose terminals retitle themselves all the time, as terminals running commands do.
class RetitlingDesktop : public FakeDesktop {
  public:
    std::size_t ReadTitle(WindowId w, wchar_t* buffer, std::size_t capacity) override {
        ++reads_;
        Window(w).title = (reads_ % 3 == 0 ? L"z" : L"a") + std::to_wstring(reads_ * 7919 % 101);
        return FakeDesktop::ReadTitle(w, buffer, capacity);
    }

  private:
    unsigned reads_ = 0;
};

// A window system that lists one window twice.
class RepeatingDesktop : public FakeDesktop {
  public:
    void ListTopLevelWindows(std::vector<WindowId>& out) override {
        FakeDesktop::ListTopLevelWindows(out);
        if (!out.empty())
            out.push_back(out.front());
    }
};

// A layout that has no key for "+".
class NoPlusDesktop : public FakeDesktop {
  public:
    std::uint16_t CharToKeyCode(wchar_t ch) override {
        return ch == L'+' ? 0xFFFF : FakeDesktop::CharToKeyCode(ch);
    }
};

}  // namespace tandrel::fakes
