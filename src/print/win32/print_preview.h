#pragma once
// The print preview of a text job: its pages exactly as PrintText would print them on the chosen
// printer (laid out by the same code, with that printer's font metrics and paper), one page at a
// time, scaled to fit the window.
#include "print/win32/print_job.h"

#include <windows.h>

// Lays the text out for `job`'s printer and shows the preview, owned by `owner`. True when the
// user chose "Imprimir": the caller prints the same text with job.PrintText.
bool ShowPrintPreview(PrintJob& job, HWND owner, const char* text);
