#pragma once
// A canvas that keeps every drawing call in order: what the tests read, the benchmarks time and
// the SVG dump draws. Recording again after Clear() allocates nothing.
#include "label/label_canvas.h"

#include <vector>

struct LabelElement {
    enum Kind : unsigned char { Box, Disc, Polyline, Polygon, Text };
    static constexpr int kMaxPoints = 6;
    static constexpr int kMaxText = 63;

    Kind kind;
    LabelPen pen;
    LabelBrush brush;
    LabelAlign align; // Text
    bool up;          // Text
    // Box: the corners; Disc: centre x1, y1 and radius x2; Text: x1, y1 and the height in x2.
    int x1, y1, x2, y2;
    int pointCount; // Polyline, Polygon
    LabelPoint points[kMaxPoints];
    char text[kMaxText + 1]; // cut to kMaxText characters
};

struct RecordingCanvas {
    std::vector<LabelElement> elements;

    LabelCanvas Canvas();
    void Clear() { elements.clear(); }
};
