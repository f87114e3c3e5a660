#include "label/win32/label_gdi.h"

#include "base/win32/gdi_objects.h"
#include "label/label_renderer.h"

#include <cstring>

namespace {

GdiLabelCanvas& Of(void* context) {
    return *static_cast<GdiLabelCanvas*>(context);
}

void Box(void* context, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush) {
    Of(context).SelectPen(pen);
    Of(context).SelectBrush(brush);
    Rectangle(Of(context).Dc(), x1, y1, x2, y2);
}

void Disc(void* context, int cx, int cy, int r, LabelPen pen, LabelBrush brush) {
    Of(context).SelectPen(pen);
    Of(context).SelectBrush(brush);
    Ellipse(Of(context).Dc(), cx - r, cy - r, cx + r, cy + r);
}

// The few corners of a bracket or the page's shadow, without allocating.
struct Points {
    static constexpr int kMax = 16;
    POINT at[kMax];
    int count;

    Points(const LabelPoint* points, int n) : count(n < kMax ? n : kMax) {
        for (int i = 0; i < count; ++i)
            at[i] = {points[i].x, points[i].y};
    }
};

void Polyline(void* context, const LabelPoint* points, int count, LabelPen pen) {
    Of(context).SelectPen(pen);
    Points line(points, count);
    ::Polyline(Of(context).Dc(), line.at, line.count);
}

void Polygon(void* context, const LabelPoint* points, int count, LabelPen pen, LabelBrush brush) {
    Of(context).SelectPen(pen);
    Of(context).SelectBrush(brush);
    Points outline(points, count);
    ::Polygon(Of(context).Dc(), outline.at, outline.count);
}

void Text(void* context, int x, int y, int height, LabelAlign align, bool up, const char* text) {
    GdiLabelCanvas& canvas = Of(context);
    int length = (int)std::strlen(text);
    if (!canvas.MaySee(x, y, height, align, up, length)) return;
    canvas.SelectFont(height, up);
    canvas.SetAlign(TA_TOP | (align == LabelAlign::Left    ? TA_LEFT
                              : align == LabelAlign::Right ? TA_RIGHT
                                                           : TA_CENTER));
    TextOutA(canvas.Dc(), x, y, text, length);
}

HGDIOBJ StockBrush(LabelBrush brush) {
    static const int kStock[] = {NULL_BRUSH, WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, BLACK_BRUSH};
    return GetStockObject(kStock[(int)brush]);
}

} // namespace

GdiLabelCanvas::GdiLabelCanvas(HDC dc, const LabelRect* visible)
    : dc_(dc), culling_(visible != nullptr) {
    if (visible) visible_ = *visible;
}

GdiLabelCanvas::~GdiLabelCanvas() {
    for (Slot* slot : {&pen_, &brush_, &font_})
        if (slot->selected) SelectObject(dc_, slot->original);
    if (align_ != GDI_ERROR) SetTextAlign(dc_, originalAlign_);
}

void GdiLabelCanvas::Select(Slot& slot, HGDIOBJ object) {
    if (!object || object == slot.selected) return;
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!slot.selected) slot.original = previous;
    slot.selected = object;
}

// The pen an element asks for: none, the stock black pen, or a solid pen of its width.
void GdiLabelCanvas::SelectPen(LabelPen pen) {
    if (pen.width < 0) return Select(pen_, GetStockObject(NULL_PEN));
    if (pen.width == 0) return Select(pen_, GetStockObject(BLACK_PEN));
    for (const Made& made : pens_)
        if (made.size == pen.width) return Select(pen_, made.handle.Get());
    HPEN made = CreatePen(PS_SOLID, pen.width, kLabelPenColour);
    if (!made) return;
    pens_.push_back({pen.width, false, GdiObject<HGDIOBJ>(made)});
    Select(pen_, made);
}

void GdiLabelCanvas::SelectBrush(LabelBrush brush) {
    Select(brush_, StockBrush(brush));
}

void GdiLabelCanvas::SelectFont(int height, bool up) {
    for (const Made& made : fonts_)
        if (made.size == height && made.up == up) return Select(font_, made.handle.Get());
    LOGFONTA f{};
    f.lfHeight = height; // positive: the character cell's height
    f.lfEscapement = f.lfOrientation = up ? 900 : 0;
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(f.lfFaceName, "Arial");
    HFONT made = CreateFontIndirectA(&f);
    if (!made) return;
    fonts_.push_back({height, up, GdiObject<HGDIOBJ>(made)});
    Select(font_, made);
}

void GdiLabelCanvas::SetAlign(UINT align) {
    if (align == align_) return;
    UINT previous = SetTextAlign(dc_, align);
    if (align_ == GDI_ERROR) originalAlign_ = previous;
    align_ = align;
}

bool GdiLabelCanvas::MaySee(int x, int y, int height, LabelAlign align, bool up, int length) const {
    return !culling_ || TextMayShow(visible_, {x, y}, height, align, up, length);
}

LabelCanvas GdiLabelCanvas::Canvas() {
    return {.context = this,
            .box = Box,
            .disc = Disc,
            .polyline = Polyline,
            .polygon = Polygon,
            .text = Text};
}

void DrawLabelOnDc(HDC dc, const ControllerConfig& config, const char* company1,
                   const char* company2) {
    GdiLabelCanvas canvas(dc);
    DrawLabel(canvas.Canvas(), config, company1, company2);
}
