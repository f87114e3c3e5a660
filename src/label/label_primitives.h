#pragma once
// The label's drawing elements, each one call or a few on the canvas. Every coordinate is in
// label units.
#include "label/label_canvas.h"

// A block's screw j sits j * s from its first screw, with s = (length - 30) / (n - 1) kept in
// single precision and the product truncated: the eighth screw of a 241-long strip lands 210
// below the first, not 211. Blocks of fewer than 2 screws have s = 0.
int ScrewOffset(int length, int n, int j);

void DrawBox(const LabelCanvas& c, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush);
void DrawDisc(const LabelCanvas& c, int cx, int cy, int r, LabelPen pen, LabelBrush brush);
// Text whose vertical centre is y: its cell's top edge at y - height / 2.
void DrawLabelText(const LabelCanvas& c, int x, int y, int height, LabelAlign align,
                   const char* text);
// The same, reading upwards from the reference point (x, y - height / 2).
void DrawLabelTextUp(const LabelCanvas& c, int x, int y, int height, LabelAlign align,
                     const char* text);
void DrawScrew(const LabelCanvas& c, int cx, int cy);
void DrawLed(const LabelCanvas& c, int cx, int cy);
void DrawRelayBox(const LabelCanvas& c, int x, int y);
void DrawTerminalBlockV(const LabelCanvas& c, int x, int y, int h, int n);
void DrawTerminalBlockH(const LabelCanvas& c, int x, int y, int w, int n);

// Where a strip's labels stand: 1 right of a vertical block, 2 left of it, 3 rising above a
// horizontal block, 4 hanging below it.
enum class StripMode { Right = 1, Left = 2, Above = 3, Below = 4 };
// A terminal block of n screws and one label per screw.
void DrawTerminalStrip(const LabelCanvas& c, int x, int y, int length, int n,
                       const char* const* labels, StripMode mode);

// A bracket open to the right, its caption rising beside its lower end.
void DrawCallBracket(const LabelCanvas& c, int x, int y, int w, int h, const char* text);
// A bracket open upwards, its caption below it.
void DrawDigitBracket(const LabelCanvas& c, int x, int y, int w, int h, const char* text);
// A connector drawn upwards from its right end at (x, y), its name on it.
void DrawConnector(const LabelCanvas& c, int x, int y, const char* text);
