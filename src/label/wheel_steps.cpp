#include "label/wheel_steps.h"

namespace {

// More than any system setting: a larger one would only overflow the sum.
constexpr int kMaxPerNotch = 1000;

} // namespace

int WheelSteps::Take(int delta, int perNotch) {
    if (perNotch <= 0) {
        pending = 0;
        return 0;
    }
    if (perNotch > kMaxPerNotch) perNotch = kMaxPerNotch;
    if ((delta > 0 && pending < 0) || (delta < 0 && pending > 0)) pending = 0;
    // A delta is a 16-bit value: the sum stays far from the limits of an int.
    pending += delta * perNotch;
    int steps = pending / kWheelNotch; // towards zero, so the rest keeps the delta's sign
    pending -= steps * kWheelNotch;
    return steps;
}

bool ZoomStepAt(ViewState& view, LabelPoint at, bool in) {
    float before = view.zoomPercent;
    LabelPoint held = view.ToLabel(at);
    if (!(in ? view.ZoomIn() : view.ZoomOut())) return false;
    view.ClampScroll();
    LabelPoint now = view.ToLabel(at);
    view.scrollX += held.x - now.x;
    view.scrollY += held.y - now.y;
    view.ClampScroll();
    return view.zoomPercent != before;
}
