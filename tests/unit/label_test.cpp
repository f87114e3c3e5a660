// The label call by call against data/label_elements.txt (each function, layout, call grid and
// what switches the layouts); any stop count and unterminated names; the SVG picture.
#include "label/label_renderer.h"
#include "label/label_svg.h"
#include "label/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// One drawing call as a line of the data file.
std::string Line(const LabelElement& e) {
    static const char* const kBrush[] = {"none", "white", "lightgrey", "grey", "black"};
    char s[160];
    bool box = e.kind == LabelElement::Box;
    if (e.kind == LabelElement::Text)
        std::snprintf(s, sizeof s, "text %d %d %d %c%s \"%s\"", e.x1, e.y1, e.x2,
                      "LRC"[(int)e.align], e.up ? " up" : "", e.text);
    else if (e.kind == LabelElement::Polyline)
        std::snprintf(s, sizeof s, "line pen %d", e.pen.width);
    else
        std::snprintf(s, sizeof s, "%s %d %d %d%s pen %d %s", box ? "box" : "disc", e.x1, e.y1,
                      e.x2, box ? (" " + std::to_string(e.y2)).c_str() : "", e.pen.width,
                      kBrush[(int)e.brush]);
    std::string line = s;
    for (int i = 0; i < e.pointCount; ++i)
        line += " " + std::to_string(e.points[i].x) + "," + std::to_string(e.points[i].y);
    return line + "\n";
}

std::string Draw(const ControllerConfig& c) {
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), c, "BRIVALT", "S.A.");
    std::string lines;
    for (const LabelElement& e : canvas.elements)
        lines += Line(e);
    return lines;
}

TEST(Label, EachFunctionLayoutAndCallGrid) {
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + "/tests/unit/data/label_elements.txt");
    std::string line, expected;
    ControllerConfig c{};
    int labels = 0;
    auto compare = [&] {
        if (labels++) {
            EXPECT_EQ(Draw(c), expected) << "label " << labels - 1;
        }
        expected.clear();
    };
    while (std::getline(in, line)) {
        int f[8];
        if (line[0] == '#') continue;
        if (std::sscanf(line.c_str(), "label %d %d %d %d %d %d %d %d", &f[0], &f[1], &f[2], &f[3],
                        &f[4], &f[5], &f[6], &f[7]) != 8) {
            expected += line + "\n";
            continue;
        }
        compare();
        c = MakeEmptyConfig();
        c.controllerFunction = (uint8_t)f[0], c.controlType = (uint8_t)f[1];
        c.stopCount = (uint8_t)f[2], c.optionFlags = (uint8_t)f[3], c.screenSystem = (uint8_t)f[4];
        c.systemNumber = (uint16_t)f[5], c.cabinNumber = (uint8_t)f[6];
        for (int k = 0; k < f[7]; ++k)
            c.relayFunction[k] = (uint8_t)(k + 1);
        for (int k = 0; k < kAuxTerminalCount; ++k)
            c.auxTerminalFunction[k] = (uint8_t)(20 + k);
        for (int i = 0; i < kMaxStops; ++i)
            std::snprintf(c.stopNames[i], kStopNameSize, "%d", i + 1);
    }
    compare();
    EXPECT_EQ(labels, 8);
}

// Each stop the grids have room for, by at most 3 characters: the slots' last '#' never shows.
TEST(Label, AnyStopCountAndUnterminatedNames) {
    // Names drawn by type: 24 twice; 16 thrice less 2 ends; 24, 23 and 23 on the board; 23, 22, 3.
    for (auto [type, drawn] : {std::pair{0, 48}, {3, 46}, {4, 70}, {5, 48}}) {
        ControllerConfig c = MakeEmptyConfig();
        c.controllerFunction = 1, c.controlType = (uint8_t)type, c.stopCount = 255;
        for (auto& slot : c.stopNames)
            std::memcpy(slot, "NNN#", kStopNameSize);
        RecordingCanvas canvas;
        DrawLabel(canvas.Canvas(), c, "", "");
        int names = 0;
        for (const LabelElement& e : canvas.elements) {
            names += e.kind == LabelElement::Text && std::string(e.text) == "NNN";
            EXPECT_EQ(std::strchr(e.text, '#'), nullptr) << type;
        }
        EXPECT_EQ(names, drawn) << type;
    }
}

// Each kind of element and of pen, each alignment, a turned text and the characters XML quotes.
TEST(Label, SvgPicture) {
    RecordingCanvas recording;
    LabelCanvas c = recording.Canvas();
    c.box(c.context, 10, 20, 110, 70, LabelPen{6}, LabelBrush::White);
    c.disc(c.context, 50, 60, 12, kStockBlackPen, LabelBrush::Black);
    const LabelPoint points[] = {{1, 2}, {3, 4}, {5, 6}};
    c.polyline(c.context, points, 3, LabelPen{2});
    const LabelPoint corners[] = {{0, 0}, {10, 0}, {10, 10}};
    c.polygon(c.context, corners, 3, kNoPen, LabelBrush::LightGrey);
    c.text(c.context, 100, 200, 20, LabelAlign::Left, false, "A<B");
    c.text(c.context, 300, 400, 20, LabelAlign::Right, true, "\"x&y>\xE9");
    c.text(c.context, 5, 6, 20, LabelAlign::Centre, false, "");
    c.text(c.context, 7, 8, 20, LabelAlign::Left, false, "\x01 "); // no control byte in XML
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + "/tests/unit/data/label.svg");
    EXPECT_EQ(LabelSvg(recording.elements), std::string(std::istreambuf_iterator<char>(in), {}));
}

} // namespace
