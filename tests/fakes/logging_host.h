// A dialog host that writes what the window did to it into a log shared with other fakes,
// interleaved with what the window asked of the desktop.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_desktop.h"
#include "fakes/fake_dialog_host.h"

namespace tandrel::fakes {

// A host that writes its window-level calls into the shared log, each after the desktop calls
// made before it.
class LoggingHost : public FakeDialogHost {
  public:
    LoggingHost(WindowId w, FakeDesktop& desktop, std::vector<std::string>& log)
        : FakeDialogHost(w), desktop_(desktop), log_(log) {}

    // Moves the desktop calls that matter for the window's look and focus into the log.
    void Flush() {
        const auto& calls = desktop_.Calls();
        for (; seen_ < calls.size(); ++seen_) {
            for (const char* kept : {"place ", "sleep ", "foreground ", "send "}) {
                if (calls[seen_].rfind(kept, 0) == 0)
                    log_.push_back(calls[seen_]);
            }
        }
    }
    void Note(const std::string& line) {
        Flush();
        log_.push_back(line);
    }

    void AddListItem(int id, const std::wstring& text) override {
        Note("list " + std::to_string(id) + " " + Narrow(text));
        FakeDialogHost::AddListItem(id, text);
    }
    void SelectListItem(int id, int index) override {
        Note("select " + std::to_string(id) + " " + std::to_string(index));
        FakeDialogHost::SelectListItem(id, index);
    }
    void SetItemGlyph(int id, const FontSpec& font, const std::wstring& glyph) override {
        Note("font " + std::to_string(id) + " " + Narrow(font.face) + " " + std::to_string(font.pointTenths));
        FakeDialogHost::SetItemGlyph(id, font, glyph);
    }
    void SetCheck(int id, bool on) override {
        Note("check " + std::to_string(id) + " " + std::to_string(on));
        FakeDialogHost::SetCheck(id, on);
    }
    void RemoveSystemMenuItem(std::uint32_t command) override {
        Note("sysmenu remove " + std::to_string(command));
        FakeDialogHost::RemoveSystemMenuItem(command);
    }
    void AppendSystemMenuSeparator() override {
        Note("sysmenu separator");
        FakeDialogHost::AppendSystemMenuSeparator();
    }
    void AppendSystemMenuItem(std::uint32_t command, const std::wstring& text) override {
        Note("sysmenu " + std::to_string(command) + " " + Narrow(text));
        FakeDialogHost::AppendSystemMenuItem(command, text);
    }
    Rect WindowRect() override {
        Note("measure");
        return FakeDialogHost::WindowRect();
    }
    void SetTitle(const std::wstring& title) override {
        Note("title " + Narrow(title));
        FakeDialogHost::SetTitle(title);
    }
    void SetExtendedStyle(std::uint32_t style) override {
        Note("exstyle " + Hex(style));
        FakeDialogHost::SetExtendedStyle(style);
    }
    void SetLayeredAlpha(std::uint8_t alpha) override {
        Note("alpha " + std::to_string(alpha));
        FakeDialogHost::SetLayeredAlpha(alpha);
    }
    void MakeDefaultButton(int id) override {
        Note("default " + std::to_string(id));
        FakeDialogHost::MakeDefaultButton(id);
    }
    void FocusItem(int id) override {
        Note("focus " + std::to_string(id));
        FakeDialogHost::FocusItem(id);
    }
    void EnableItem(int id, bool on) override {
        Note("enable " + std::to_string(id) + " " + std::to_string(on));
        FakeDialogHost::EnableItem(id, on);
    }

    static std::string Narrow(const std::wstring& text) {
        std::string s;
        for (wchar_t c : text) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return s;
    }
    static std::string Hex(std::uint32_t v) {
        static const char* digits = "0123456789abcdef";
        std::string s;
        do {
            s.insert(s.begin(), digits[v & 0xF]);
            v >>= 4;
        } while (v != 0);
        return "0x" + s;
    }

  private:
    FakeDesktop& desktop_;
    std::vector<std::string>& log_;
    std::size_t seen_ = 0;
};

}  // namespace tandrel::fakes
