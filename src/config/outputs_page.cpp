// "Salidas": the function code of every relay and auxiliary terminal, the auxiliary output and
// the position indicator. The codes live in OutputCodes while they are typed and are stored
// when the page is read.
#include "config/page_table.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/code_tables.h"
#include "config/relay_catalogue.h"
#include "res/resource.h"

#include <cstdio>

namespace {

constexpr int kCodeMax = 99; // the spin arrows stop at the catalogue's end

// Terminals 3 and 4 drive a 14-segment indicator.
const int kIndicatorControls[] = {
    IDC_OUT_TERMINAL + 2,      IDC_OUT_TERMINAL + 3,    IDC_OUT_TERMINAL_SPIN + 2,
    IDC_OUT_TERMINAL_SPIN + 3, IDC_OUT_TERMINAL3_LABEL, IDC_OUT_TERMINAL4_LABEL,
};

bool IsRelayEdit(int id) {
    return id >= IDC_OUT_RELAY && id < IDC_OUT_RELAY + kRelayCount;
}
bool IsTerminalEdit(int id) {
    return id >= IDC_OUT_TERMINAL && id < IDC_OUT_TERMINAL + kAuxTerminalCount;
}

uint8_t* EnteredCode(OutputCodes& codes, int editId) {
    if (IsRelayEdit(editId)) return &codes.relay[editId - IDC_OUT_RELAY];
    if (IsTerminalEdit(editId)) return &codes.terminal[editId - IDC_OUT_TERMINAL];
    return nullptr;
}

void ShowIndicator(const PageControls& c, const ControllerConfig& copy) {
    bool segments14 = copy.optionFlags & kOptionSegments14;
    c.SetCheck(IDC_OUT_SEG7, !segments14);
    c.SetCheck(IDC_OUT_SEG14, segments14);
    for (int id : kIndicatorControls)
        c.Enable(id, !segments14);
}

// Any notification of a code's edit: it becomes the output being described.
void DescribeEdit(const PageControls& c, OutputCodes& codes, int editId) {
    char text[1024];
    if (IsRelayEdit(editId))
        std::snprintf(text, sizeof text, ResString(str::RelayTitle), editId - IDC_OUT_RELAY + 1);
    else
        std::snprintf(text, sizeof text, ResString(str::TerminalTitle),
                      editId - IDC_OUT_TERMINAL + 1);
    c.SetText(IDC_OUT_SPEC_GROUP, text);

    char typed[32];
    c.GetText(editId, typed, sizeof typed);
    uint8_t code = (uint8_t)(ParseLeadingUnsigned(typed) & 0xFF);
    *EnteredCode(codes, editId) = code;

    relayDescriptionText(code, text, sizeof text);
    c.SetText(IDC_OUT_DESCRIPTION, text);
}

} // namespace

void FillOutputsPage(const PageControls& c, EditorPage& page) {
    const ControllerConfig& copy = page.copy;
    OutputCodes& codes = page.codes;
    for (int i = 0; i < kRelayCount; ++i) {
        codes.relay[i] = copy.relayFunction[i];
        c.SetNumber(IDC_OUT_RELAY + i, codes.relay[i]);
    }
    for (int j = 0; j < kAuxTerminalCount; ++j) {
        codes.terminal[j] = copy.auxTerminalFunction[j];
        c.SetNumber(IDC_OUT_TERMINAL + j, codes.terminal[j]);
    }
    // After the edits: setting their texts notifies, which describes them.
    c.SetText(IDC_OUT_SPEC_GROUP, "");
    c.SetText(IDC_OUT_DESCRIPTION, "");

    c.FillTextList(IDC_OUT_AUX_TYPE, AuxOutputTypeTextId(1), AuxOutputTypeTextId(8));
    c.SelectListItem(IDC_OUT_AUX_TYPE, copy.auxOutputType - 1);
    ShowIndicator(c, copy);
}

bool ReadOutputsPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    const OutputCodes& codes = page.codes;
    for (int i = 0; i < kRelayCount; ++i)
        copy.relayFunction[i] = codes.relay[i];
    for (int j = 0; j < kAuxTerminalCount; ++j)
        copy.auxTerminalFunction[j] = codes.terminal[j];
    copy.auxOutputType = (uint8_t)(c.ListSelection(IDC_OUT_AUX_TYPE) + 1);
    if (c.IsChecked(IDC_OUT_SEG14)) {
        copy.optionFlags |= kOptionSegments14;
        copy.auxTerminalFunction[2] = 0;
        copy.auxTerminalFunction[3] = 0;
    } else {
        copy.optionFlags &= (uint8_t)~kOptionSegments14;
    }
    return true;
}

void OutputsPageCommand(const PageControls& c, EditorPage& page, int id, int) {
    if (IsRelayEdit(id) || IsTerminalEdit(id)) {
        DescribeEdit(c, page.codes, id);
    } else if (id == IDC_OUT_SEG7 || id == IDC_OUT_SEG14) {
        ReadOutputsPage(c, page);
        ShowIndicator(c, page.copy);
    }
}

void OutputsPageSpin(const PageControls& c, EditorPage& page, int barId, SpinStep step) {
    int editId = barId - (IDC_OUT_RELAY_SPIN - IDC_OUT_RELAY);
    uint8_t* code = EnteredCode(page.codes, editId);
    if (!code) return;
    if (step == SpinStep::Up && *code < kCodeMax) ++*code;
    if (step == SpinStep::Down && *code > 0) --*code;
    c.SetNumber(editId, *code);
    c.SetFocus(editId);
}
