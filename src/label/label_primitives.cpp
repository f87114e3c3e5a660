#include "label/label_primitives.h"

namespace {
constexpr LabelPen kThinPen{2};
constexpr int kLabelHeight = 24;
} // namespace

int ScrewOffset(int length, int n, int j) {
    if (n < 2) return 0;
    // A float spacing and a double product, truncated: labels already printed for controllers
    // in the field place the screws so, and a reprinted label must match them.
    float s = (float)(length - 30) / (float)(n - 1);
    return (int)((double)j * (double)s);
}

void DrawBox(const LabelCanvas& c, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush) {
    c.box(c.context, x1, y1, x2, y2, pen, brush);
}

void DrawDisc(const LabelCanvas& c, int cx, int cy, int r, LabelPen pen, LabelBrush brush) {
    c.disc(c.context, cx, cy, r, pen, brush);
}

void DrawLabelText(const LabelCanvas& c, int x, int y, int height, LabelAlign align,
                   const char* text) {
    c.text(c.context, x, y - height / 2, height, align, false, text);
}

void DrawLabelTextUp(const LabelCanvas& c, int x, int y, int height, LabelAlign align,
                     const char* text) {
    c.text(c.context, x, y - height / 2, height, align, true, text);
}

void DrawScrew(const LabelCanvas& c, int cx, int cy) {
    DrawDisc(c, cx, cy, 12, kStockBlackPen, LabelBrush::Black);
}

void DrawLed(const LabelCanvas& c, int cx, int cy) {
    DrawDisc(c, cx, cy, 15, LabelPen{3}, LabelBrush::LightGrey);
}

void DrawRelayBox(const LabelCanvas& c, int x, int y) {
    DrawBox(c, x, y, x + 190, y + 65, LabelPen{5}, LabelBrush::White);
}

void DrawTerminalBlockV(const LabelCanvas& c, int x, int y, int h, int n) {
    DrawBox(c, x, y, x + 50, y + h, kThinPen, LabelBrush::White);
    for (int j = 0; j < n; ++j)
        DrawScrew(c, x + 25, y + 15 + ScrewOffset(h, n, j));
}

void DrawTerminalBlockH(const LabelCanvas& c, int x, int y, int w, int n) {
    DrawBox(c, x, y, x + w, y + 50, kThinPen, LabelBrush::White);
    for (int j = 0; j < n; ++j)
        DrawScrew(c, x + 15 + ScrewOffset(w, n, j), y + 25);
}

void DrawTerminalStrip(const LabelCanvas& c, int x, int y, int length, int n,
                       const char* const* labels, StripMode mode) {
    bool vertical = mode == StripMode::Right || mode == StripMode::Left;
    if (vertical)
        DrawTerminalBlockV(c, x, y, length, n);
    else
        DrawTerminalBlockH(c, x, y, length, n);
    for (int j = 0; j < n; ++j) {
        int along = ScrewOffset(length, n, j);
        switch (mode) {
        case StripMode::Right:
            DrawLabelText(c, x + 63, y + 15 + along, kLabelHeight, LabelAlign::Left, labels[j]);
            break;
        case StripMode::Left:
            DrawLabelText(c, x - 13, y + 15 + along, kLabelHeight, LabelAlign::Right, labels[j]);
            break;
        case StripMode::Above:
            DrawLabelTextUp(c, x + 3 + along, y, kLabelHeight, LabelAlign::Left, labels[j]);
            break;
        case StripMode::Below:
            DrawLabelTextUp(c, x + 3 + along, y + 68, kLabelHeight, LabelAlign::Right, labels[j]);
            break;
        }
    }
}

void DrawCallBracket(const LabelCanvas& c, int x, int y, int w, int h, const char* text) {
    const LabelPoint line[] = {{x + w, y}, {x, y}, {x, y + h}, {x + w, y + h}};
    c.polyline(c.context, line, 4, kThinPen);
    DrawLabelTextUp(c, x - 30, y + h, kLabelHeight, LabelAlign::Left, text);
}

void DrawDigitBracket(const LabelCanvas& c, int x, int y, int w, int h, const char* text) {
    const LabelPoint line[] = {{x, y - h}, {x, y}, {x + w, y}, {x + w, y - h}};
    c.polyline(c.context, line, 4, kThinPen);
    DrawLabelText(c, x, y + 19, kLabelHeight, LabelAlign::Left, text);
}

void DrawConnector(const LabelCanvas& c, int x, int y, const char* text) {
    DrawBox(c, x - 120, y, x, y + 7, kThinPen, LabelBrush::Black);
    DrawBox(c, x - 96, y - 36, x - 24, y, kThinPen, LabelBrush::White);
    DrawBox(c, x - 18, y - 24, x, y, kThinPen, LabelBrush::White);
    DrawBox(c, x - 120, y - 24, x - 102, y, kThinPen, LabelBrush::White);
    DrawLabelText(c, x - 60, y - 18, 21, LabelAlign::Centre, text);
}
