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

using Point = std::pair<int, int>;

LabelPoint Centre(const ViewState& v) {
    LabelRect c = v.VisibleRect();
    return {(c.left + c.right) / 2, (c.top + c.bottom) / 2};
}

// A step in and out is the Label scenario's.
TEST(LabelViewState, ZoomBounds) {
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

TEST(LabelViewState, CenterOnGoesAsFarAsTheScrollLimitsAllow) {
    ViewState v = View();
    v.zoomPercent = 400;
    v.CenterOn(515, 965);
    v.ClampScroll();
    EXPECT_TRUE(std::abs(Centre(v).x - 515) <= 1 && std::abs(Centre(v).y - 965) <= 1);
    v.CenterOn(1000, 1900);
    v.ClampScroll();
    EXPECT_EQ((Point{v.scrollX, v.scrollY}), (Point{kPageWidth - v.VisibleRect().Width(),
                                                    kPageHeight - v.VisibleRect().Height()}));
    v.CenterOn(-100, 0);
    v.ClampScroll();
    EXPECT_EQ((Point{v.scrollX, v.scrollY}), (Point{0, 0}));
}

} // namespace
