// A notification area that notes what the main window asks of it, and can refuse to add the icon.
#pragma once
#include <string>
#include <vector>

#include "platform/tray.h"

namespace tandrel::fakes {

class FakeTray : public ITray {
  public:
    bool AddIcon(WindowId, const std::wstring& tip) override {
        calls.push_back(L"add " + tip);
        return failingAdds == 0 || failingAdds-- == 0;
    }
    void ModifyIcon(const std::wstring& tip) override { calls.push_back(L"modify " + tip); }
    void DeleteIcon() override { calls.push_back(L"delete"); }
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override {
        calls.push_back(L"balloon " + title + L"|" + text);
    }
    void ForgetIcon() override { calls.push_back(L"forget"); }
    void ShowMenu(WindowId, bool greyed, bool inBackground) override {
        calls.push_back(std::wstring(greyed ? L"menu greyed" : L"menu") +
                        (inBackground ? L" background" : L""));
    }
    std::vector<std::wstring> calls;
    int failingAdds = 0;  // the shell refuses this many adds
};

}  // namespace tandrel::fakes
