#include "app/window_placement.h"

namespace {

int32_t Extent(int32_t from, int32_t to, int32_t fallback) {
    int64_t extent = (int64_t)to - from;
    return extent > 0 && extent <= INT32_MAX ? (int32_t)extent : fallback;
}

bool Meets(const WindowBox& box, const WorkArea& area) {
    return box.x < area.right && (int64_t)box.x + box.width > area.left && box.y < area.bottom &&
           (int64_t)box.y + box.height > area.top;
}

} // namespace

WindowBox OpeningWindowBox(const ProgramSettings& s, const WorkArea* areas, int count) {
    const ProgramSettings defaults;
    WindowBox box{s.left, s.top, Extent(s.left, s.right, defaults.right - defaults.left),
                  Extent(s.top, s.bottom, defaults.bottom - defaults.top)};
    bool onScreen = count <= 0;
    for (int i = 0; i < count && !onScreen; ++i)
        onScreen = Meets(box, areas[i]);
    if (!onScreen) {
        box.x = defaults.left;
        box.y = defaults.top;
    }
    return box;
}
