#pragma once
// Where the main window opens. Its rectangle comes from the settings file, which anyone may edit
// and which may hold any 32-bit values, and the monitor it was last on may be gone.
#include "app/program_settings.h"

#include <cstdint>

struct WindowBox {
    int32_t x, y, width, height;
};

// A monitor's work area (the screen less the task bar), in screen pixels.
struct WorkArea {
    int32_t left, top, right, bottom;
};

// The remembered rectangle as a position and a size, worked out in 64 bits. A width or height
// that is not positive or does not fit in 32 bits takes the default one; a box that meets none of
// the `areas` (the work areas of the monitors present) goes to the default position. Without
// areas the position is kept.
WindowBox OpeningWindowBox(const ProgramSettings& remembered, const WorkArea* areas, int count);
