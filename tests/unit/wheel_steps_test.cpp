// The wheel in the label view: deltas to whole steps, and the Ctrl+wheel zoom about the pointer.
#include "label/wheel_steps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

// Each row: the steps a notch, the deltas in turn, and the steps each gives.
TEST(LabelWheel, DeltasAddUpToWholeSteps) {
    const struct {
        int perNotch;
        std::vector<int> deltas, steps;
    } kRows[] = {
        {3, {120, 120, -120}, {3, 3, -3}},
        {1, {40, 40, 39, 1}, {0, 0, 0, 1}},         // a smooth wheel's thirds
        {1, {100, -100, -20}, {0, 0, -1}},          // a turn back drops the rest
        {3, {600, -240}, {15, -6}},                 // fast spins: several notches at once
        {0, {120, 120}, {0, 0}},                    // the system says: no scrolling
        {1, {60, 0, 60}, {0, 0, 1}},                // nothing turned keeps the rest
        {5000, {32767, -32768}, {273058, -273066}}, // settings beyond reason are capped
        {2, {90, 90}, {1, 2}},                      // 60 left over, then 240 of two steps
    };
    for (const auto& r : kRows) {
        WheelSteps sum;
        std::vector<int> got;
        for (int d : r.deltas)
            got.push_back(sum.Take(d, r.perNotch));
        EXPECT_EQ(got, r.steps) << "per notch " << r.perNotch << ", first delta " << r.deltas[0];
    }
}

// The label point under the pointer stays under it, in and out, away from the page's edges.
TEST(LabelWheel, ZoomStepKeepsThePointUnderThePointer) {
    ViewState v;
    v.viewportExtX = 512, v.viewportExtY = 384, v.clientWidth = 600, v.clientHeight = 380;
    v.zoomPercent = 300;
    v.CenterOn(515, 965);
    v.ClampScroll();
    const LabelPoint at = {150, 100};
    const LabelPoint held = v.ToLabel(at);
    for (bool in : {true, true, false, false}) {
        ASSERT_TRUE(ZoomStepAt(v, at, in));
        LabelPoint now = v.ToLabel(at);
        EXPECT_TRUE(std::abs(now.x - held.x) <= 3 && std::abs(now.y - held.y) <= 3)
            << v.zoomPercent;
    }
}

} // namespace
