// The controller label, read back from a recording canvas: the call terminal grids and the layout
// switches. Images whose stop count and names a file may fill with anything are the label
// fuzzer's.
#include "label/call_grid.h"
#include "label/label_renderer.h"
#include "label/label_svg.h"
#include "label/recording_canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Screw j of a 241-long strip of 8 stands this far below the strip's first screw: the eighth
// 225 below the strip's top, not 226, and its label with it.
constexpr int kScrewOffsets[8] = {0, 30, 60, 90, 120, 150, 180, 210};
constexpr int kStripTops[6] = {160, 411, 663, 915, 1166, 1418};

std::vector<LabelElement> Draw(const ControllerConfig& c) {
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), c, "BRIVALT", "S.A.");
    return canvas.elements;
}

ControllerConfig Config(int function, int type, int stops) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = (uint8_t)function, c.controlType = (uint8_t)type;
    c.stopCount = (uint8_t)stops;
    for (int i = 0; i < kMaxStops; ++i)
        std::snprintf(c.stopNames[i], kStopNameSize, "%d", i + 1);
    return c;
}

// The 48 labels of the grid whose labels stand right-aligned at x, by terminal; "?" where a
// terminal has no label drawn at its height.
std::vector<std::string> GridTexts(const std::vector<LabelElement>& elements, int x) {
    std::vector<std::string> texts(kCallTerminals, "?");
    for (const LabelElement& e : elements) {
        if (e.kind != LabelElement::Text || e.up || e.align != LabelAlign::Right || e.x1 != x)
            continue;
        for (int t = 0; t < kCallTerminals; ++t)
            if (e.y1 == kStripTops[t / 8] + 15 + kScrewOffsets[t % 8] - 12) texts[t] = e.text;
    }
    return texts;
}

// Terminals `from` down to `to` carry the names of stops `first`, first + 1, ...
struct Run {
    int from, to, first;
};

std::vector<std::string> Expected(std::initializer_list<Run> runs, std::vector<int> blanks = {}) {
    std::vector<std::string> texts(kCallTerminals, "");
    for (const Run& r : runs)
        for (int t = r.from, stop = r.first; t >= r.to; --t, ++stop)
            texts[t] = std::to_string(stop);
    for (int t : blanks)
        texts[t] = "  ";
    return texts;
}

TEST(LabelCallGrid, EveryFunctionAndControlType) {
    const struct {
        ControllerConfig config;
        std::vector<std::string> grid;
    } cases[] = {
        // Hall calls only: the top stop has no up call, the lowest no down call.
        {Config(0, 3, 8), Expected({{23, 17, 1}, {46, 40, 2}})},
        {Config(2, 1, 8), Expected({{23, 16, 1}, {47, 40, 1}})},
        {Config(1, 3, 16), Expected({{15, 1, 1}, {30, 16, 2}, {47, 32, 1}})},
        {Config(1, 4, 24), Expected({{22, 0, 2}, {47, 24, 1}}, {23})},
        // Type 5: up calls at the three lowest stops only.
        {Config(3, 5, 23), Expected({{47, 25, 1}, {24, 3, 2}, {2, 0, 1}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::vector<LabelElement> label = Draw(c.config);
        EXPECT_EQ(GridTexts(label, 922), c.grid);
        EXPECT_EQ(NeedsExpansionBoard(c.config), c.config.controlType == 4);
    }
    // Type 4's up calls stand on the expansion board, the top stop's place blank.
    EXPECT_EQ(GridTexts(Draw(Config(1, 4, 8)), 745), Expected({{47, 41, 1}}, {40}));
    ControllerConfig names = Config(1, 3, 8); // a control byte in the SVG, as XML allows
    std::snprintf(names.stopNames[0], kStopNameSize, "\x01 ");
    EXPECT_NE(LabelSvg(Draw(names)).find(">\xEF\xBF\xBD </text>"), std::string::npos);
}

std::string TextAt(const std::vector<LabelElement>& elements, int x, int y) {
    for (const LabelElement& e : elements)
        if (e.kind == LabelElement::Text && e.x1 == x && e.y1 == y) return e.text;
    return "<none>";
}

// A text that must stand with its cell's top-left (or aligned) corner at x, y.
struct Place {
    int x, y;
    const char* text;
};

TEST(LabelLayout, SwitchesAndTextsFollowTheConfiguration) {
    using CC = ControllerConfig;
    using Change = std::function<void(CC&)>;
    const Change hallOnly = [](CC& c) {
        c.controllerFunction = 0, c.controlType = 4, c.optionFlags = 2, c.relayFunction[10] = 1;
    };
    const Change system7 = [](CC& c) {
        c.controllerFunction = 1, c.systemNumber = 7, c.cabinNumber = 3;
    };
    const struct {
        Change change;
        bool expanded;
        std::vector<Place> texts;
    } cases[] = {
        // clang-format off
        {[](CC&) {}, false, {{580, 1185, ""}}}, // a new configuration
        // Hall calls only, whatever else is set.
        {hallOnly, false, {{175, 167, "     "}, {384, 66, "  "}, {13, 1828, "  "},
                           {580, 1185, "LLAMADAS EXTERIORES"}}},
        {[](CC& c) { c.relayFunction[10] = 1; }, true, {{498, 557, "POT"}}},
        // Relay 10 is on the main board.
        {[](CC& c) { c.relayFunction[9] = 5; }, false, {{175, 1517, "AA/BV"}}},
        {[](CC& c) { c.optionFlags = 2 << 1; }, true, {}}, // supervision RS-422
        // Supervision TTL, 14 segments.
        {[](CC& c) { c.optionFlags = 3 << 1 | 8; }, false, {{384, 66, "M"}, {631, 66, "MID"}}},
        {system7, false,
         {{580, 1135, "SISTEMA: 00007"}, {580, 1185, "CABINA: 3"}, {411, 117, "DECENAS"}}},
        {[&](CC& c) { system7(c), c.relayFunction[12] = 2; }, true,
         {{990, 1685, "00007"}, {790, 1715, "CABINA:"}, {990, 1715, "3"}, {498, 845, "B/AV"}}},
        {[](CC& c) { c.screenSystem = 2; }, false, {{101, 1828, "PN"}, {131, 1828, ""}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        ControllerConfig config = MakeEmptyConfig();
        c.change(config);
        std::vector<LabelElement> label = Draw(config);
        EXPECT_EQ(NeedsExpansionBoard(config), c.expanded);
        // The title in large letters belongs to the basic layout, the footer to the other.
        EXPECT_EQ(TextAt(label, 580, 375), c.expanded ? "<none>" : "CONTROLADOR");
        EXPECT_EQ(TextAt(label, 323, 1685), c.expanded ? "CONTROLADOR ZRT94VK" : "<none>");
        for (const Place& p : c.texts)
            EXPECT_EQ(TextAt(label, p.x, p.y), p.text) << " at " << p.x << ", " << p.y;
    }
}

} // namespace
