#pragma once
// The event log dialog: reads the controller's event log as it opens, refreshes it, clears it
// after asking, and prints it.
#include "events/event_log.h"

#include <windows.h>

// The log of the whole program: it outlives each dialog, and the next opening reads it anew.
extern EventLog g_eventLog;

// Menu command "Ver archivo de eventos...": with the serial port open, runs the dialog modally
// over the main window; otherwise says that the controller cannot be reached. The company lines
// head the printed list.
void EventLogCommand(HWND mainWindow, HINSTANCE instance, const char* companyLine1,
                     const char* companyLine2);
