// The label view's arithmetic: zoom bounds, centring within the scroll limits, the mapping as
// the device makes it, and which texts it may leave out.
#include "label/view_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>
#ifdef _WIN32
#include "label/win32/label_view.h"
#include <random>
#endif

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

// The visible rectangle, a device point in label units and a label point in device units.
std::vector<int> Conversions(const ViewState& v, LabelPoint device, LabelPoint label) {
    LabelRect c = v.VisibleRect();
    LabelPoint l = v.ToLabel(device), d = v.ToDevice(label);
    return {c.left, c.top, c.right, c.bottom, l.x, l.y, d.x, d.y};
}

// Measured under Wine (1024 x 768 pixels, 271 x 203 mm): GDI fits this viewport twice (234 x 383;
// once gives 234 x 384) and converts in single precision (x -59.5 gives -60).
TEST(LabelViewState, MappingIsTheDevicesOwn) {
    ViewState v = View(638, 207);
    v.deviceMmX = 271, v.deviceMmY = 203, v.devicePixelsX = 1024, v.devicePixelsY = 768;
    v.zoomPercent = 729.868896f, v.scrollY = 1348, v.marginX = 667;
    EXPECT_EQ(Conversions(v, {969, 839}, {1275, 2056}),
              (std::vector<int>{-867, 1148, -335, 1320, -60, 1847, 2570, 1090}));
}

#ifdef _WIN32
// The same against the device context the view paints on, in 4000 random states.
TEST(LabelViewState, MappingIsTheDevicesOwnInRandomStates) {
    LabelView view;
    ViewState& s = view.state;
    HDC dc = CreateCompatibleDC(nullptr);
    s.deviceMmX = GetDeviceCaps(dc, HORZSIZE), s.deviceMmY = GetDeviceCaps(dc, VERTSIZE);
    s.devicePixelsX = GetDeviceCaps(dc, HORZRES), s.devicePixelsY = GetDeviceCaps(dc, VERTRES);
    std::mt19937 random(24);
    auto any = [&](int low, int high) { return low + (int)(random() % (high - low + 1)); };
    for (int i = 0; i < 4000; i++) {
        s.viewportExtX = i % 2 ? any(1, 1100) : 512, s.viewportExtY = i % 2 ? any(1, 800) : 384;
        s.zoomPercent = kMinZoomPercent * std::pow(160.0f, any(0, 99999) / 99999.0f);
        s.scrollX = any(-3000, 1430), s.scrollY = any(0, 2330);
        s.clientWidth = any(0, 1400), s.clientHeight = any(0, 999);
        POINT p[4] = {{0, 0}, {s.clientWidth, s.clientHeight}, {any(0, 1400), any(0, 999)}};
        p[3] = {any(-300, 2300), any(-300, 2300)};
        std::vector<int> model = Conversions(s, {p[2].x, p[2].y}, {p[3].x, p[3].y});
        view.ApplyViewMapping(dc);
        DPtoLP(dc, p, 3), LPtoDP(dc, p + 3, 1), SetMapMode(dc, MM_TEXT);
        ASSERT_EQ(model, (std::vector<int>{p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, p[3].x,
                                           p[3].y}))
            << "state " << i;
    }
    DeleteDC(dc);
}
#endif

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
