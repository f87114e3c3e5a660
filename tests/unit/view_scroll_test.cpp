// The label view's scroll steps: a line (arrows up, down) a tenth of the visible side, a page
// (arrows left, right) nine tenths; the ends are the page's. RefreshView clamps afterwards.
#include "label/view_state.h"

#include <gtest/gtest.h>

TEST(LabelViewScroll, StepsAreTenthsOfTheVisibleSide) {
    ViewState v;
    v.viewportExtX = 512, v.viewportExtY = 384, v.clientWidth = 600, v.clientHeight = 380;
    v.zoomPercent = 400;
    const int w = v.VisibleRect().Width(), h = v.VisibleRect().Height();
    const struct {
        bool vertical;
        ScrollAction action;
        int position;
    } cases[] = {
        {true, ScrollAction::LineBack, 500 - h / 10},
        {true, ScrollAction::LineForward, 500 + h / 10},
        {false, ScrollAction::PageBack, 500 - w * 9 / 10},
        {false, ScrollAction::PageForward, 500 + w * 9 / 10},
        {true, ScrollAction::PageForward, 500 + h * 9 / 10},
        {true, ScrollAction::ToStart, 0},
        {true, ScrollAction::ToEnd, kPageHeight},
        {false, ScrollAction::ToEnd, kPageWidth},
        {false, ScrollAction::Thumb, 321},
    };
    for (const auto& c : cases) {
        v.scrollX = v.scrollY = 500;
        v.Scroll(c.vertical, c.action, 321);
        EXPECT_EQ(c.vertical ? v.scrollY : v.scrollX, c.position) << &c - cases;
        EXPECT_EQ(c.vertical ? v.scrollX : v.scrollY, 500) << &c - cases;
    }
}
