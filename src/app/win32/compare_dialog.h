#pragma once
// "Comparar con archivo...": what differs between the current configuration and a file.
#include <windows.h>

// Asks for a .Z94 file as Open does and lists how it differs from the document, or says that
// the two are equal. The document is never changed.
void CompareWithFile(HWND owner);
