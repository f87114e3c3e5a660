// The editor over an arbitrary image, as a file or a controller may hand it over: each page in
// the sheet's order is filled, some of its lists are set as the fuzzer's bytes choose, and it is
// left. Whatever the image held, a sheet accepted with OK must give an image the document takes:
// 2 to 24 stops and a served range inside them.
#include "fake_page.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void ExpectDocumentTakes(const ControllerConfig& image) {
    int stops = (int8_t)image.stopCount;
    if (stops < 2 || stops > kMaxStops) std::abort();
    if (image.firstServedStop < 1 || image.firstServedStop >= image.lastServedStop ||
        image.lastServedStop > stops)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ControllerConfig working;
    std::memset(&working, 0, sizeof working);
    size_t used = size < sizeof working ? size : sizeof working;
    std::memcpy(&working, data, used);
    const uint8_t* choices = data + used;
    size_t left = size - used;

    for (int i = 0; i < kEditorPageCount; ++i) {
        FakePage controls;
        EditorPage page;
        page.row = &kEditorPages[i];
        page.Activate(controls.pc, working);
        // The fuzzer's bytes pick entries of the page's lists, in control order.
        for (auto& [id, control] : controls.controls) {
            if (control.items.empty() || !control.enabled || left == 0) continue;
            control.selection = *choices++ % (int)control.items.size();
            --left;
            page.OnCommand(controls.pc, id, kNotifySelectionChanged);
        }
        if (!page.Leave(controls.pc, working)) return 0; // the sheet stays on that page
        ExpectDocumentTakes(working); // from the first page on, which is "General"
    }
    return 0;
}
