// The label of an arbitrary 256-byte image into the recording canvas: every stop count and every
// unterminated name must stay within the grids' labels and the image's slots.
#include "label/label_renderer.h"
#include "label/recording_canvas.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Allocated to size, so that a read past the image is caught.
    auto* image = static_cast<ControllerConfig*>(std::malloc(sizeof(ControllerConfig)));
    std::memset(image, 0, sizeof *image);
    std::memcpy(image, data, size < sizeof *image ? size : sizeof *image);
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), *image, "EMPRESA", "LINEA 2");
    for (const LabelElement& e : canvas.elements)
        if (e.x1 < 0 || e.x1 > 1000 || e.y1 < 0 || e.y1 > 1900) std::abort();
    std::free(image);
    return 0;
}
