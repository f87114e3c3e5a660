#include "label/label_svg.h"

#include "base/text_encoding.h"

#include <cstdio>

namespace {

// Arial's em is 0.895 of its cell, and its baseline 0.81 of the cell below the cell's top.
constexpr double kEmPerCell = 0.895;
constexpr double kAscentPerCell = 0.81;

const char* Fill(LabelBrush brush) {
    switch (brush) {
    case LabelBrush::White: return "#ffffff";
    case LabelBrush::LightGrey: return "#c0c0c0";
    case LabelBrush::Grey: return "#808080";
    case LabelBrush::Black: return "#000000";
    default: return "none";
    }
}

std::string Paint(LabelPen pen, LabelBrush brush) {
    char text[160];
    if (pen.width < 0)
        std::snprintf(text, sizeof text, "fill=\"%s\" stroke=\"none\"", Fill(brush));
    else if (pen.width == 0) // the one-pixel stock pen
        std::snprintf(text, sizeof text,
                      "fill=\"%s\" stroke=\"#000000\" stroke-width=\"1\" "
                      "vector-effect=\"non-scaling-stroke\"",
                      Fill(brush));
    else
        std::snprintf(text, sizeof text, "fill=\"%s\" stroke=\"#%06x\" stroke-width=\"%d\"",
                      Fill(brush),
                      ((kLabelPenColour & 0xFF) << 16) | (kLabelPenColour & 0xFF00) |
                          ((kLabelPenColour >> 16) & 0xFF),
                      pen.width);
    return text;
}

// XML has no way to write a control character, not even as a reference; a name a file fills
// with them shows U+FFFD in their place.
std::string Escaped(const char* text) {
    std::string out;
    for (char ch : Cp1252ToUtf8(text)) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += (unsigned char)ch < 0x20 ? "\xEF\xBF\xBD" : std::string(1, ch);
        }
    }
    return out;
}

std::string PointList(const LabelElement& e) {
    std::string out;
    char point[32];
    for (int i = 0; i < e.pointCount; ++i) {
        std::snprintf(point, sizeof point, "%s%d,%d", i ? " " : "", e.points[i].x, e.points[i].y);
        out += point;
    }
    return out;
}

std::string TextElement(const LabelElement& e) {
    const char* anchor = e.align == LabelAlign::Left    ? "start"
                         : e.align == LabelAlign::Right ? "end"
                                                        : "middle";
    char head[256];
    int n = std::snprintf(head, sizeof head,
                          "<text x=\"%d\" y=\"%.1f\" font-family=\"Arial\" font-size=\"%.1f\" "
                          "text-anchor=\"%s\"",
                          e.x1, e.y1 + kAscentPerCell * e.x2, kEmPerCell * e.x2, anchor);
    if (e.up)
        std::snprintf(head + n, sizeof head - n, " transform=\"rotate(-90 %d %d)\"", e.x1, e.y1);
    return std::string(head) + ">" + Escaped(e.text) + "</text>\n";
}

} // namespace

std::string LabelSvg(const std::vector<LabelElement>& elements) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"550\" height=\"1045\" "
                      "viewBox=\"-50 -95 1100 2090\">\n";
    char line[256];
    for (const LabelElement& e : elements) {
        switch (e.kind) {
        case LabelElement::Box:
            std::snprintf(line, sizeof line, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" ",
                          e.x1, e.y1, e.x2 - e.x1, e.y2 - e.y1);
            svg += line + Paint(e.pen, e.brush) + "/>\n";
            break;
        case LabelElement::Disc:
            std::snprintf(line, sizeof line, "<circle cx=\"%d\" cy=\"%d\" r=\"%d\" ", e.x1, e.y1,
                          e.x2);
            svg += line + Paint(e.pen, e.brush) + "/>\n";
            break;
        case LabelElement::Polyline:
            svg += "<polyline points=\"" + PointList(e) + "\" " + Paint(e.pen, LabelBrush::None) +
                   "/>\n";
            break;
        case LabelElement::Polygon:
            svg += "<polygon points=\"" + PointList(e) + "\" " + Paint(e.pen, e.brush) + "/>\n";
            break;
        case LabelElement::Text: svg += TextElement(e); break;
        }
    }
    return svg + "</svg>\n";
}
