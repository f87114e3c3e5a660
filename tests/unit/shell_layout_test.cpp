// Small arithmetic of the shell: status-bar parts, dialog and window placement, version texts.
#include "app/status_bar_layout.h"
#include "app/version_info.h"
#include "app/window_placement.h"
#include "base/dialog_position.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<int> Edges(std::vector<int> positions, int width) {
    int edges[kMaxStatusPositions + 1];
    int n = StatusPartEdges(positions.data(), (int)positions.size(), width, edges);
    return std::vector<int>(edges, edges + n);
}

TEST(StatusBarLayout, PartsKeepTheirWidthsFromTheRightEdge) {
    EXPECT_EQ(Edges({0, -140, -90}, 620), (std::vector<int>{480, 530, 595, -1}));
    // A position of zero or more is an edge from the left; the first position is never used.
    EXPECT_EQ(Edges({999, 0, -90}, 620), (std::vector<int>{0, 530, 595, -1}));
    EXPECT_EQ(Edges({0}, 620), (std::vector<int>{595, -1}));
}

TEST(DialogPosition, CentredAcrossAQuarterDown) {
    auto at = [](int w, int h, int dw, int dh) {
        DialogPosition p = CenteredDialogPosition(w, h, dw, dh);
        return std::to_string(p.x) + "," + std::to_string(p.y);
    };
    EXPECT_EQ(at(1024, 768, 300, 200), "362,142");
    // Larger than the desktop: negative, the fraction dropped towards zero.
    EXPECT_EQ(at(640, 480, 801, 487), "-80,-1");
}

TEST(WindowPlacement, RememberedRectangleWithoutOverflowAndOnAMonitorPresent) {
    const int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    // Two monitors side by side, the task bar at the bottom of the first.
    const WorkArea areas[] = {{0, 0, 1024, 728}, {1024, 0, 2304, 1024}};
    const struct {
        int32_t left, top, right, bottom;
        WindowBox box;
    } cases[] = {
        {10, 10, 630, 470, {10, 10, 620, 460}},
        {1500, 100, 2100, 600, {1500, 100, 600, 500}},   // on the second monitor
        {-600, 700, 1, 1100, {-600, 700, 601, 400}},     // one pixel on screen is enough
        {-600, 700, 0, 1100, {10, 10, 600, 400}},        // just off the left edge
        {2304, 100, 2904, 600, {10, 10, 600, 500}},      // just off the right edge
        {100, 728, 700, 1000, {10, 10, 600, 272}},       // under the first's work area
        {3000, 50, 3600, 500, {10, 10, 600, 450}},       // a third monitor, now gone
        {kMin, 10, 630, 470, {10, 10, 620, 460}},        // right - left overflows
        {10, 10, 10, 470, {10, 10, 620, 460}},           // no width
        {kMax - 100, 10, kMax, 470, {10, 10, 100, 460}}, // no room on the right
        {500, 400, 100, 300, {500, 400, 620, 460}},      // inside out: right before left
    };
    for (const auto& c : cases) {
        ProgramSettings s;
        s.left = c.left, s.top = c.top, s.right = c.right, s.bottom = c.bottom;
        WindowBox b = OpeningWindowBox(s, areas, 2);
        EXPECT_EQ((std::vector<int32_t>{b.x, b.y, b.width, b.height}),
                  (std::vector<int32_t>{c.box.x, c.box.y, c.box.width, c.box.height}))
            << c.left << "," << c.top << "," << c.right << "," << c.bottom;
    }
}

std::string Version(uint32_t flags, uint32_t ms = 0x00040002, uint32_t ls = 0x00010000,
                    int size = 64) {
    FixedVersionInfo v{};
    v.productVersionMS = ms;
    v.productVersionLS = ls;
    v.fileFlags = flags;
    char text[64];
    FormatVersionText(v, text, size);
    return text;
}

TEST(VersionInfo, VersionTextWithItsFlags) {
    EXPECT_EQ((std::vector<std::string>{Version(0), Version(1), Version(2), Version(3)}),
              (std::vector<std::string>{"4.2.1", "4.2.1 (D)", "4.2.1 Beta", "4.2.1 Beta (D)"}));
    EXPECT_EQ(Version(3, 0x00040002, 0x00010000, 8), "4.2.1 B"); // cut, never past the buffer
    // The about box's date is read with this query; nothing else shows it.
    char query[64];
    FormatVersionQuery(0xFFFF, 0xFFFF, "X", query, sizeof query);
    EXPECT_STREQ(query, "\\StringFileInfo\\FFFFFFFF\\X");
}

} // namespace
