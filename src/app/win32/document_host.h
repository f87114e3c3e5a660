#pragma once
// The document's host on Windows: message boxes and file dialogs owned by the main window, and
// files through the Win32 file functions.
#include "app/config_document.h"

#include <windows.h>

const DocumentHost* Win32DocumentHost(HWND owner);
