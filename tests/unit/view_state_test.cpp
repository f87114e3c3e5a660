// The label view's arithmetic: zoom bounds, centring within the scroll limits, and which texts
// it may leave out.
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

// A double click centres its point, as far as the page's edges allow.
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

// A text of 5 cells of 10 at (100, 500) covers x 100..150 (left), 50..100 (right) or 75..125
// (centre); read upwards it covers y 450..500 (left), 500..550 (right). One cell is spared.
TEST(LabelViewState, TextsLeftOutLieWhollyOutsideTheView) {
    const struct {
        LabelRect visible;
        LabelAlign align;
        bool up;
        bool mayShow;
    } kRows[] = {
        {{155, 0, 300, 1000}, LabelAlign::Left, false, true},
        {{165, 0, 300, 1000}, LabelAlign::Left, false, false},
        {{0, 0, 45, 1000}, LabelAlign::Right, false, true},
        {{135, 0, 300, 1000}, LabelAlign::Centre, false, true},
        {{0, 515, 300, 1000}, LabelAlign::Left, false, false},
        {{0, 0, 300, 435}, LabelAlign::Left, true, false},
        {{0, 0, 300, 445}, LabelAlign::Left, true, true},
        {{0, 555, 300, 1000}, LabelAlign::Right, true, true},
        {{115, 0, 300, 1000}, LabelAlign::Left, true, false},
    };
    for (const auto& r : kRows)
        EXPECT_EQ(TextMayShow(r.visible, {100, 500}, 10, r.align, r.up, 5), r.mayShow)
            << r.visible.left << "," << r.visible.top << " " << (int)r.align << " up " << r.up;
}

} // namespace
