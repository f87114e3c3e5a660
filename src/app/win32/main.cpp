// Program entry: see app_main.cpp for the start-up sequence.
#include <windows.h>

int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    return RunApplication(instance, commandLine, showCommand);
}
