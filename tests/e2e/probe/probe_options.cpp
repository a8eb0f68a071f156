#include "probe_options.h"

#include <cwchar>

namespace probe {

bool ParseOptions(int argc, wchar_t** argv, Options& o, std::wstring& error) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) {
                error = L"missing value after " + arg;
                return false;
            }
            out = argv[++i];
            return true;
        };
        auto number = [&](unsigned& out) {
            std::wstring text;
            if (!value(text))
                return false;
            out = static_cast<unsigned>(std::wcstoul(text.c_str(), nullptr, 10));
            return true;
        };
        bool ok = true;
        if (arg == L"--class") {
            ok = value(o.className);
        } else if (arg == L"--title") {
            ok = value(o.title);
        } else if (arg == L"--log") {
            ok = value(o.logPath);
        } else if (arg == L"--pid-file") {
            ok = value(o.pidFile);
        } else if (arg == L"--hang-when") {
            ok = value(o.hangWhen);
        } else if (arg == L"--activation-delay") {
            ok = number(o.activationDelayMs);
        } else if (arg == L"--key-delay") {
            ok = number(o.keyDelayMs);
        } else if (arg == L"--char-delay") {
            ok = number(o.charDelayMs);
        } else if (arg == L"--slow") {
            ok = number(o.slowMs);
        } else if (arg == L"--hidden") {
            o.hidden = true;
        } else if (arg == L"--minimized") {
            o.minimized = true;
        } else if (arg == L"--hang") {
            o.hang = true;
        } else if (arg == L"--ignore-size") {
            o.ignoreSize = true;
        } else {
            error = L"unknown option " + arg;
            return false;
        }
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace probe
