#include "label/win32/label_gdi.h"

#include "base/win32/gdi_objects.h"
#include "label/label_renderer.h"

#include <cstring>

namespace {

HDC Dc(void* context) {
    return static_cast<GdiLabelCanvas*>(context)->Dc();
}

// The pen an element asks for: none, the stock black pen, or one made for it alone.
struct ElementPen {
    OwnedPen made;
    HGDIOBJ handle;

    explicit ElementPen(LabelPen pen)
        : made(pen.width > 0 ? CreatePen(PS_SOLID, pen.width, kLabelPenColour) : nullptr),
          handle(pen.width > 0    ? made.Get()
                 : pen.width == 0 ? GetStockObject(BLACK_PEN)
                                  : GetStockObject(NULL_PEN)) {}
};

HGDIOBJ StockBrush(LabelBrush brush) {
    switch (brush) {
    case LabelBrush::White: return GetStockObject(WHITE_BRUSH);
    case LabelBrush::LightGrey: return GetStockObject(LTGRAY_BRUSH);
    case LabelBrush::Grey: return GetStockObject(GRAY_BRUSH);
    case LabelBrush::Black: return GetStockObject(BLACK_BRUSH);
    default: return GetStockObject(NULL_BRUSH);
    }
}

void Box(void* context, int x1, int y1, int x2, int y2, LabelPen pen, LabelBrush brush) {
    ElementPen p(pen);
    ScopedSelect selectPen(Dc(context), p.handle);
    ScopedSelect selectBrush(Dc(context), StockBrush(brush));
    Rectangle(Dc(context), x1, y1, x2, y2);
}

void Disc(void* context, int cx, int cy, int r, LabelPen pen, LabelBrush brush) {
    ElementPen p(pen);
    ScopedSelect selectPen(Dc(context), p.handle);
    ScopedSelect selectBrush(Dc(context), StockBrush(brush));
    Ellipse(Dc(context), cx - r, cy - r, cx + r, cy + r);
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
    ElementPen p(pen);
    ScopedSelect selectPen(Dc(context), p.handle);
    Points line(points, count);
    ::Polyline(Dc(context), line.at, line.count);
}

void Polygon(void* context, const LabelPoint* points, int count, LabelPen pen, LabelBrush brush) {
    ElementPen p(pen);
    ScopedSelect selectPen(Dc(context), p.handle);
    ScopedSelect selectBrush(Dc(context), StockBrush(brush));
    Points outline(points, count);
    ::Polygon(Dc(context), outline.at, outline.count);
}

void Text(void* context, int x, int y, int height, LabelAlign align, bool up, const char* text) {
    static_cast<GdiLabelCanvas*>(context)->SelectFont(height, up);
    UINT horizontal = align == LabelAlign::Left    ? TA_LEFT
                      : align == LabelAlign::Right ? TA_RIGHT
                                                   : TA_CENTER;
    ScopedTextAlign alignment(Dc(context), TA_TOP | horizontal);
    TextOutA(Dc(context), x, y, text, (int)std::strlen(text));
}

} // namespace

GdiLabelCanvas::~GdiLabelCanvas() {
    if (selected_) SelectObject(dc_, dcFont_);
}

void GdiLabelCanvas::SelectFont(int height, bool up) {
    HFONT font = nullptr;
    for (const Font& f : fonts_)
        if (f.height == height && f.up == up) font = f.handle.Get();
    if (!font) {
        LOGFONTA f{};
        f.lfHeight = height; // positive: the character cell's height
        f.lfEscapement = f.lfOrientation = up ? 900 : 0;
        f.lfWeight = FW_NORMAL;
        f.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(f.lfFaceName, "Arial");
        font = CreateFontIndirectA(&f);
        if (!font) return;
        fonts_.push_back({height, up, OwnedFont(font)});
    }
    if (font == selected_) return;
    HGDIOBJ previous = SelectObject(dc_, font);
    if (!selected_) dcFont_ = previous;
    selected_ = font;
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
