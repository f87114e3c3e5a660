#include "config/page_table.h"

#include "res/resource.h"

#include <cstddef>

namespace {

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

const HelpRange kStopsHelpRanges[] = {
    {IDC_STP_NAME, IDC_STP_NAME + 23, 801},         {IDC_STP_NUMBER, IDC_STP_NUMBER + 23, 800},
    {IDC_STP_DOOR1, IDC_STP_DOOR1 + 23, 802},       {IDC_STP_DOOR2, IDC_STP_DOOR2 + 23, 803},
    {IDC_STP_NO_CABIN, IDC_STP_NO_CABIN + 23, 804}, {IDC_STP_NO_UP, IDC_STP_NO_UP + 23, 805},
    {IDC_STP_NO_DOWN, IDC_STP_NO_DOWN + 23, 806},
};
const HelpRange kOutputsHelpRanges[] = {{200, 299, 402}, {300, 399, 403}};

constexpr PageHelp Pairs(const uint32_t* pairs) {
    return {nullptr, 0, pairs};
}
template <size_t N>
constexpr PageHelp Ranges(const HelpRange (&ranges)[N], const uint32_t* pairs = nullptr) {
    return {ranges, (int)N, pairs};
}

} // namespace

// Left to right, as the sheet shows them.
const EditorPageRow kEditorPages[] = {
    {IDD_PAGE_GENERAL,
     PageEnabling::ByFill,
     {FillGeneralPage, ReadGeneralPage, GeneralPageCommand, nullptr, AcceptGeneralPage},
     Pairs(kGeneralHelp),
     {"GEN - Vino InitDialog\r\n", "GEN - Vino SetActive\r\n", "GEN - Vino KillActive\r\n",
      "GEN - Vino PSN_HELP\r\n", "GEN - Vino WM_HELP\r\n", "GEN - Vino WM_CONTEXTMENU\r\n"}},
    {IDD_PAGE_OUTPUTS,
     PageEnabling::ByFunction,
     {FillOutputsPage, ReadOutputsPage, OutputsPageCommand, OutputsPageSpin, nullptr},
     Ranges(kOutputsHelpRanges, kOutputsHelp),
     {"SAL - Vino InitDialog\r\n", "SAL - Vino SetActive\r\n", "GEN - Vino KillActive\r\n",
      "SAL - Vino Help\r\n", nullptr, nullptr}},
    {IDD_PAGE_STOPS,
     PageEnabling::All,
     {FillStopsPage, ReadStopsPage, nullptr, nullptr, nullptr},
     Ranges(kStopsHelpRanges),
     {"PAR - Vino InitDialog\r\n", "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n",
      "PAR - Vino Help\r\n", nullptr, nullptr}},
    {IDD_PAGE_TIMES,
     PageEnabling::ByFunction,
     {FillTimesPage, ReadTimesPage, nullptr, nullptr, nullptr},
     Pairs(kTimesHelp),
     {nullptr, "PAR - Vino SetActive\r\n", nullptr, nullptr, "SAL - Vino WM_HELP\r\n",
      "SAL - Vino WM_CONTEXTMENU\r\n"}},
    {IDD_PAGE_DOOR,
     PageEnabling::ByFunction,
     {FillDoorPage, ReadDoorPage, DoorPageCommand, nullptr, nullptr},
     Pairs(kDoorHelp),
     {nullptr, "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n", nullptr, nullptr, nullptr}},
    {IDD_PAGE_ADVANCED,
     PageEnabling::ByFunction,
     {FillAdvancedPage, ReadAdvancedPage, AdvancedPageCommand, nullptr, nullptr},
     Pairs(kAdvancedHelp),
     {nullptr, "PAR - Vino SetActive\r\n", "PAR - Vino KillActive\r\n", nullptr, nullptr, nullptr}},
};
static_assert(sizeof kEditorPages / sizeof kEditorPages[0] == kEditorPageCount,
              "one row per page of the sheet");
