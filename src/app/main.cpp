// tandrel.exe: the whole program is the application object's start-up.
#include <windows.h>

#include "app/sender_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tandrel::app::CSenderApp app(instance);
    app.InitInstance();
    return 0;
}
