// The probe terminal's command line.
#pragma once
#include <string>

namespace probe {

struct Options {
    std::wstring className = L"PuTTY";
    std::wstring title = L"probe";
    std::wstring logPath;            // --log: one line per event, written at once
    std::wstring pidFile;            // --pid-file: the process id, written once the window exists
    std::wstring hangWhen;           // --hang-when FILE: stops answering once the file exists
    bool hidden = false;             // --hidden: the window is created but never shown
    bool minimized = false;          // --minimized: shown minimised
    bool hang = false;               // --hang: stops answering right after the window is made
    bool ignoreSize = false;         // --ignore-size: does not fit its window to an announced size
    unsigned activationDelayMs = 0;  // --activation-delay MS: slow to react to activation
    unsigned keyDelayMs = 0;         // --key-delay MS: slow to take each key down
    unsigned charDelayMs = 0;        // --char-delay MS: slow to take each character
    unsigned slowMs = 0;             // --slow MS: a busy terminal, late with every hide, show,
                                     // size, activation and painting
};

// Reads the arguments after the program name. False (with `error` set) on an unknown option or
// a missing value.
bool ParseOptions(int argc, wchar_t** argv, Options& options, std::wstring& error);

}  // namespace probe
