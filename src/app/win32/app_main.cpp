// Start-up: the window class, the main window, the document, then the message loop.
#include "app/command_line.h"
#include "app/win32/about_boxes.h"
#include "app/win32/app_globals.h"
#include "app/win32/main_window.h"
#include "app/win32/settings_file.h"
#include "app/window_placement.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "res/resource.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszMenuName = "MENU";
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassA(&wc) != 0;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<WorkArea>*>(areas)->push_back(
            {r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

// The work areas of the monitors present now.
std::vector<WorkArea> MonitorWorkAreas() {
    std::vector<WorkArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

HWND CreateMainWindow(HINSTANCE instance) {
    char title[256];
    LoadResString(str::CaptionConfigurator, title, sizeof title);
    std::vector<WorkArea> areas = MonitorWorkAreas();
    WindowBox box = OpeningWindowBox(g_settings, areas.data(), (int)areas.size());
    return CreateWindowExA(0, kMainWindowClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, box.x,
                           box.y, box.width, box.height, nullptr, nullptr, instance, nullptr);
}

void OpenCommandLineFile(const char* commandLine) {
    std::string path = commandLine; // whole: the document refuses a path too long to open
    StripEnclosingQuotes(path.data());
    g_document.OpenPath(path.c_str());
}

// The accelerators come first, so that the keypad zoom works whichever window has the focus;
// then the monitor gets its dialog keys (Escape hides it, Tab moves between its fields).
int MessageLoop(HWND window, HACCEL accelerators) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &msg)) continue;
        HWND monitor = g_commLink.monitorWindow;
        if (monitor && IsDialogMessageA(monitor, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

} // namespace

int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterMainClass(instance)) return 0;
    g_instance = instance;
    LoadSettingsFile(g_settings);
    HWND window = CreateMainWindow(instance);
    if (!window) return 0;
    g_mainWindow = window;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    ShowSplashBox(window);

    InitializeApplication(window);
    if (commandLine && *commandLine) OpenCommandLineFile(commandLine);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    return MessageLoop(window, accelerators);
}
