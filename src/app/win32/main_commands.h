#pragma once
// The main window's commands: one table of what each menu item, toolbar button and accelerator
// runs and when it is enabled.
#include <windows.h>

// Runs a command; false when the program has none of that id. An accelerator's command does
// nothing while it is disabled, as its menu item would.
bool RunCommand(HWND window, WORD commandId, bool fromAccelerator = false);
// Sets every command's menu item and toolbar button enabled or grayed as its rule says now.
void UpdateCommandStates(HWND window);
