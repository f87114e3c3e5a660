// "Avanzada": stations, supervision port and announcer, cabin-call clearing limits and duplex.
#include "config/page_table.h"

#include "config/code_tables.h"
#include "res/resource.h"

namespace {

constexpr int kLimitMax = 9;

// A station list 0..stopCount; a station above the stops becomes "none".
void FillStation(const PageControls& c, int id, uint8_t& station, int stops) {
    if (station > stops) station = 0;
    fillNumberList(c, id, 0, stops);
    c.SelectListItem(id, station);
}

void FillLimit(const PageControls& c, int id, uint8_t& limit) {
    if (limit > kLimitMax) limit = 0;
    fillNumberList(c, id, 0, kLimitMax);
    c.SelectListItem(id, limit);
}

uint8_t SelectedOrZero(const PageControls& c, int id) {
    int index = c.ListSelection(id);
    return (uint8_t)(index < 0 ? 0 : index);
}

} // namespace

void FillAdvancedPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    int stops = copy.stopCount;
    FillStation(c, IDC_ADV_REST, copy.restStation, stops);
    FillStation(c, IDC_ADV_MAIN, copy.duplexMainStation, stops);
    FillStation(c, IDC_ADV_SECONDARY, copy.duplexSecondaryStation, stops);

    if (copy.fireStation > stops) copy.fireStation = 0;
    fillNumberList(c, IDC_ADV_FIRE, 1, stops);
    c.SelectListItem(IDC_ADV_FIRE, copy.fireStation - 1);

    FillLimit(c, IDC_ADV_FALSE_STOPS, copy.falseStopLimit);
    FillLimit(c, IDC_ADV_MIN_LOAD, copy.minLoadCabinCallLimit);

    c.SetCheck(IDC_ADV_MAIN_CLOSED, copy.mainRestsDoorClosed);
    c.SetCheck(IDC_ADV_SECONDARY_CLOSED, copy.secondaryRestsDoorClosed);
    c.SetCheck(IDC_ADV_ANNOUNCER, copy.specialVoiceAnnouncer);

    c.FillTextList(IDC_ADV_PORT, SupervisionPortTextId(0), SupervisionPortTextId(3));
    int port = SupervisionPort(copy);
    c.SelectListItem(IDC_ADV_PORT, port);
    // The TTL port leaves no line for the special announcer.
    c.Enable(IDC_ADV_ANNOUNCER, port != 3);

    bool duplexMaster = copy.controllerFunction == 3;
    static const int kDuplexControls[] = {IDC_ADV_DUPLEX_GROUP, IDC_ADV_MAIN, IDC_ADV_SECONDARY,
                                          IDC_ADV_MAIN_LABEL, IDC_ADV_SECONDARY_LABEL};
    for (int id : kDuplexControls)
        c.Enable(id, duplexMaster);
    bool restsClosed = duplexMaster && copy.doorMode != 0;
    c.Enable(IDC_ADV_MAIN_CLOSED, restsClosed);
    c.Enable(IDC_ADV_SECONDARY_CLOSED, restsClosed);
}

bool ReadAdvancedPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    copy.restStation = SelectedOrZero(c, IDC_ADV_REST);
    copy.duplexMainStation = SelectedOrZero(c, IDC_ADV_MAIN);
    copy.duplexSecondaryStation = SelectedOrZero(c, IDC_ADV_SECONDARY);
    copy.falseStopLimit = SelectedOrZero(c, IDC_ADV_FALSE_STOPS);
    copy.minLoadCabinCallLimit = SelectedOrZero(c, IDC_ADV_MIN_LOAD);
    int fire = c.ListSelection(IDC_ADV_FIRE);
    copy.fireStation = (uint8_t)(fire < 0 ? 1 : fire + 1);

    copy.mainRestsDoorClosed = c.IsChecked(IDC_ADV_MAIN_CLOSED) ? 1 : 0;
    copy.secondaryRestsDoorClosed = c.IsChecked(IDC_ADV_SECONDARY_CLOSED) ? 1 : 0;
    copy.specialVoiceAnnouncer = c.IsChecked(IDC_ADV_ANNOUNCER) ? 1 : 0;

    uint8_t port = SelectedOrZero(c, IDC_ADV_PORT);
    copy.optionFlags = (uint8_t)((copy.optionFlags & ~kOptionSupervisionMask) | (port << 1));
    return true;
}

void AdvancedPageCommand(const PageControls& c, EditorPage& page, int id, int code) {
    if (id != IDC_ADV_PORT || code != kNotifySelectionChanged) return;
    ReadAdvancedPage(c, page);
    FillAdvancedPage(c, page);
}
