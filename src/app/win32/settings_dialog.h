#pragma once
// "Configuración del programa": the company lines and the serial port.
#include <windows.h>

// Runs the dialog on the program's settings; on "Aceptar" they are stored in the settings file.
void ShowSettingsDialog(HWND owner);
