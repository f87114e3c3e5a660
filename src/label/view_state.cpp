#include "label/view_state.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kZoomPasses = 20;

int Round(double v) {
    return (int)std::floor(v + 0.5);
}

LabelRect Normalised(LabelPoint a, LabelPoint b) {
    return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x,
            a.y < b.y ? b.y : a.y};
}

} // namespace

LabelRect ScaleRect(LabelRect r, float f) {
    int w = (int)((float)r.Width() * f);
    int h = (int)((float)r.Height() * f);
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    return {cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
}

ViewMapping ViewState::RequestedMapping() const {
    ViewMapping m;
    m.windowExtX = (int)(100.0f / zoomPercent * (float)kPageWidth);
    m.windowExtY = (int)(100.0f / zoomPercent * (float)kPageHeight);
    m.windowOrgX = scrollX - marginX + kPage.left;
    m.windowOrgY = scrollY - marginY + kPage.top;
    m.viewportExtX = viewportExtX;
    m.viewportExtY = viewportExtY;
    return m;
}

// The device keeps the units square by shrinking the viewport extent of the axis that would
// scale more. Measured under Wine: SetViewportExtEx fits the extent, and SetViewportOrgEx, which
// follows it in the view's mapping, fits the fitted extent once more; the second fit changes it
// by a pixel in about one mapping in three.
ViewMapping ViewState::Mapping() const {
    ViewMapping m = RequestedMapping();
    if (m.windowExtX == 0 || m.windowExtY == 0 || m.viewportExtX == 0 || m.viewportExtY == 0 ||
        deviceMmX <= 0 || deviceMmY <= 0 || devicePixelsX <= 0 || devicePixelsY <= 0)
        return m;
    for (int fit = 0; fit < 2; fit++) {
        double xdim =
            std::fabs((double)m.viewportExtX * deviceMmX / ((double)devicePixelsX * m.windowExtX));
        double ydim =
            std::fabs((double)m.viewportExtY * deviceMmY / ((double)devicePixelsY * m.windowExtY));
        if (xdim > ydim) {
            m.viewportExtX = Round(m.viewportExtX * ydim / xdim);
            if (m.viewportExtX == 0) m.viewportExtX = 1;
        } else {
            m.viewportExtY = Round(m.viewportExtY * xdim / ydim);
            if (m.viewportExtY == 0) m.viewportExtY = 1;
        }
    }
    return m;
}

namespace {

// The mapping as GDI transforms points (measured under Wine): scale and offset of each axis held
// in single precision, the way back their inverse, also in single precision; each point is
// transformed in double precision and rounded half up. Exact arithmetic differs from it by a
// unit in about one conversion in 300, where a point falls on a half.
struct Transform {
    float scaleX, scaleY, offsetX, offsetY;
};

Transform ToDeviceTransform(const ViewMapping& m) {
    double sx = (double)m.viewportExtX / m.windowExtX, sy = (double)m.viewportExtY / m.windowExtY;
    return {(float)sx, (float)sy, (float)(-sx * m.windowOrgX), (float)(-sy * m.windowOrgY)};
}

Transform ToLabelTransform(const ViewMapping& m) {
    Transform t = ToDeviceTransform(m);
    float determinant = t.scaleX * t.scaleY;
    float scaleX = (float)(t.scaleY / (double)determinant);
    float scaleY = (float)(t.scaleX / (double)determinant);
    return {scaleX, scaleY, -t.offsetX * scaleX, -t.offsetY * scaleY};
}

LabelPoint Apply(const Transform& t, LabelPoint p) {
    return {Round((double)p.x * t.scaleX + t.offsetX), Round((double)p.y * t.scaleY + t.offsetY)};
}

} // namespace

LabelPoint ViewState::ToLabel(LabelPoint d) const {
    return Apply(ToLabelTransform(Mapping()), d);
}

LabelPoint ViewState::ToDevice(LabelPoint p) const {
    return Apply(ToDeviceTransform(Mapping()), p);
}

LabelRect ViewState::VisibleRect() const {
    return Normalised(ToLabel({0, 0}), ToLabel({clientWidth, clientHeight}));
}

void ViewState::ClampScroll() {
    LabelRect c = VisibleRect();
    int w = c.Width(), h = c.Height();
    if (scrollY > kPageHeight - h) scrollY = kPageHeight - h;
    if (scrollX > kPageWidth - w) scrollX = kPageWidth - w;
    if (scrollX < 0) scrollX = 0;
    if (scrollY < 0) scrollY = 0;
    marginX = w > kPageWidth ? (w - kPageWidth) / 2 : 0;
    marginY = h > kPageHeight ? (h - kPageHeight) / 2 : 0;
}

void ViewState::CenterOn(int x, int y) {
    LabelRect c = VisibleRect();
    scrollX += x - (c.left + c.right) / 2;
    scrollY += y - (c.top + c.bottom) / 2;
}

bool ViewState::ZoomToRect(LabelRect r) {
    float w0 = (float)std::abs(r.Width()), h0 = (float)std::abs(r.Height());
    // Nothing to fit (a click without a drag, a client area of no size): no zoom to compute.
    if (w0 == 0 || h0 == 0) return false;
    int passes = kZoomPasses;
    for (;;) {
        ClampScroll();
        LabelRect c = VisibleRect();
        float old = zoomPercent;
        float zx = (float)std::abs(c.Width()) * zoomPercent / w0;
        float zy = (float)std::abs(c.Height()) * zoomPercent / h0;
        zoomPercent = zx < zy ? zx : zy;
        bool goOn = true;
        if (zoomPercent > kMaxZoomPercent) zoomPercent = kMaxZoomPercent, goOn = false;
        if (zoomPercent < kMinZoomPercent) zoomPercent = kMinZoomPercent, goOn = false;
        if (--passes < 0) goOn = false;
        if (std::fabs(old - zoomPercent) <= 0.1f || !goOn) break;
    }
    CenterOn((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

bool ViewState::FitLabelWidth() {
    return ZoomToRect({-200, 0, 1231, 10});
}

bool ViewState::FitWholeLabel() {
    return ZoomToRect({-200, -200, 1231, 2131});
}

bool ViewState::ZoomIn() {
    return ZoomToRect(ScaleRect(VisibleRect(), 0.8333333f));
}

bool ViewState::ZoomOut() {
    return ZoomToRect(ScaleRect(VisibleRect(), 1.2f));
}

void ViewState::Scroll(bool vertical, ScrollAction action, int thumb) {
    LabelRect c = VisibleRect();
    float d = (float)(vertical ? c.Height() : c.Width());
    int32_t& position = vertical ? scrollY : scrollX;
    switch (action) {
    case ScrollAction::LineBack: position += (int)(-0.1f * d); break;
    case ScrollAction::LineForward: position += (int)(0.1f * d); break;
    case ScrollAction::PageBack: position += (int)(-0.9f * d); break;
    case ScrollAction::PageForward: position += (int)(0.9f * d); break;
    case ScrollAction::ToStart: position = 0; break;
    case ScrollAction::ToEnd: position = vertical ? kPageHeight : kPageWidth; break;
    case ScrollAction::Thumb: position = thumb; break;
    }
}

LabelRect ViewState::DragRect() const {
    return Normalised(dragStart, dragEnd);
}

bool TextMayShow(const LabelRect& visible, LabelPoint at, int height, LabelAlign align, bool up,
                 int length) {
    // Where the line starts and ends, counted along its reading direction from `at`.
    int64_t along = int64_t(length) * height;
    int64_t start = align == LabelAlign::Left    ? 0
                    : align == LabelAlign::Right ? -along
                                                 : -along / 2;
    int64_t end = start + along;
    int64_t left = at.x - height, right = at.x + height, top = at.y - height,
            bottom = at.y + height;
    if (up) { // reads upwards: the line runs towards smaller y
        top -= end;
        bottom -= start;
    } else {
        left += start;
        right += end;
    }
    return left <= visible.right && right >= visible.left && top <= visible.bottom &&
           bottom >= visible.top;
}
