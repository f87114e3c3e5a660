#pragma once
// The modeless "Impresión" dialog of a running print job, and the abort procedure that keeps it
// answering while the job prints.
#include <windows.h>

// Takes the text that the next dialog shows, cut to 59 characters.
void SetCancelText(const char* text);
// Opens the dialog over `owner`, showing the cancel text; the job is not cancelled yet.
HWND OpenCancelDialog(HINSTANCE instance, HWND owner);
// Closes the dialog if the user has not closed it already.
void CloseCancelDialog();
// Whether the user pressed "Cancelar" (or Esc, or the close box) since the dialog opened.
bool UserCancelled();

// Hands every waiting message of the thread to the dialog or to its window; "go on" (TRUE)
// unless the user cancelled.
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
