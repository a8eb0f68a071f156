// tandrel.exe: the whole program is the application object's start-up.
#include <windows.h>

#include <string>

#include "app/sender_app.h"
#include "platform/diagnostics.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // What the program passed over or gave up on, for a debugger's eyes only.
    tandrel::SetTraceSink([](std::wstring_view line) {
        const std::wstring text = std::wstring(line) + L"\n";
        ::OutputDebugStringW(text.c_str());
    });
    tandrel::app::CSenderApp app(instance);
    app.InitInstance();
    return app.ExitCode();
}
