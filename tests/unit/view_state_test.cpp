// The label view's arithmetic: zoom bounds, zooming in and out, clamping, centring.
#include "label/view_state.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A 1024 x 768 screen with square pixels and a view of 600 x 380 pixels.
ViewState View(int width = 600, int height = 380) {
    ViewState v;
    v.viewportExtX = 512;
    v.viewportExtY = 384;
    v.clientWidth = width;
    v.clientHeight = height;
    return v;
}

TEST(LabelViewState, AtZoom100TheWholePageFitsHalfTheScreen) {
    ViewState v = View();
    LabelPoint bottomRight = v.ToDevice({kPage.right, kPage.bottom});
    EXPECT_EQ(bottomRight.y, 384);
    EXPECT_LT(bottomRight.x, 512);
    EXPECT_NEAR(v.ToLabel(v.ToDevice({500, 700})).x, 500, 3); // a pixel is 6 units
}

TEST(LabelViewState, FitWidthShowsThePageWidthFromTheTop) {
    ViewState v = View();
    ASSERT_TRUE(v.FitLabelWidth());
    v.ClampScroll();
    LabelRect c = v.VisibleRect();
    EXPECT_NEAR(c.Width(), 1431, 4);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
    EXPECT_EQ(c.left, kPage.left);
    EXPECT_EQ(c.top, kPage.top);
}

TEST(LabelViewState, ZoomStaysWithinItsBounds) {
    ViewState v = View();
    EXPECT_TRUE(v.ZoomToRect({500, 500, 501, 501}));
    EXPECT_EQ(v.zoomPercent, kMaxZoomPercent);
    v.ZoomIn();
    EXPECT_EQ(v.zoomPercent, kMaxZoomPercent);
    EXPECT_TRUE(v.ZoomToRect({-90000, -90000, 90000, 90000}));
    EXPECT_EQ(v.zoomPercent, kMinZoomPercent);
    v.ZoomOut();
    EXPECT_EQ(v.zoomPercent, kMinZoomPercent);
    // An empty rectangle (a click without a drag) and a view of no size leave the zoom alone.
    EXPECT_FALSE(v.ZoomToRect({500, 500, 500, 900}));
    ViewState minimized = View(0, 0);
    EXPECT_FALSE(minimized.ZoomIn());
    EXPECT_EQ(minimized.zoomPercent, 100);
}

TEST(LabelViewState, ZoomInThenOutReturnsNearTheStart) {
    for (float start : {60.f, 100.f, 254.f, 1000.f}) {
        ViewState v = View();
        v.zoomPercent = start;
        v.scrollX = 300;
        v.scrollY = 700;
        v.ClampScroll();
        ASSERT_TRUE(v.ZoomIn());
        EXPECT_NEAR(v.zoomPercent, start * 1.2f, start * 0.02f);
        ASSERT_TRUE(v.ZoomOut());
        EXPECT_NEAR(v.zoomPercent, start, start * 0.02f);
    }
}

TEST(LabelViewState, AWindowLargerThanThePageCentresIt) {
    ViewState v = View(2000, 1500);
    v.zoomPercent = 50;
    v.scrollX = 200;
    v.scrollY = 300;
    v.ClampScroll();
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
    LabelRect c = v.VisibleRect();
    EXPECT_GT(c.Width(), kPageWidth);
    EXPECT_GT(c.Height(), kPageHeight);
    EXPECT_NEAR((c.left + c.right) / 2, (kPage.left + kPage.right) / 2, 2);
    EXPECT_NEAR((c.top + c.bottom) / 2, (kPage.top + kPage.bottom) / 2, 2);
    v.Scroll(true, ScrollAction::PageForward);
    v.Scroll(false, ScrollAction::ToEnd);
    v.ClampScroll();
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
}

TEST(LabelViewState, CenterOnGoesAsFarAsTheScrollLimitsAllow) {
    ViewState v = View();
    v.zoomPercent = 400;
    v.ClampScroll();
    LabelRect c = v.VisibleRect();
    v.CenterOn(515, 965);
    v.ClampScroll();
    c = v.VisibleRect();
    EXPECT_LE(std::abs((c.left + c.right) / 2 - 515), 1);
    EXPECT_LE(std::abs((c.top + c.bottom) / 2 - 965), 1);
    v.CenterOn(1000, 1900);
    v.ClampScroll();
    c = v.VisibleRect();
    EXPECT_EQ(v.scrollX, kPageWidth - c.Width());
    EXPECT_EQ(v.scrollY, kPageHeight - c.Height());
    v.CenterOn(-100, 0);
    v.ClampScroll();
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
}

TEST(LabelViewState, ScrollSteps) {
    const struct {
        bool vertical;
        ScrollAction action;
        float fraction; // of the visible size; 0: to the start
    } steps[] = {
        {true, ScrollAction::LineForward, 0.1f},  {true, ScrollAction::PageForward, 0.9f},
        {false, ScrollAction::LineForward, 0.1f}, {false, ScrollAction::PageForward, 0.9f},
        {true, ScrollAction::LineBack, -0.1f},    {false, ScrollAction::PageBack, -0.9f},
    };
    for (const auto& s : steps) {
        ViewState v = View();
        v.zoomPercent = 500;
        v.scrollX = v.scrollY = 400;
        v.ClampScroll();
        LabelRect c = v.VisibleRect();
        int size = s.vertical ? c.Height() : c.Width();
        v.Scroll(s.vertical, s.action);
        EXPECT_EQ(s.vertical ? v.scrollY : v.scrollX, 400 + (int)(s.fraction * size));
    }
}

} // namespace
