#pragma once
// What the label is drawn on: a small table of drawing calls in label units, x from 0 (left
// edge) to 1000 (right edge), y from 0 (top edge) to 1900 (bottom edge), growing downwards.
// The device context behind it (Win32), the recording canvas (tests, benchmarks, the SVG dump)
// and whatever comes next fill it in; the caller maps label units onto its device.

struct LabelPoint {
    int x, y;
};

// The system's stock brushes; None leaves the inside unpainted.
enum class LabelBrush : unsigned char { None, White, LightGrey, Grey, Black };

// An outline: a solid pen of colour 0x000007 (red 7: practically black) `width` label units
// wide, the system's black pen (one pixel at any scale), or none.
struct LabelPen {
    int width;
};
constexpr LabelPen kNoPen{-1};
constexpr LabelPen kStockBlackPen{0};
constexpr unsigned kLabelPenColour = 0x000007; // as a COLORREF: 0x00BBGGRR

// Where x stands in a text: its left edge, its right edge or its centre.
enum class LabelAlign : unsigned char { Left, Right, Centre };

struct LabelCanvas {
    void* context;
    // Rectangle (x1, y1)-(x2, y2).
    void (*box)(void* context, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush);
    // Ellipse (cx - r, cy - r)-(cx + r, cy + r).
    void (*disc)(void* context, int cx, int cy, int r, LabelPen pen, LabelBrush brush);
    void (*polyline)(void* context, const LabelPoint* points, int count, LabelPen pen);
    void (*polygon)(void* context, const LabelPoint* points, int count, LabelPen pen,
                    LabelBrush brush);
    // "Arial" of cell height `height`, the cell's top edge at y (for a text that reads upwards,
    // the edge where the letters' tops are) and x placed by `align`; `up` turns the text a
    // quarter left, so that it reads from bottom to top.
    void (*text)(void* context, int x, int y, int height, LabelAlign align, bool up,
                 const char* text);
};
