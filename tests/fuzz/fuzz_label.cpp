// The label of an arbitrary 256-byte image into the recording canvas: every stop count and every
// unterminated name must stay within the grids' labels and the image's slots, and everything
// drawn within the label's 1000 x 1900 units. A stop name shows at most the first 3 characters of
// its slot, up to a terminator: the slots' last bytes hold a marker that is never drawn unless a
// name was read past them, as strlen would on an unterminated slot.
#include "label/label_renderer.h"
#include "label/recording_canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Allocated to size, so that a read past the image is caught.
    auto* image = static_cast<ControllerConfig*>(std::calloc(1, sizeof(ControllerConfig)));
    std::memcpy(image, data, size < sizeof *image ? size : sizeof *image);
    const char kMarker = '\x7f';
    for (auto& slot : image->stopNames) {
        std::replace(slot, slot + kStopNameSize - 1, kMarker, '?');
        slot[kStopNameSize - 1] = kMarker;
    }
    static RecordingCanvas canvas; // cleared, it records again without allocating
    canvas.Clear();
    DrawLabel(canvas.Canvas(), *image, "EMPRESA", "LINEA 2");
    auto outside = [](int x, int y) { return x < 0 || x > 1000 || y < 0 || y > 1900; };
    for (const LabelElement& e : canvas.elements) {
        bool out = outside(e.x1, e.y1);
        if (e.kind == LabelElement::Box) out = out || outside(e.x2, e.y2);
        if (e.kind == LabelElement::Disc)
            out = out || outside(e.x1 - e.x2, e.y1 - e.x2) || outside(e.x1 + e.x2, e.y1 + e.x2);
        bool line = e.kind == LabelElement::Polyline || e.kind == LabelElement::Polygon;
        for (int i = 0; line && i < e.pointCount; ++i)
            out = out || outside(e.points[i].x, e.points[i].y);
        if (out || (e.kind == LabelElement::Text && std::strchr(e.text, kMarker))) std::abort();
    }
    std::free(image);
    return 0;
}
