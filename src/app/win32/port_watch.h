#pragma once
// The controller's port as adapters come and go, and the status bar's word on it while it is
// not open.
#include <windows.h>

// WM_DEVICECHANGE of the main window: opens the configured port once it is there, closes it
// once it has gone; the controller commands follow.
LRESULT OnDeviceChange(HWND window, WPARAM event, LPARAM);

// The status bar's first part: which port is missing and where to choose another while the
// link is closed, the help line once it is open.
void ShowPortState();
