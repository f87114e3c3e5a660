// Program entry: see app_main.cpp for the start-up sequence.
#include "base/win32/gdi_objects.h"

#include <windows.h>

int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    return RunApplication(instance, commandLine, showCommand);
}

// The GDI objects the program holds, for the soak test's probe inside this process.
extern "C" __declspec(dllexport) long ZrtLiveGdiObjects() {
    return g_liveGdiObjects;
}
