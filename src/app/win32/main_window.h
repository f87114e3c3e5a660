#pragma once
// The program's single top-level window: its procedure, the command table, and keeping title
// and command states in step with the document.
#include <windows.h>

extern const char kMainWindowClass[];

extern const WNDPROC MainWndProc;

// Start-up steps that need the main window to exist.
void InitializeApplication(HWND window);

void RefreshMainWindow(HWND window);
void EnableCommand(HWND window, WORD commandId, bool enabled);
void RecordWindowPlacement(HWND window);

// The command table: runs a command (false when the program has none of that id), and sets every
// command's menu item and button enabled or grayed as its rule says now.
bool RunCommand(HWND window, WORD commandId);
void UpdateCommandStates(HWND window);
