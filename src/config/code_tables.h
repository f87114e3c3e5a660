#pragma once
// Texts of the configuration's code tables. Each function returns the string-table number of the
// value's text, or that of "No válido" for a value outside its table.

unsigned ControlTypeTextId(int controlType);     // 0..5
unsigned ControllerFunctionTextId(int function); // 0..3
unsigned ScreenSystemTextId(int screenSystem);   // 1..6
unsigned AuxOutputTypeTextId(int auxOutputType); // 1..8
unsigned SupervisionPortTextId(int port);        // 0..3

// Highest stopCount that a control type allows.
int StopLimit(int controlType);
