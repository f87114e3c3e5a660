#include "print/win32/print_label.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "label/label_renderer.h"
#include "label/label_size.h"
#include "label/win32/label_gdi.h"
#include "print/win32/cancel_dialog.h"

#include <cstdio>

namespace {

// The viewport box of each layout, in inches; the isotropic mapping fits the 1000 x 1900 label
// into it, so its height decides the printed size.
struct Box {
    double width, height;
};
constexpr Box kBasic = {3.94, kBasicLabelInches};
constexpr Box kExpanded = {3.6, kExpandedLabelInches};
constexpr double kMargin = 0.197;

} // namespace

void PrintLabel(PrintJob& job, const ControllerConfig& config, const char* company1,
                const char* company2) {
    SetCancelText(ResString(str::PrintingLabel));
    job.abortProc = PrintAbortProc;
    char name[256];
    std::snprintf(name, sizeof name, ResString(str::PrintLabelTitle), (int)config.systemNumber);
    if (job.BeginPrintJob(name)) {
        HDC dc = job.printerDC;
        int px = GetDeviceCaps(dc, LOGPIXELSX), py = GetDeviceCaps(dc, LOGPIXELSY);
        const Box& box = NeedsExpansionBoard(config) ? kExpanded : kBasic;
        int previous = SetMapMode(dc, MM_ISOTROPIC);
        SetWindowExtEx(dc, 1000, 1900, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetViewportExtEx(dc, (int)(box.width * px), (int)(box.height * py), nullptr);
        SetViewportOrgEx(dc, (int)(kMargin * px), (int)(kMargin * py), nullptr);
        DrawLabelOnDc(dc, config, company1, company2);
        SetMapMode(dc, previous);
    }
    job.EndPrintJob();
}
