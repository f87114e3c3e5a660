#pragma once
// The label view's arithmetic, without a window: the zoom, the scroll positions and the
// mapping from the view's pixels to label units. The page is the label with a 200-unit margin
// on every side and room for its 30-unit shadow; the view scrolls over it.
#include "label/label_canvas.h"

#include <cstdint>

struct LabelRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(LabelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
};

constexpr LabelRect kPage = {-200, -200, 1230, 2130};
constexpr int kPageWidth = 1430;
constexpr int kPageHeight = 2330;
constexpr float kMinZoomPercent = 50;
constexpr float kMaxZoomPercent = 8000;

// The isotropic mapping of the view: window origin and extent in label units, viewport extent
// in pixels once the device has fitted it to keep the units square; the viewport origin is 0.
struct ViewMapping {
    int windowOrgX, windowOrgY;
    int windowExtX, windowExtY;
    int viewportExtX, viewportExtY;
};

enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, ToStart, ToEnd, Thumb };

struct ViewState {
    int32_t scrollX = 0, scrollY = 0; // label units within the page
    float zoomPercent = 100;          // 50..8000
    int32_t marginX = 0, marginY = 0; // centring margins while the page is narrower (lower)
    bool dragging = false;
    bool cursorOverPage = false;
    LabelPoint dragStart{}, dragEnd{};
    // Half the screen's resolution: at zoom 100 the whole page fits into half the screen.
    int32_t viewportExtX = 1, viewportExtY = 1;
    // The device's size in millimetres and in pixels, whose ratio is the pixels' shape that the
    // isotropic fit weighs: square pixels unless set.
    int32_t deviceMmX = 1, deviceMmY = 1, devicePixelsX = 1, devicePixelsY = 1;
    int clientWidth = 0, clientHeight = 0; // pixels

    // The mapping as set on a device context (before the device's fit) and as in effect.
    ViewMapping RequestedMapping() const;
    ViewMapping Mapping() const;
    // Point conversions, to the pixel and the unit that DPtoLP and LPtoDP give on a device
    // context with this mapping.
    LabelPoint ToLabel(LabelPoint device) const;
    LabelPoint ToDevice(LabelPoint label) const;
    // The client area in label units, normalised.
    LabelRect VisibleRect() const;

    void ClampScroll();
    void CenterOn(int x, int y);
    // Zooms so that the rectangle fits the client area, and centres it. An empty rectangle
    // changes nothing and gives false.
    bool ZoomToRect(LabelRect r);
    bool FitLabelWidth();
    bool FitWholeLabel();
    bool ZoomIn();
    bool ZoomOut();
    void Scroll(bool vertical, ScrollAction action, int thumb = 0);

    // The rubber band's corners, normalised.
    LabelRect DragRect() const;
};

// A rectangle scaled by f about its centre, halves truncated.
LabelRect ScaleRect(LabelRect r, float f);

// Whether a text drawn by a label canvas may show in `visible`: along its line it is at most
// `length` cells of `height` long (no "Arial" letter is wider than its cell is high), across it
// one cell, and a cell is allowed on every side for the turn and the alignment.
bool TextMayShow(const LabelRect& visible, LabelPoint at, int height, LabelAlign align, bool up,
                 int length);
