// The label view's arithmetic: zoom bounds, centring within the scroll limits, and which texts
// it may leave out.
#include "label/view_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

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

// Mappings as GDI sets them up and converts with them, measured under Wine on a 1024 x 768 screen
// of 271 x 203 mm. The first is fitted twice (once is 235 x 384); in the second a point falls on
// a half (y 1440.5), which GDI's single-precision transform rounds down.
TEST(LabelViewState, MappingIsTheDevicesOwn) {
    // clang-format off
    const struct {
        float zoom;
        int scrollX, scrollY, marginX, width, height, viewportX, viewportY;
        LabelRect visible;
        LabelPoint device, itsLabel, label, itsDevice;
    } kRows[] = {
        {51.527195f, 1075, 1070, 0, 230, 848, 235, 383, {875, 870, 3591, 10880},
         {1373, 108}, {17088, 2145}, {21, 628}, {-72, -21}},
        {321.947632f, 0, 74, 394, 497, 617, 236, 384, {-594, -126, 341, 1036},
         {727, 832}, {774, 1440}, {-120, 850}, {252, 518}},
    };
    // clang-format on
    for (const auto& r : kRows) {
        ViewState v = View(r.width, r.height);
        v.deviceMmX = 271, v.deviceMmY = 203, v.devicePixelsX = 1024, v.devicePixelsY = 768;
        v.zoomPercent = r.zoom;
        v.scrollX = r.scrollX, v.scrollY = r.scrollY, v.marginX = r.marginX;
        ViewMapping m = v.Mapping();
        LabelRect c = v.VisibleRect();
        LabelPoint label = v.ToLabel(r.device), device = v.ToDevice(r.label);
        EXPECT_EQ((Point{m.viewportExtX, m.viewportExtY}), (Point{r.viewportX, r.viewportY}));
        EXPECT_EQ(
            (std::vector<int>{c.left, c.top, c.right, c.bottom, label.x, label.y, device.x,
                              device.y}),
            (std::vector<int>{r.visible.left, r.visible.top, r.visible.right, r.visible.bottom,
                              r.itsLabel.x, r.itsLabel.y, r.itsDevice.x, r.itsDevice.y}))
            << "zoom " << r.zoom;
    }
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
