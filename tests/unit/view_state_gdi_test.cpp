// The label view's arithmetic against the device context it paints on: for random zooms,
// positions and sizes, the mapping the view sets and GDI's own conversions give what the
// portable model computes. Runs where GDI is, in the cross-built tests under Wine.
#ifdef _WIN32
#include "label/win32/label_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace {

TEST(LabelViewStateOnGdi, ModelAgreesWithTheDeviceContext) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(dc);
    LabelView view;
    ViewState& s = view.state;
    s.deviceMmX = GetDeviceCaps(dc, HORZSIZE);
    s.deviceMmY = GetDeviceCaps(dc, VERTSIZE);
    s.devicePixelsX = GetDeviceCaps(dc, HORZRES);
    s.devicePixelsY = GetDeviceCaps(dc, VERTRES);
    std::mt19937 random(24);
    auto any = [&](int low, int high) {
        return std::uniform_int_distribution<>(low, high)(random);
    };
    int disagreements = 0;
    std::ostringstream first;
    for (int i = 0; i < 4000; i++) { // a second a thousand under Wine
        // Mostly the view's own viewport extent, half the screen; sometimes any.
        s.viewportExtX = i % 4 ? s.devicePixelsX / 2 : any(1, 1500);
        s.viewportExtY = i % 4 ? s.devicePixelsY / 2 : any(1, 1500);
        s.zoomPercent = kMinZoomPercent * std::pow(kMaxZoomPercent / kMinZoomPercent,
                                                   std::uniform_real_distribution<float>()(random));
        s.scrollX = any(0, kPageWidth), s.scrollY = any(0, kPageHeight);
        s.marginX = any(0, 3) ? 0 : any(0, 3000), s.marginY = any(0, 3) ? 0 : any(0, 3000);
        s.clientWidth = any(0, 1400), s.clientHeight = any(0, 1000);
        view.ApplyViewMapping(dc);
        SIZE viewport, window;
        GetViewportExtEx(dc, &viewport);
        GetWindowExtEx(dc, &window);
        POINT corners[] = {{0, 0}, {s.clientWidth, s.clientHeight}};
        DPtoLP(dc, corners, 2);
        POINT device = {any(-100, 1500), any(-100, 1100)},
              label = {any(-300, 2300), any(-300, 2300)};
        LabelPoint toLabel = s.ToLabel({device.x, device.y}),
                   toDevice = s.ToDevice({label.x, label.y});
        DPtoLP(dc, &device, 1);
        LPtoDP(dc, &label, 1);
        SetMapMode(dc, MM_TEXT);
        ViewMapping m = s.Mapping();
        LabelRect v = s.VisibleRect();
        bool agree = m.viewportExtX == viewport.cx && m.viewportExtY == viewport.cy &&
                     m.windowExtX == window.cx && m.windowExtY == window.cy &&
                     v.left == std::min(corners[0].x, corners[1].x) &&
                     v.right == std::max(corners[0].x, corners[1].x) &&
                     v.top == std::min(corners[0].y, corners[1].y) &&
                     v.bottom == std::max(corners[0].y, corners[1].y) && toLabel.x == device.x &&
                     toLabel.y == device.y && toDevice.x == label.x && toDevice.y == label.y;
        if (!agree && disagreements++ < 5)
            first << "\nzoom " << s.zoomPercent << " scroll " << s.scrollX << "," << s.scrollY
                  << " margin " << s.marginX << "," << s.marginY << " client " << s.clientWidth
                  << "x" << s.clientHeight << ": viewport " << m.viewportExtX << "x"
                  << m.viewportExtY << " (GDI " << viewport.cx << "x" << viewport.cy
                  << "), visible " << v.left << "," << v.top << "-" << v.right << "," << v.bottom
                  << " (GDI " << corners[0].x << "," << corners[0].y << "-" << corners[1].x << ","
                  << corners[1].y << ")";
    }
    DeleteDC(dc);
    EXPECT_EQ(disagreements, 0) << first.str();
}

} // namespace
#endif
