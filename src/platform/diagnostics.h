// The diagnostics channel. Where the program passes a target over, gives up on a system call or
// cannot write its profile, it says so through Trace, never to the operator: on Windows the
// lines go to the debugger (OutputDebugStringW), in the tests to a list the test reads.
#pragma once
#include <functional>
#include <string_view>

namespace tandrel {

using TraceSink = std::function<void(std::wstring_view line)>;

// Makes `sink` the one that takes every trace (none: traces go nowhere), and returns the sink
// it replaces. Set on the interface thread, before or between the program's runs.
TraceSink SetTraceSink(TraceSink sink);

void Trace(std::wstring_view line);

}  // namespace tandrel
