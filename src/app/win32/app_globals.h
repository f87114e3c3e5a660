#pragma once
// The process-wide objects of the program, created at start-up and alive until it ends, all
// defined in app_globals.cpp. All of them belong to the user-interface thread; a subsystem is
// handed the ones it works with.
#include "app/config_document.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "app/win32/status_bar.h"
#include "app/win32/toolbar.h"
#include "events/event_log.h"
#include "label/win32/label_view.h"
#include "link/conversation.h"
#include "link/win32/comm_link.h"
#include "print/win32/print_job.h"

#include <windows.h>

constexpr UINT WM_DOC_CHANGED = WM_USER + 20;

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern ConfigDocument g_document;
extern ProgramSettings g_settings;
// The files opened or saved last, as the "Archivo" menu shows them.
extern RecentFiles g_recentFiles;
extern StatusBar g_statusBar;
extern Toolbar g_toolbar;
extern LabelView g_labelView;
// The serial port to the controller, opened at start-up.
extern CommLink g_commLink;
extern PrintJob g_printJob;
// One conversation at a time; it outlives each interrogation dialog (the controller's version
// and the staged image stay until the next answer).
extern Conversation g_conversation;
// The event log read last; it outlives each dialog, and the next opening reads it anew.
extern EventLog g_eventLog;
