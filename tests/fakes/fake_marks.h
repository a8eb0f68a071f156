// Show Targets' marks, noted as they are shown instead of drawn.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/target_marks.h"

namespace tandrel::fakes {

class FakeMarks : public ITargetMarks {
  public:
    struct Shown {
        std::vector<TargetMark> marks;
        std::wstring note;
        WindowId over;
        std::uint32_t ms;
    };
    void Show(const std::vector<TargetMark>& m, const std::wstring& note, WindowId over,
              std::uint32_t ms) override {
        shown.push_back({m, note, over, ms});
    }
    std::vector<Shown> shown;
};

}  // namespace tandrel::fakes
