// tandrel.exe started with /send, /script or /targets.
#pragma once
#include <windows.h>

#include <optional>

namespace tandrel::app {

// Carries out the command line's request, handing it to the running instance when there is one,
// and reports on the caller's console. The process's exit code; none when the program was
// started without arguments and shows its window as always.
std::optional<int> RunCommandLine(HINSTANCE instance);

}  // namespace tandrel::app
