#include "config/page_procedure.h"

#include "config/page_table.h"

bool EditorPage::IsSwitchedOff() const {
    return row->enabling == PageEnabling::ByFunction && copy.controllerFunction == 0;
}

void EditorPage::Activate(const PageControls& c, const ControllerConfig& working) {
    copy = working;
    if (row->enabling == PageEnabling::All) c.EnableAll(true);
    if (row->enabling == PageEnabling::ByFunction) c.EnableAll(copy.controllerFunction != 0);
    if (!IsSwitchedOff()) row->routines.fill(c, *this);
}

bool EditorPage::Leave(const PageControls& c, ControllerConfig& working) {
    if (!IsSwitchedOff() && !row->routines.read(c, *this)) return false;
    if (row->routines.accept) row->routines.accept(copy, working);
    working = copy;
    return true;
}

void EditorPage::OnCommand(const PageControls& c, int controlId, int notifyCode) {
    if (row->routines.command && !IsSwitchedOff())
        row->routines.command(c, *this, controlId, notifyCode);
}

void EditorPage::OnSpin(const PageControls& c, int barId, SpinStep step) {
    if (row->routines.spin && !IsSwitchedOff()) row->routines.spin(c, *this, barId, step);
}

void EditorSession::Begin(const ControllerConfig& config) {
    working = config;
    for (int i = 0; i < kEditorPageCount; ++i) {
        pages[i] = EditorPage{};
        pages[i].row = &kEditorPages[i];
        pages[i].copy = config;
    }
}

const uint32_t* EditorHelpTable(const EditorPageRow& row, int controlId, uint32_t (&scratch)[4]) {
    scratch[0] = scratch[1] = scratch[2] = scratch[3] = 0;
    for (int i = 0; i < row.help.rangeCount; ++i) {
        const HelpRange& range = row.help.ranges[i];
        if (controlId >= range.first && controlId <= range.last) {
            scratch[0] = (uint32_t)controlId;
            scratch[1] = range.context;
            return scratch;
        }
    }
    return row.help.pairs ? row.help.pairs : scratch;
}
