#include "probe_client.h"

#include <cwctype>

namespace e2e {

namespace {

std::wstring FileSafe(const std::wstring& title) {
    std::wstring out;
    for (wchar_t c : title) out.push_back((c < 0x80 && iswalnum(c)) ? c : L'_');
    return out;
}

}  // namespace

Probe::Probe(const TempFolder& folder, ProbeOptions options) : options_(std::move(options)) {
    static unsigned serial = 0;
    const std::wstring stem = L"probe-" + std::to_wstring(++serial) + L"-" + FileSafe(options_.title);
    logPath_ = folder.File(stem + L".log");
    hangFile_ = folder.File(stem + L".hang");
    std::vector<std::wstring> args = {L"--class",     options_.className, L"--title",
                                      options_.title, L"--log",           logPath_};
    if (options_.hidden)
        args.push_back(L"--hidden");
    if (options_.minimized)
        args.push_back(L"--minimized");
    if (options_.hang)
        args.push_back(L"--hang");
    if (options_.hangOnRequest)
        args.insert(args.end(), {L"--hang-when", hangFile_});
    if (options_.ignoreSize)
        args.push_back(L"--ignore-size");
    if (options_.activationDelayMs != 0) {
        args.insert(args.end(), {L"--activation-delay", std::to_wstring(options_.activationDelayMs)});
    }
    if (options_.keyDelayMs != 0)
        args.insert(args.end(), {L"--key-delay", std::to_wstring(options_.keyDelayMs)});
    if (options_.charDelayMs != 0)
        args.insert(args.end(), {L"--char-delay", std::to_wstring(options_.charDelayMs)});
    if (options_.slowMs != 0)
        args.insert(args.end(), {L"--slow", std::to_wstring(options_.slowMs)});
    if (!process_.Start(ProbeExe(), args, folder.Path()))
        return;

    const bool ready = WaitFor(
        [](const std::vector<ProbeEvent>& events) {
            for (const ProbeEvent& e : events) {
                if (e.kind == "ready")
                    return true;
            }
            return false;
        },
        kWaitMs);
    if (!ready)
        return;
    for (const ProbeEvent& e : Events()) {
        if (e.kind == "ready")
            window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(e.Number("hwnd")));
    }
}

std::vector<ProbeEvent> Probe::Events() const {
    return ParseProbeLog(ReadWholeFile(logPath_));
}

std::vector<ProbeEvent> Probe::EventsAfter(std::size_t mark) const {
    std::vector<ProbeEvent> all = Events();
    if (mark >= all.size())
        return {};
    return std::vector<ProbeEvent>(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
}

bool Probe::WaitFor(const EventCondition& condition, DWORD boundMs, std::size_t mark) const {
    const ULONGLONG until = GetTickCount64() + boundMs;
    for (;;) {
        if (condition(EventsAfter(mark)))
            return true;
        if (GetTickCount64() >= until || !process_.Running())
            return condition(EventsAfter(mark));
        Sleep(10);
    }
}

bool Probe::WaitForChars(std::size_t count, DWORD boundMs, std::size_t mark) const {
    return WaitFor(
        [count](const std::vector<ProbeEvent>& events) { return TypedText(events).size() >= count; }, boundMs,
        mark);
}

bool Probe::Settled(DWORD boundMs) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, boundMs, &result) != 0;
}

bool Probe::Hang() {
    if (!WriteWholeFile(hangFile_, "hang\n"))
        return false;
    return WaitFor(
        [](const std::vector<ProbeEvent>& events) { return !events.empty() && events.back().kind == "hang"; },
        kWaitMs);
}

}  // namespace e2e
