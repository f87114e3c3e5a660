#pragma once
// "Historial de controladores...": the history of exchanges, newest first, with the copies it
// names opened as "Abrir" opens a file.
#include <windows.h>

void ShowHistoryDialog(HWND owner);
