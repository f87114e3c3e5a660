#include "label/recording_canvas.h"

#include <cstring>

namespace {

LabelElement& Add(void* context, LabelElement::Kind kind) {
    auto& elements = static_cast<RecordingCanvas*>(context)->elements;
    LabelElement& e = elements.emplace_back(); // value-initialised: all zero
    e.kind = kind;
    e.pen = kNoPen;
    return e;
}

void Box(void* context, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush) {
    LabelElement& e = Add(context, LabelElement::Box);
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2, e.pen = pen, e.brush = brush;
}

void Disc(void* context, int cx, int cy, int r, LabelPen pen, LabelBrush brush) {
    LabelElement& e = Add(context, LabelElement::Disc);
    e.x1 = cx, e.y1 = cy, e.x2 = r, e.pen = pen, e.brush = brush;
}

void Points(LabelElement& e, const LabelPoint* points, int count) {
    e.pointCount = count < LabelElement::kMaxPoints ? count : LabelElement::kMaxPoints;
    std::memcpy(e.points, points, sizeof(LabelPoint) * e.pointCount);
}

void Polyline(void* context, const LabelPoint* points, int count, LabelPen pen) {
    LabelElement& e = Add(context, LabelElement::Polyline);
    e.pen = pen;
    Points(e, points, count);
}

void Polygon(void* context, const LabelPoint* points, int count, LabelPen pen, LabelBrush brush) {
    LabelElement& e = Add(context, LabelElement::Polygon);
    e.pen = pen, e.brush = brush;
    Points(e, points, count);
}

void Text(void* context, int x, int y, int height, LabelAlign align, bool up, const char* text) {
    LabelElement& e = Add(context, LabelElement::Text);
    e.x1 = x, e.y1 = y, e.x2 = height, e.align = align, e.up = up;
    std::strncpy(e.text, text, LabelElement::kMaxText);
}

} // namespace

LabelCanvas RecordingCanvas::Canvas() {
    return {.context = this,
            .box = Box,
            .disc = Disc,
            .polyline = Polyline,
            .polygon = Polygon,
            .text = Text};
}
