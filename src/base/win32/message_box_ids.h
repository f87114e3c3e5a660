#pragma once
#include <windows.h>

// A message box with texts from the string table; caption 0 leaves the system's default caption.
int MessageBoxIds(HWND owner, unsigned textId, unsigned captionId, UINT flags);

// Centres a dialog across the desktop, a quarter of the free height from the top.
void CenterDialog(HWND dialog);
