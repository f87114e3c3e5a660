#include "config/editor_page.h"

#include "config/editor_pages.h"
#include "res/resource.h"

namespace {

const EditorPageKind kPageOrder[kEditorPageCount] = {
    EditorPageKind::General, EditorPageKind::Outputs, EditorPageKind::Stops,
    EditorPageKind::Times,   EditorPageKind::Door,    EditorPageKind::Advanced,
};

// Help tables: control, context pairs ending 0, 0.
const uint32_t kGeneralHelp[] = {
    1004, 100, 1003, 104, 100,  101, 101,  102, 409,  103, 111,  105,  104,  106,  102, 107, 611,
    108,  106, 109,  105, 110,  103, 111,  113, 112,  115, 113,  1005, 101,  1006, 102, 590, 103,
    1007, 105, 621,  106, 1008, 107, 1009, 110, 1010, 111, 1011, 112,  1012, 113,  0,   0,
};
const uint32_t kOutputsHelp[] = {
    455, 400, 453, 400, 454, 401, 451, 401, 452, 401, 65535, 402, 456,
    402, 457, 402, 532, 402, 533, 402, 101, 404, 100, 404,   0,   0,
};
// Each timer's edit and label, in report order.
const uint32_t kTimesHelp[] = {
    100, 500, 120, 500, 101, 501, 121, 501, 110, 502, 130, 502, 103, 503,  123, 503, 104,
    504, 124, 504, 111, 505, 131, 505, 112, 506, 132, 506, 993, 507, 1013, 507, 105, 508,
    125, 508, 108, 509, 128, 509, 113, 510, 133, 510, 107, 511, 127, 511,  106, 512, 126,
    512, 114, 513, 134, 513, 115, 514, 135, 514, 109, 515, 129, 515, 0,    0,
};
const uint32_t kDoorHelp[] = {
    102, 600, 1004, 601, 1005, 602, 112, 613, 105, 603, 1006, 604, 208, 605, 110, 606, 106,
    607, 109, 608,  111, 609,  108, 610, 103, 611, 440, 611,  104, 612, 441, 612, 0,   0,
};
const uint32_t kAdvancedHelp[] = {
    412, 700, 411, 701, 106, 701, 814, 702, 776, 702, 413, 703, 118, 704, 119,
    704, 414, 705, 112, 706, 113, 706, 114, 707, 115, 707, 415, 708, 108, 709,
    111, 709, 116, 710, 110, 711, 109, 711, 117, 712, 107, 713, 0,   0,
};

struct HelpRange {
    int first, last;
    uint32_t context;
};
const HelpRange kStopsHelpRanges[] = {
    {IDC_STP_NAME, IDC_STP_NAME + 23, 801},         {IDC_STP_NUMBER, IDC_STP_NUMBER + 23, 800},
    {IDC_STP_DOOR1, IDC_STP_DOOR1 + 23, 802},       {IDC_STP_DOOR2, IDC_STP_DOOR2 + 23, 803},
    {IDC_STP_NO_CABIN, IDC_STP_NO_CABIN + 23, 804}, {IDC_STP_NO_UP, IDC_STP_NO_UP + 23, 805},
    {IDC_STP_NO_DOWN, IDC_STP_NO_DOWN + 23, 806},
};
const HelpRange kOutputsHelpRanges[] = {{200, 299, 402}, {300, 399, 403}};

// A range maps every control in it to one context: a one-pair table naming the asking control.
template <size_t N> const HelpRange* FindRange(const HelpRange (&ranges)[N], int controlId) {
    for (const HelpRange& r : ranges)
        if (controlId >= r.first && controlId <= r.last) return &r;
    return nullptr;
}
const uint32_t* RangeTable(const HelpRange* range, int controlId, uint32_t (&scratch)[4]) {
    scratch[0] = range ? (uint32_t)controlId : 0;
    scratch[1] = range ? range->context : 0;
    scratch[2] = scratch[3] = 0;
    return range ? scratch : scratch + 2;
}

const PageTrace kTraces[kEditorPageCount] = {
    // General
    {"GEN - Vino InitDialog\r\n", "GEN - Vino SetActive\r\n", "GEN - Vino KillActive\r\n",
     "GEN - Vino PSN_HELP\r\n", "GEN - Vino WM_HELP\r\n", "GEN - Vino WM_CONTEXTMENU\r\n"},
    // Outputs
    {"SAL - Vino InitDialog\r\n", "SAL - Vino SetActive\r\n", "GEN - Vino KillActive\r\n",
     "SAL - Vino Help\r\n", nullptr, nullptr},
    // Stops
    {"PAR - Vino InitDialog\r\n", "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n",
     "PAR - Vino Help\r\n", nullptr, nullptr},
    // Times
    {nullptr, "PAR - Vino SetActive\r\n", nullptr, nullptr, "SAL - Vino WM_HELP\r\n",
     "SAL - Vino WM_CONTEXTMENU\r\n"},
    // Door
    {nullptr, "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n", nullptr, nullptr, nullptr},
    // Advanced
    {nullptr, "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n", nullptr, nullptr, nullptr},
};

} // namespace

EditorPageKind EditorPageAt(int index) {
    return kPageOrder[index];
}

int EditorPageResource(EditorPageKind kind) {
    switch (kind) {
    case EditorPageKind::General: return IDD_PAGE_GENERAL;
    case EditorPageKind::Outputs: return IDD_PAGE_OUTPUTS;
    case EditorPageKind::Stops: return IDD_PAGE_STOPS;
    case EditorPageKind::Times: return IDD_PAGE_TIMES;
    case EditorPageKind::Door: return IDD_PAGE_DOOR;
    case EditorPageKind::Advanced: return IDD_PAGE_ADVANCED;
    }
    return 0;
}

const PageTrace& EditorPageTrace(EditorPageKind kind) {
    return kTraces[(int)kind];
}

const uint32_t* EditorHelpTable(EditorPageKind kind, int controlId, uint32_t (&scratch)[4]) {
    switch (kind) {
    case EditorPageKind::General: return kGeneralHelp;
    case EditorPageKind::Outputs:
        if (const HelpRange* range = FindRange(kOutputsHelpRanges, controlId))
            return RangeTable(range, controlId, scratch);
        return kOutputsHelp;
    case EditorPageKind::Stops:
        return RangeTable(FindRange(kStopsHelpRanges, controlId), controlId, scratch);
    case EditorPageKind::Times: return kTimesHelp;
    case EditorPageKind::Door: return kDoorHelp;
    case EditorPageKind::Advanced: return kAdvancedHelp;
    }
    return RangeTable(nullptr, controlId, scratch);
}

bool EditorPage::IsSwitchedOff() const {
    return kind != EditorPageKind::General && kind != EditorPageKind::Stops &&
           copy.controllerFunction == 0;
}

void EditorPage::Fill(const PageControls& c) {
    if (IsSwitchedOff()) return;
    switch (kind) {
    case EditorPageKind::General: FillGeneralPage(c, copy); break;
    case EditorPageKind::Outputs: FillOutputsPage(c, copy, codes); break;
    case EditorPageKind::Stops: FillStopsPage(c, copy); break;
    case EditorPageKind::Times: FillTimesPage(c, copy); break;
    case EditorPageKind::Door: FillDoorPage(c, copy); break;
    case EditorPageKind::Advanced: FillAdvancedPage(c, copy); break;
    }
}

bool EditorPage::Read(const PageControls& c) {
    if (IsSwitchedOff()) return true;
    switch (kind) {
    case EditorPageKind::General: return ReadGeneralPage(c, copy);
    case EditorPageKind::Outputs: ReadOutputsPage(c, copy, codes); return true;
    case EditorPageKind::Stops: return ReadStopsPage(c, copy);
    case EditorPageKind::Times: return ReadTimesPage(c, copy);
    case EditorPageKind::Door: ReadDoorPage(c, copy); return true;
    case EditorPageKind::Advanced: ReadAdvancedPage(c, copy); return true;
    }
    return true;
}

void EditorPage::Activate(const PageControls& c, const ControllerConfig& working) {
    copy = working;
    switch (kind) {
    case EditorPageKind::General: break; // its fill sets every enabled state it depends on
    case EditorPageKind::Stops: c.EnableAll(true); break;
    default: c.EnableAll(copy.controllerFunction != 0); break;
    }
    Fill(c);
}

bool EditorPage::Leave(const PageControls& c, ControllerConfig& working) {
    if (!Read(c)) return false;
    if (kind == EditorPageKind::General &&
        (copy.stopCount != working.stopCount || copy.firstServedStop != working.firstServedStop ||
         copy.lastServedStop != working.lastServedStop))
        rebuildServedStopFlags(copy);
    working = copy;
    return true;
}

void EditorPage::OnCommand(const PageControls& c, int controlId, int notifyCode) {
    if (IsSwitchedOff()) return;
    switch (kind) {
    case EditorPageKind::General: GeneralPageCommand(c, copy, controlId, notifyCode); break;
    case EditorPageKind::Outputs: OutputsPageCommand(c, copy, codes, controlId, notifyCode); break;
    case EditorPageKind::Door: DoorPageCommand(c, copy, controlId, notifyCode); break;
    case EditorPageKind::Advanced: AdvancedPageCommand(c, copy, controlId, notifyCode); break;
    default: break;
    }
}

void EditorPage::OnSpin(const PageControls& c, int barId, SpinStep step) {
    if (kind == EditorPageKind::Outputs && !IsSwitchedOff()) OutputsPageSpin(c, codes, barId, step);
}

void EditorSession::Begin(const ControllerConfig& config) {
    working = config;
    for (int i = 0; i < kEditorPageCount; ++i) {
        pages[i] = EditorPage{};
        pages[i].kind = EditorPageAt(i);
        pages[i].copy = config;
    }
}
