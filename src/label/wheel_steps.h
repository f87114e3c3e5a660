#pragma once
// The mouse wheel in the label view, without a window: wheel deltas turned into whole steps
// (scroll lines, zoom steps), and a zoom step that keeps a point of the view where it is.
#include "label/view_state.h"

// One notch of an ordinary wheel; smooth-scrolling wheels and touch pads send fractions of it.
constexpr int kWheelNotch = 120;

// What is left over of the deltas of one wheel between steps.
struct WheelSteps {
    int pending = 0; // in 1/kWheelNotch of a step

    // The whole steps that `delta` completes, `perNotch` steps a notch (positive: the wheel
    // turned away from the user); the rest waits for the next delta. A turn the other way, or a
    // setting of no steps, drops what was waiting.
    int Take(int delta, int perNotch);
};

// One zoom step in or out that keeps the label point under the view's pixel `at` on that pixel,
// as far as the page's edges allow. False when the zoom did not change.
bool ZoomStepAt(ViewState& view, LabelPoint at, bool in);
