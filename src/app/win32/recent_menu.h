#pragma once
// The recent files at the end of the "Archivo" menu, numbered 1 to 4, after a separator of
// their own; nothing is added while the list is empty.
#include <windows.h>

// Reads the list from the settings file and shows it; once, when the menu is complete.
void InitRecentFiles(HWND window);
// A file the document was opened from or saved to goes first in the list, in the settings file
// and in the menu.
void RememberRecentFile(HWND window, const char* path);
// Opens item `index` (0-based) as the Open command would, the save question first; a file that
// is no longer there (or a name that is no file) gives the usual message and leaves the list.
void OpenRecentFile(HWND window, int index);
