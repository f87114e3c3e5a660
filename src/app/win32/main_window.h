#pragma once
// The program's single top-level window: its procedure, its start-up steps, and keeping title,
// status bar and label view in step with the document.
#include <windows.h>

extern const char kMainWindowClass[];

extern const WNDPROC MainWndProc;

// Start-up steps that need the main window to exist.
void InitializeApplication(HWND window);

void RefreshMainWindow(HWND window);
void RecordWindowPlacement(HWND window);
