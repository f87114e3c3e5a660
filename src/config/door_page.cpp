// "Puerta": door type and options. doorMode is 0 for a manual door; an automatic door stores its
// three option bits in doorMode - 1.
#include "config/page_table.h"

#include "res/resource.h"

namespace {

constexpr int kRestsOpen = 1, kMaxZone = 2, kDelayed = 4;

const int kAutomaticControls[] = {
    IDC_DOOR_AUTO_GROUP,    IDC_DOOR_OPERATOR_GROUP, IDC_DOOR_RESTS_OPEN,  IDC_DOOR_MAX_ZONE,
    IDC_DOOR_DELAYED,       IDC_DOOR_PREOPENING,     IDC_DOOR_ALWAYS_OPEN, IDC_DOOR_CLOSE_ATTEMPTS,
    IDC_DOOR_OPEN_ATTEMPTS, IDC_DOOR_CLOSE_LABEL,    IDC_DOOR_OPEN_LABEL,
};
const int kAutomaticBoxes[] = {
    IDC_DOOR_RESTS_OPEN, IDC_DOOR_MAX_ZONE,    IDC_DOOR_DELAYED,
    IDC_DOOR_PREOPENING, IDC_DOOR_ALWAYS_OPEN,
};

int SelectedAttempts(const PageControls& c, int id) {
    int index = c.ListSelection(id);
    return index < 0 ? 2 : index + 1;
}

} // namespace

void FillDoorPage(const PageControls& c, EditorPage& page) {
    const ControllerConfig& copy = page.copy;
    bool automatic = copy.doorMode != 0;
    c.SetCheck(IDC_DOOR_MANUAL, !automatic);
    c.SetCheck(IDC_DOOR_AUTOMATIC, automatic);

    c.Enable(IDC_DOOR_PRECLOSING, true);
    c.SetCheck(IDC_DOOR_PRECLOSING, copy.preClosingContact);

    for (int id : kAutomaticControls)
        c.Enable(id, automatic);
    if (!automatic) {
        for (int id : kAutomaticBoxes)
            c.SetCheck(id, false);
        // A manual door has no attempts to show; a door switched to manual keeps its stored ones.
        c.ClearList(IDC_DOOR_CLOSE_ATTEMPTS);
        c.ClearList(IDC_DOOR_OPEN_ATTEMPTS);
        return;
    }
    int options = copy.doorMode - 1;
    c.SetCheck(IDC_DOOR_RESTS_OPEN, options & kRestsOpen);
    c.SetCheck(IDC_DOOR_MAX_ZONE, options & kMaxZone);
    c.SetCheck(IDC_DOOR_DELAYED, options & kDelayed);
    c.SetCheck(IDC_DOOR_PREOPENING, copy.preOpening);
    c.SetCheck(IDC_DOOR_ALWAYS_OPEN, copy.alwaysOpenOnArrival);
    fillNumberList(c, IDC_DOOR_CLOSE_ATTEMPTS, 1, 4);
    c.SelectListItem(IDC_DOOR_CLOSE_ATTEMPTS, copy.closeAttempts - 1);
    fillNumberList(c, IDC_DOOR_OPEN_ATTEMPTS, 1, 4);
    c.SelectListItem(IDC_DOOR_OPEN_ATTEMPTS, copy.openAttempts - 1);
    // The maximum door zone needs the screens of systems 1 and 4.
    if (copy.screenSystem != 1 && copy.screenSystem != 4) {
        c.Enable(IDC_DOOR_MAX_ZONE, false);
        c.SetCheck(IDC_DOOR_MAX_ZONE, false);
    }
}

bool ReadDoorPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    if (c.IsChecked(IDC_DOOR_AUTOMATIC)) {
        // The page copy still holds the door the controls were filled for. A page filled for a
        // manual door has just been switched to automatic: its lists are empty, and the stored
        // attempts stand.
        bool listed = copy.doorMode != 0;
        int options = (c.IsChecked(IDC_DOOR_RESTS_OPEN) ? kRestsOpen : 0) |
                      (c.IsChecked(IDC_DOOR_MAX_ZONE) ? kMaxZone : 0) |
                      (c.IsChecked(IDC_DOOR_DELAYED) ? kDelayed : 0);
        copy.doorMode = (uint8_t)(1 + options);
        copy.preOpening = c.IsChecked(IDC_DOOR_PREOPENING) ? 1 : 0;
        copy.alwaysOpenOnArrival = c.IsChecked(IDC_DOOR_ALWAYS_OPEN) ? 1 : 0;
        if (listed) {
            copy.closeAttempts = (uint8_t)SelectedAttempts(c, IDC_DOOR_CLOSE_ATTEMPTS);
            copy.openAttempts = (uint8_t)SelectedAttempts(c, IDC_DOOR_OPEN_ATTEMPTS);
        }
    } else {
        copy.doorMode = 0;
    }
    copy.preClosingContact = c.IsChecked(IDC_DOOR_PRECLOSING) ? 1 : 0;
    return true;
}

void DoorPageCommand(const PageControls& c, EditorPage& page, int id, int code) {
    if (code != kNotifyClicked) return;
    if (id != IDC_DOOR_MANUAL && id != IDC_DOOR_AUTOMATIC) return;
    ReadDoorPage(c, page);
    FillDoorPage(c, page);
}
