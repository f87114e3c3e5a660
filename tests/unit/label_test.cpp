// The controller label, read back from a recording canvas: the call terminal grids, the layout
// switches, and images whose stop count and names a file may fill with anything.
#include "label/call_grid.h"
#include "label/label_renderer.h"
#include "label/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// Screw j of a 241-long strip of 8 stands this far below the strip's first screw.
constexpr int kScrewOffsets[8] = {0, 30, 60, 90, 120, 150, 180, 210};
constexpr int kStripTops[6] = {160, 411, 663, 915, 1166, 1418};

std::vector<LabelElement> Draw(const ControllerConfig& c) {
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), c, "BRIVALT", "S.A.");
    return canvas.elements;
}

ControllerConfig Config(int function, int type, int stops) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = (uint8_t)function;
    c.controlType = (uint8_t)type;
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

// Brackets of a grid: the caption, the top and the height of each, in drawing order.
std::vector<std::string> Brackets(const std::vector<LabelElement>& elements, int x) {
    std::vector<std::string> found;
    for (size_t i = 0; i + 1 < elements.size(); ++i) {
        const LabelElement& line = elements[i];
        if (line.kind != LabelElement::Polyline || line.points[1].x != x) continue;
        int top = line.points[1].y, height = line.points[2].y - top;
        const LabelElement& caption = elements[i + 1];
        EXPECT_TRUE(caption.up && caption.x1 == x - 30 && caption.y1 == top + height - 12);
        found.push_back(std::string(caption.text) + " " + std::to_string(top) + "/" +
                        std::to_string(height));
    }
    return found;
}

// Terminals `from` down to `to` carry the names of stops `first`, first + 1, ...
struct Run {
    int from, to, first;
};

std::vector<std::string> Expected(std::initializer_list<Run> runs, std::vector<int> blanks) {
    std::vector<std::string> texts(kCallTerminals, "");
    for (const Run& r : runs)
        for (int t = r.from, stop = r.first; t >= r.to; --t, ++stop)
            texts[t] = std::to_string(stop);
    for (int t : blanks)
        texts[t] = "  ";
    return texts;
}

TEST(LabelCallGrid, EveryFunctionAndControlType) {
    const char* up = "LLAMADAS ASCENDENTES";
    const char* down = "LLAMADAS DESCENDENTES";
    const char* cabin = "LLAMADAS DE CABINA";
    const char* hall = "LLAMADAS EXTERNAS";
    auto B = [](const char* caption, const char* where) { return std::string(caption) + where; };
    const struct {
        ControllerConfig config;
        std::vector<std::string> grid, brackets, expansion, expansionBrackets;
    } cases[] = {
        // Hall calls only: the top stop has no up call, the lowest no down call.
        {Config(0, 3, 8),
         Expected({{23, 17, 1}, {46, 40, 2}}, {}),
         {B(up, " 160/745"), B(down, " 915/745")},
         {},
         {}},
        {Config(2, 1, 8),
         Expected({{23, 16, 1}, {47, 40, 1}}, {}),
         {B(hall, " 160/745"), B(cabin, " 915/745")},
         {},
         {}},
        {Config(1, 0, 3),
         Expected({{23, 21, 1}, {47, 45, 1}}, {}),
         {B(hall, " 160/745"), B(cabin, " 915/745")},
         {},
         {}},
        {Config(2, 2, 24),
         Expected({{23, 0, 1}, {47, 24, 1}}, {}),
         {B(hall, " 160/745"), B(cabin, " 915/745")},
         {},
         {}},
        {Config(1, 3, 16),
         Expected({{15, 1, 1}, {30, 16, 2}, {47, 32, 1}}, {}),
         {B(up, " 160/493"), B(down, " 663/493"), B(cabin, " 1166/493")},
         {},
         {}},
        // The up calls of type 4 move to the expansion board.
        {Config(1, 4, 24),
         Expected({{22, 0, 2}, {47, 24, 1}}, {23}),
         {B(down, " 160/745"), B(cabin, " 915/745")},
         Expected({{47, 25, 1}}, {24}),
         {B(up, " 915/745")}},
        {Config(3, 4, 8),
         Expected({{22, 16, 2}, {47, 40, 1}}, {23}),
         {B(down, " 160/745"), B(cabin, " 915/745")},
         Expected({{47, 41, 1}}, {40}),
         {B(up, " 915/745")}},
        // Type 5: up calls at the three lowest stops only.
        {Config(3, 5, 2),
         Expected({{47, 46, 1}, {24, 24, 2}, {2, 1, 1}}, {}),
         {B("ASC.", " 160/90"), B(down, " 250/694"), B(cabin, " 945/714")},
         {},
         {}},
        {Config(3, 5, 23),
         Expected({{47, 25, 1}, {24, 3, 2}, {2, 0, 1}}, {}),
         {B("ASC.", " 160/90"), B(down, " 250/694"), B(cabin, " 945/714")},
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "function " << (int)c.config.controllerFunction << ", type "
                     << (int)c.config.controlType << ", " << (int)c.config.stopCount << " stops");
        std::vector<LabelElement> label = Draw(c.config);
        EXPECT_EQ(GridTexts(label, 922), c.grid);
        EXPECT_EQ(Brackets(label, 870), c.brackets);
        EXPECT_EQ(NeedsExpansionBoard(c.config), !c.expansion.empty());
        if (!c.expansion.empty()) {
            EXPECT_EQ(GridTexts(label, 745), c.expansion);
            EXPECT_EQ(Brackets(label, 693), c.expansionBrackets);
        }
    }
}

const LabelElement* FindText(const std::vector<LabelElement>& elements, int x, int y) {
    for (const LabelElement& e : elements)
        if (e.kind == LabelElement::Text && e.x1 == x && e.y1 == y) return &e;
    return nullptr;
}

std::string TextAt(const std::vector<LabelElement>& elements, int x, int y) {
    const LabelElement* e = FindText(elements, x, y);
    return e ? e->text : "<none>";
}

bool HasExpansionFrame(const std::vector<LabelElement>& elements) {
    for (const LabelElement& e : elements)
        if (e.kind == LabelElement::Box && e.x1 == 323 && e.y1 == 150 && e.x2 == 823 &&
            e.y2 == 1670 && e.pen.width == 6)
            return true;
    return false;
}

TEST(LabelLayout, ExpansionBoardSwitches) {
    const struct {
        const char* what;
        std::function<void(ControllerConfig&)> change;
        bool expanded;
    } cases[] = {
        {"new configuration", [](ControllerConfig&) {}, false},
        {"relay 11", [](ControllerConfig& c) { c.relayFunction[10] = 1; }, true},
        {"relay 18", [](ControllerConfig& c) { c.relayFunction[17] = 5; }, true},
        {"relay 10 is on the main board", [](ControllerConfig& c) { c.relayFunction[9] = 5; },
         false},
        {"supervision RS-232C", [](ControllerConfig& c) { c.optionFlags = 1 << 1; }, true},
        {"supervision RS-422", [](ControllerConfig& c) { c.optionFlags = 2 << 1; }, true},
        {"supervision TTL", [](ControllerConfig& c) { c.optionFlags = 3 << 1 | 9; }, false},
        {"type 4", [](ControllerConfig& c) { c.controlType = 4; }, true},
        {"hall calls only, whatever else",
         [](ControllerConfig& c) {
             c.controllerFunction = 0, c.controlType = 4, c.optionFlags = 2;
             c.relayFunction[10] = 1;
         },
         false},
    };
    for (const auto& c : cases) {
        ControllerConfig config = MakeEmptyConfig();
        c.change(config);
        std::vector<LabelElement> label = Draw(config);
        EXPECT_EQ(NeedsExpansionBoard(config), c.expanded) << c.what;
        EXPECT_EQ(HasExpansionFrame(label), c.expanded) << c.what;
        // The title in large letters belongs to the basic layout, the footer to the other.
        EXPECT_EQ(TextAt(label, 580, 400 - 25), c.expanded ? "<none>" : "CONTROLADOR") << c.what;
        EXPECT_EQ(TextAt(label, 323, 1700 - 15), c.expanded ? "CONTROLADOR ZRT94VK" : "<none>")
            << c.what;
    }
}

TEST(LabelLayout, TextsThatFollowTheConfiguration) {
    // A hall-call controller: blank relay names and terminal labels, no cabin.
    std::vector<LabelElement> hall = Draw(Config(0, 0, 8));
    EXPECT_EQ(TextAt(hall, 175, 150 + 32 - 15), "     ");
    EXPECT_EQ(TextAt(hall, 381 + 3, 10 + 68 - 12), "  ");
    EXPECT_EQ(TextAt(hall, 10 + 3, 1840 - 12), "  ");
    EXPECT_EQ(TextAt(hall, 580, 1200 - 15), "LLAMADAS EXTERIORES");

    ControllerConfig c = Config(1, 0, 8);
    c.systemNumber = 7;
    c.cabinNumber = 3;
    c.relayFunction[0] = 1;
    std::vector<LabelElement> basic = Draw(c);
    EXPECT_EQ(TextAt(basic, 175, 150 + 32 - 15), "POT");
    EXPECT_EQ(TextAt(basic, 580, 1150 - 15), "SISTEMA: 00007");
    EXPECT_EQ(TextAt(basic, 580, 1200 - 15), "CABINA: 3");
    EXPECT_EQ(TextAt(basic, 411, 110 + 19 - 12), "DECENAS");
    c.relayFunction[12] = 2;
    std::vector<LabelElement> expanded = Draw(c);
    EXPECT_EQ(TextAt(expanded, 990, 1700 - 15), "00007");
    EXPECT_EQ(TextAt(expanded, 790, 1730 - 15), "CABINA:");
    EXPECT_EQ(TextAt(expanded, 990, 1730 - 15), "3");
    EXPECT_EQ(TextAt(expanded, 498, 828 + 32 - 15), "B/AV"); // relay 13

    // Screen systems 2 and 3 wire PN in place of PAS and leave PAD unused.
    for (int screen : {1, 2, 3, 4}) {
        c.screenSystem = (uint8_t)screen;
        std::vector<LabelElement> label = Draw(c);
        bool pn = screen == 2 || screen == 3;
        EXPECT_EQ(TextAt(label, 10 + 3 + 88, 1840 - 12), pn ? "PN" : "PAS") << screen;
        EXPECT_EQ(TextAt(label, 10 + 3 + 118, 1840 - 12), pn ? "" : "PAD") << screen;
    }
}

TEST(LabelLayout, EighthScrewOfACallStripSitsAt225) {
    std::vector<LabelElement> label = Draw(Config(2, 0, 8));
    std::vector<int> screws;
    for (const LabelElement& e : label)
        if (e.kind == LabelElement::Disc && e.x1 == 935 + 25 && e.y1 < 411) screws.push_back(e.y1);
    EXPECT_EQ(screws, (std::vector<int>{175, 205, 235, 265, 295, 325, 355, 385}));
    EXPECT_NE(FindText(label, 922, 385 - 12), nullptr) << "its label at the same height";
}

// A file may hold any stop count and names without their terminators: the grid takes the stops
// that fit, each name within its slot, and everything stays on the label.
TEST(LabelLayout, ImpossibleStopCountsAndUnterminatedNamesStayInside) {
    for (int function : {0, 2})
        for (int type = 0; type <= 6; ++type)
            for (int stops : {30, 255}) {
                ControllerConfig c = Config(function, type, stops);
                std::memset(c.stopNames, 'W', sizeof c.stopNames);
                SCOPED_TRACE(testing::Message() << function << "/" << type << "/" << stops);
                std::vector<LabelElement> label = Draw(c);
                for (const LabelElement& e : label)
                    EXPECT_TRUE(e.x1 >= 0 && e.x1 <= 1000 && e.y1 >= 0 && e.y1 <= 1900);
                for (const std::string& t : GridTexts(label, 922))
                    EXPECT_TRUE(t == "" || t == "  " || t == "WWW") << t;
            }
}

} // namespace
