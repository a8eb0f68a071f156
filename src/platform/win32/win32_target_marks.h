// Show Targets' numbers on Win32: layered topmost popups that let clicks through and never
// activate, each ending itself with a timer.
#pragma once
#include <windows.h>

#include "platform/target_marks.h"

namespace tandrel::win32 {

// The marks' window class, and the colour behind their numbers.
inline constexpr wchar_t kTargetMarkClass[] = L"TandrelTargetMark";
inline constexpr COLORREF kTargetMarkColour = RGB(255, 176, 0);

class Win32TargetMarks : public ITargetMarks {
  public:
    explicit Win32TargetMarks(HINSTANCE instance);
    ~Win32TargetMarks() override;
    Win32TargetMarks(const Win32TargetMarks&) = delete;
    Win32TargetMarks& operator=(const Win32TargetMarks&) = delete;

    void Show(const std::vector<TargetMark>& marks, const std::wstring& note, WindowId noteOver,
              std::uint32_t durationMs) override;

  private:
    void Open(const std::wstring& text, const RECT& at, int fontHeight, std::uint32_t durationMs);
    HINSTANCE instance_;
};

}  // namespace tandrel::win32
