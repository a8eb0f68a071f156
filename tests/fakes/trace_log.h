// The diagnostics channel read by a test: every trace while the log lives, in order.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/diagnostics.h"

namespace tandrel::fakes {

class TraceLog {
  public:
    TraceLog() : previous_(SetTraceSink([this](std::wstring_view line) { lines.emplace_back(line); })) {}
    ~TraceLog() { SetTraceSink(std::move(previous_)); }
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    std::vector<std::wstring> lines;

  private:
    TraceSink previous_;
};

}  // namespace tandrel::fakes
