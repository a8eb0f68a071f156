#include "putty_client.h"

#include <algorithm>

#include "e2e_files.h"
#include "tandrel_client.h"

namespace e2e {

namespace {

constexpr DWORD kStartBoundMs = 30000;
const wchar_t kSessions[] = L"Software\\SimonTatham\\PuTTY\\Sessions\\";

// A Unix path of the shells' side as this Windows program reaches it (Wine's drive Z: is /).
std::wstring FromUnixPath(const std::string& path) {
    std::wstring out = L"Z:";
    for (char c : path) out.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    if (out.back() != L'\\')
        out.push_back(L'\\');
    return out;
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// A saved session: a raw connection to the shell's port, the title given, local echo and line
// editing forced off (1), the title kept whatever the shell prints, no bell, no question on close,
// and the window closed whenever its connection ends (2), so that none outlives a driver that was
// ended: the shells end with the driver's connection to their service.
bool WriteSession(const std::wstring& name, unsigned port, const std::wstring& title) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (kSessions + name).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = SetString(key, L"HostName", L"127.0.0.1") && SetNumber(key, L"PortNumber", port) &&
                    SetString(key, L"Protocol", L"raw") && SetString(key, L"WinTitle", title) &&
                    SetNumber(key, L"LocalEcho", 1) && SetNumber(key, L"LocalEdit", 1) &&
                    SetNumber(key, L"NoRemoteWinTitle", 1) && SetNumber(key, L"Beep", 0) &&
                    SetNumber(key, L"WarnOnClose", 0) && SetNumber(key, L"CloseOnExit", 2);
    RegCloseKey(key);
    return ok;
}

// The titles of the terminal windows of the PuTTY class on the desktop.
std::vector<std::wstring> PuttyClassTitles() {
    std::vector<std::wstring> titles;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (std::wstring(cls) == L"PuTTY")
                reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(WindowText(w));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&titles));
    return titles;
}

bool ReadLine(SOCKET s, std::string& line) {
    line.clear();
    char c = 0;
    while (recv(s, &c, 1, 0) == 1) {
        if (c == '\n')
            return true;
        line.push_back(c);
    }
    return false;
}

void EndProcess(DWORD id) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id); process != nullptr) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, kStartBoundMs);
        CloseHandle(process);
    }
}

}  // namespace

bool SaveRefusingSession(const std::wstring& name) {
    return WriteSession(name, 1, name);  // port 1 (tcpmux), which nothing serves here
}

void EndPuttyErrorBoxes() {
    for (const wchar_t* caption : {L"PuTTY Error", L"PuTTY Fatal Error"})
        while (HWND box = FindWindowW(L"#32770", caption)) {
            DWORD id = 0;
            GetWindowThreadProcessId(box, &id);
            EndProcess(id);
        }
}

std::wstring PuttyExe() {
    return DriverFolder() + L"..\\putty\\putty.exe";
}

std::string PuttyWindow::Received() const {
    return ReadWholeFile(folder_ + L"received");
}

bool PuttyWindow::WaitForReceived(std::size_t count, DWORD boundMs) const {
    return WaitUntil([&] { return Received().size() >= count; }, boundMs);
}

std::size_t PuttyWindow::Prompts() const {
    const std::string lines = ReadWholeFile(folder_ + L"prompts");
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
}

bool PuttyWindow::WaitForPrompts(std::size_t count, DWORD boundMs) const {
    return WaitUntil([&] { return Prompts() >= count; }, boundMs);
}

PuttyWindows::PuttyWindows(const std::vector<std::wstring>& titles, int showCommand, bool start) {
    wchar_t port[16] = {};
    if (GetEnvironmentVariableW(L"E2E_SHELLS_PORT", port, 16) == 0) {
        error_ = "E2E_SHELLS_PORT is not set: run the scenarios through tests/e2e/run";
        return;
    }
    if (!FileExists(PuttyExe())) {
        error_ = "no putty.exe: tests/e2e/putty/build makes it";
        return;
    }
    // Every window of the scenario before must be gone, or it would be one more target.
    if (!WaitUntil([] { return PuttyClassTitles().empty(); }, kStartBoundMs)) {
        error_ = "terminal windows of an earlier scenario are still open:";
        for (const std::wstring& t : PuttyClassTitles())
            error_ += " \"" + std::string(t.begin(), t.end()) + "\"";
        return;
    }
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    control_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(_wtoi(port)));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(control_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error_ = "cannot reach the loopback shells";
        return;
    }
    for (const std::wstring& title : titles) {
        if (!Open(title, showCommand, start))
            return;
    }
    if (!start)
        return;
    // Started together, so that their start-up overlaps; then each must be connected and prompting.
    for (auto& w : windows_) {
        PuttyWindow& pw = *w;
        if (!WaitUntil(
                [&] { return (pw.window_ = FindWindowOfProcess(L"PuTTY", pw.ProcessId())) != nullptr; },
                kStartBoundMs) ||
            !pw.WaitForPrompts(1, kStartBoundMs) ||
            // PuTTY takes its title from the session once its connection is under way; until then
            // it is "PuTTY" and would sort before the others.
            !WaitUntil([&] { return WindowText(pw.window_) == pw.title_; }, kStartBoundMs)) {
            error_ = "a PuTTY window did not come up with its shell";
            return;
        }
    }
}

bool PuttyWindows::Adopt() {
    for (auto& w : windows_) {
        if (!WaitUntil([&] { return (w->window_ = FindWindowW(L"PuTTY", w->title_.c_str())) != nullptr; },
                       kStartBoundMs))
            return false;
        GetWindowThreadProcessId(w->window_, &w->adopted_);
        if (!w->WaitForPrompts(1, kStartBoundMs))
            return false;
    }
    return true;
}

bool PuttyWindows::Open(const std::wstring& title, int showCommand, bool start) {
    const char request[] = "shell\n";
    std::string answer;
    if (send(control_, request, sizeof request - 1, 0) != sizeof request - 1 || !ReadLine(control_, answer)) {
        error_ = "the loopback shells did not answer";
        return false;
    }
    const std::size_t blank = answer.find(' ');
    auto w = std::make_unique<PuttyWindow>();
    w->title_ = title;
    const unsigned port = static_cast<unsigned>(std::stoul(answer.substr(0, blank)));
    w->folder_ = FromUnixPath(answer.substr(blank + 1));
    w->session_ = start ? L"tandrel-e2e-" + std::to_wstring(port) : title;
    if (!WriteSession(w->session_, port, title)) {
        error_ = "cannot write the PuTTY session, error " + std::to_string(GetLastError());
        return false;
    }
    if (start && !w->process_.Start(PuttyExe(), {L"-load", w->session_}, w->folder_, showCommand)) {
        error_ = "cannot start putty.exe, error " + std::to_string(GetLastError());
        return false;
    }
    windows_.push_back(std::move(w));
    return true;
}

PuttyWindows::~PuttyWindows() {
    for (auto& w : windows_) {
        w->process_.Kill();
        EndProcess(w->adopted_);
        RegDeleteKeyW(HKEY_CURRENT_USER, (kSessions + w->session_).c_str());
    }
    // The next scenario must not find them: a window can outlive its process for a moment.
    for (auto& w : windows_) WaitUntil([&] { return !IsWindow(w->Window()); }, kStartBoundMs);
    if (control_ != INVALID_SOCKET)
        closesocket(control_);
}

}  // namespace e2e
