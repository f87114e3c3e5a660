#pragma once
// The event log dialog: reads the controller's event log as it opens, refreshes it, clears it
// after asking, and prints it.
#include "events/event_log.h"
#include "link/win32/comm_link.h"
#include "print/win32/print_job.h"

#include <windows.h>

// Menu command "Ver archivo de eventos...": with `link` open, runs the dialog modally over the
// main window, reading into `log` and printing with `printer`; otherwise says that the
// controller cannot be reached. The company lines head the printed list. Each read or clear that
// ends, well or not, is told to `ended` (may be null) with the text the dialog shows for it.
using EventExchangeEnded = void (*)(const EventLog& log, bool clear, const char* text);
void EventLogCommand(HWND mainWindow, HINSTANCE instance, EventLog& log, CommLink& link,
                     PrintJob& printer, const char* companyLine1, const char* companyLine2,
                     EventExchangeEnded ended = nullptr);
