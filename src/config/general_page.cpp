// "General": identification and definition of the controller. Its choices bound the other pages:
// the function switches four of them off, the type bounds the stops, the served range drives the
// calls-not-served flags.
#include "config/page_table.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/code_tables.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int kNumberEditChars = 9;

long EditNumber(const PageControls& c, int id) {
    char text[kNumberEditChars + 1];
    c.GetText(id, text, sizeof text);
    return ParseLeadingDecimal(text);
}

bool Refuse(const PageControls& c, unsigned messageId) {
    c.Warn(ResString(messageId), 0);
    return false;
}

void ShowCabin(const PageControls& c, ControllerConfig& copy) {
    switch (copy.controllerFunction) {
    case 0:
        c.SetText(IDC_GEN_CABIN, ResString(str::HallCallCabin));
        c.Enable(IDC_GEN_CABIN, false);
        c.Enable(IDC_GEN_CABIN_LABEL, false);
        break;
    case 1:
        c.SetNumber(IDC_GEN_CABIN, copy.cabinNumber);
        c.Enable(IDC_GEN_CABIN, true);
        c.Enable(IDC_GEN_CABIN_LABEL, true);
        break;
    case 2:
    case 3:
        copy.cabinNumber = 1;
        c.SetNumber(IDC_GEN_CABIN, 1);
        c.Enable(IDC_GEN_CABIN, false);
        c.Enable(IDC_GEN_CABIN_LABEL, true);
        break;
    default: break; // not in the list: the read takes function 0
    }
}

} // namespace

void FillGeneralPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    char site[kSiteNameSize + 1];
    CopySiteName(copy, site, sizeof site);
    c.SetText(IDC_GEN_SITE_NAME, site);
    c.SetNumber(IDC_GEN_SYSTEM_NUMBER, copy.systemNumber);

    c.FillTextList(IDC_GEN_TYPE, ControlTypeTextId(0), ControlTypeTextId(5));
    c.SelectListItem(IDC_GEN_TYPE, copy.controlType <= 5 ? copy.controlType : -1);
    c.FillTextList(IDC_GEN_FUNCTION, ControllerFunctionTextId(0), ControllerFunctionTextId(3));
    c.SelectListItem(IDC_GEN_FUNCTION, copy.controllerFunction <= 3 ? copy.controllerFunction : -1);

    int limit = StopLimit(copy.controlType);
    // Also too few: a file may hold any count, and the document takes only 2 and more.
    if (copy.stopCount < 2 || copy.stopCount > limit) copy.stopCount = 2;
    fillNumberList(c, IDC_GEN_STOPS, 2, limit);
    c.SelectListItem(IDC_GEN_STOPS, copy.stopCount - 2);

    c.FillTextList(IDC_GEN_SCREENS, ScreenSystemTextId(1), ScreenSystemTextId(6));
    c.SelectListItem(IDC_GEN_SCREENS,
                     copy.screenSystem >= 1 && copy.screenSystem <= 6 ? copy.screenSystem - 1 : -1);

    int stops = copy.stopCount;
    if (copy.firstServedStop > stops - 1 || copy.firstServedStop < 1) copy.firstServedStop = 1;
    fillNumberList(c, IDC_GEN_FIRST_SERVED, 1, stops - 1);
    c.SelectListItem(IDC_GEN_FIRST_SERVED, copy.firstServedStop - 1);

    if (copy.lastServedStop > stops || copy.lastServedStop < 2) copy.lastServedStop = stops;
    fillNumberList(c, IDC_GEN_LAST_SERVED, 2, stops);
    c.SelectListItem(IDC_GEN_LAST_SERVED, copy.lastServedStop - 2);

    if (copy.carSpeed < 10 || copy.carSpeed > 200) copy.carSpeed = 80;
    c.SetNumber(IDC_GEN_SPEED, copy.carSpeed);

    bool hallCalls = copy.controllerFunction == 0;
    bool relevels = (copy.screenSystem == 1 || copy.screenSystem == 4) && !hallCalls;
    c.Enable(IDC_GEN_RELEVELING, relevels);
    c.SetCheck(IDC_GEN_RELEVELING, relevels && (copy.optionFlags & kOptionReleveling));

    bool hallButtons = copy.controllerFunction == 1 || copy.controllerFunction == 3;
    c.Enable(IDC_GEN_HALL_BUTTONS, hallButtons);
    c.SetCheck(IDC_GEN_HALL_BUTTONS, hallButtons && copy.independentHallButtons);

    ShowCabin(c, copy);

    static const int kDefinitionControls[] = {
        IDC_GEN_TYPE,
        IDC_GEN_SCREENS,
        IDC_GEN_FIRST_SERVED,
        IDC_GEN_LAST_SERVED,
        IDC_GEN_SPEED,
        IDC_GEN_TYPE_LABEL,
        IDC_GEN_SCREENS_LABEL,
        IDC_GEN_SPEED_LABEL,
        IDC_GEN_FIRST_SERVED_LABEL,
        IDC_GEN_LAST_SERVED_LABEL,
    };
    for (int id : kDefinitionControls)
        c.Enable(id, !hallCalls);
}

bool ReadGeneralPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    char site[kSiteNameMax + 1];
    c.GetText(IDC_GEN_SITE_NAME, site, sizeof site);
    std::memcpy(copy.siteName, site, std::strlen(site) + 1);

    long number = EditNumber(c, IDC_GEN_SYSTEM_NUMBER);
    if (number < 1 || number > 65535) return Refuse(c, str::SystemNumberRange);
    copy.systemNumber = (uint16_t)number;

    int type = c.ListSelection(IDC_GEN_TYPE);
    copy.controlType = (uint8_t)(type < 0 ? 0 : type);
    int shownFunction = copy.controllerFunction; // the function the controls were filled for
    int function = c.ListSelection(IDC_GEN_FUNCTION);
    copy.controllerFunction = (uint8_t)(function < 0 ? 0 : function);

    switch (copy.controllerFunction) {
    case 0: copy.cabinNumber = 0; break;
    case 1: {
        if (shownFunction != 1) {
            // Just chosen: the cabin edit still shows the "E" or fixed 1 of the other function,
            // which nobody could type over; the slave starts from its stored cabin, or 1.
            if (copy.cabinNumber < 1 || copy.cabinNumber > 6) copy.cabinNumber = 1;
            break;
        }
        long cabin = EditNumber(c, IDC_GEN_CABIN);
        if (cabin < 1 || cabin > 6) return Refuse(c, str::CabinRange);
        copy.cabinNumber = (uint8_t)cabin;
        break;
    }
    default: copy.cabinNumber = 1; break;
    }

    if (c.IsChecked(IDC_GEN_RELEVELING))
        copy.optionFlags |= kOptionReleveling;
    else
        copy.optionFlags &= (uint8_t)~kOptionReleveling;
    copy.independentHallButtons = c.IsChecked(IDC_GEN_HALL_BUTTONS) ? 1 : 0;

    copy.stopCount = (uint8_t)(c.ListSelection(IDC_GEN_STOPS) + 2);
    int screens = c.ListSelection(IDC_GEN_SCREENS);
    copy.screenSystem = (uint8_t)(screens < 0 ? 2 : screens + 1);

    long speed = EditNumber(c, IDC_GEN_SPEED);
    if (speed < 10 || speed > 200) return Refuse(c, str::SpeedRange);
    copy.carSpeed = (uint16_t)speed;

    if (copy.controllerFunction == 0) {
        copy.firstServedStop = 1;
        copy.lastServedStop = copy.stopCount;
    } else {
        copy.firstServedStop = (uint8_t)(c.ListSelection(IDC_GEN_FIRST_SERVED) + 1);
        copy.lastServedStop = (uint8_t)(c.ListSelection(IDC_GEN_LAST_SERVED) + 2);
    }
    if (copy.lastServedStop <= copy.firstServedStop) return Refuse(c, str::ServedRangeOrder);
    return true;
}

void GeneralPageCommand(const PageControls& c, EditorPage& page, int id, int code) {
    if (code != kNotifySelectionChanged) return;
    switch (id) {
    case IDC_GEN_STOPS:
        // Whatever the read says, the refill shows a consistent page again.
        ReadGeneralPage(c, page);
        page.copy.lastServedStop = page.copy.stopCount;
        FillGeneralPage(c, page);
        break;
    case IDC_GEN_TYPE:
    case IDC_GEN_SCREENS:
    case IDC_GEN_FUNCTION:
        ReadGeneralPage(c, page);
        FillGeneralPage(c, page);
        break;
    default: break;
    }
}

void AcceptGeneralPage(ControllerConfig& copy, const ControllerConfig& working) {
    // A new count or served range moves the limits of the calls not served; an unchanged one
    // keeps what the stops page set.
    if (copy.stopCount != working.stopCount || copy.firstServedStop != working.firstServedStop ||
        copy.lastServedStop != working.lastServedStop)
        rebuildServedStopFlags(copy);
    if (copy.stopCount == working.stopCount) return;
    // OK may follow without a visit to the pages that correct them when they are filled: a
    // station past the new last stop, or the door byte of a stop just added, would keep the
    // image from being transmitted. Both are corrected as those pages would.
    for (uint8_t* station :
         {&copy.restStation, &copy.duplexMainStation, &copy.duplexSecondaryStation})
        if (*station > copy.stopCount) *station = 0;
    if (copy.fireStation > copy.stopCount) copy.fireStation = 1;
    for (uint8_t& doors : copy.stopDoors)
        doors &= 3;
}
