#pragma once
// The process-wide objects of the program, created at start-up and alive until it ends. All of
// them belong to the user-interface thread.
#include "app/config_document.h"
#include "app/program_settings.h"
#include "app/win32/status_bar.h"
#include "app/win32/toolbar.h"
#include "label/win32/label_view.h"

#include <windows.h>

constexpr UINT WM_DOC_CHANGED = WM_USER + 20;

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern ConfigDocument g_document;
extern ProgramSettings g_settings;
extern StatusBar g_statusBar;
extern Toolbar g_toolbar;
extern LabelView g_labelView;
