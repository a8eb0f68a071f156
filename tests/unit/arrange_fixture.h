// A main window with its fake dialog host on the fake desktop, for the arrangement commands,
// and the part of the call log those commands write.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/main_window_on.h"

namespace tandrel {

template <typename Desktop = fakes::FakeDesktop, typename Host = fakes::FakeDialogHost>
struct ArrangeOn : fakes::MainWindowOn<Desktop, Host, fakes::RefusingStorage, fakes::RefusingShell> {
    // The main window itself is a window of the desktop; it is no terminal window.
    ArrangeOn()
        : fakes::MainWindowOn<Desktop, Host, fakes::RefusingStorage, fakes::RefusingShell>(
              {.title = L"Tandrel 1.7", .tray = false, .marks = false}) {
        this->dialog.mainWindow = this->main;
        this->dialog.Attach(&this->host);
    }

    WindowId Terminal(const std::wstring& title, std::uint32_t process = 100) {
        const WindowId w = this->desktop.AddWindow(L"PuTTY", title);
        this->desktop.Window(w).processId = process;
        return w;
    }

    // The calls that move, show, message, size, end or wait: what arranging does.
    std::vector<std::string> Trace() const {
        std::vector<std::string> out;
        for (const std::string& c : this->desktop.Calls()) {
            for (const char* kept :
                 {"send ", "show ", "place ", "size-client ", "foreground ", "end-process ", "sleep "}) {
                if (c.rfind(kept, 0) == 0)
                    out.push_back(c);
            }
        }
        return out;
    }

    // The top-level windows from the top of the z-order down.
    std::vector<WindowId> ZOrder() {
        std::vector<WindowId> order;
        this->desktop.ListTopLevelWindows(order);
        return order;
    }

    std::string RestoredFocus() const { return "foreground " + std::to_string(this->main); }
};

// The eight steps for one window, as the call log shows them.
inline std::vector<std::string> PlacementSteps(WindowId w, int x, int y, int width, int height) {
    const std::string n = std::to_string(w);
    const long long size = (static_cast<long long>(height & 0xFFFF) << 16) | (width & 0xFFFF);
    return {"send " + n + " 0x112 0xf120 0",
            "show " + n + " 0",
            "place " + n + " 0 " + std::to_string(x) + " " + std::to_string(y) + " 0 0 0x1",
            "send " + n + " 0x231 0x0 0",
            "send " + n + " 0x5 0x0 " + std::to_string(size),
            "send " + n + " 0x232 0x0 0",
            "send " + n + " 0x112 0xf020 0",
            "send " + n + " 0x112 0xf120 0"};
}

inline void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

}  // namespace tandrel
