// "Paradas": name, doors and calls not served of every stop.
#include "config/editor_pages.h"

#include "base/message_box.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>

namespace {

const int kRowControls[] = {
    IDC_STP_NUMBER, IDC_STP_NAME,    IDC_STP_DOOR1,    IDC_STP_DOOR2,
    IDC_STP_NO_UP,  IDC_STP_NO_DOWN, IDC_STP_NO_CABIN,
};

// The stops that have rows in use; the count comes from the image and may be anything.
int UsedStops(const ControllerConfig& page) {
    return page.stopCount < kMaxStops ? page.stopCount : kMaxStops;
}

bool HasAnyFunction(const ControllerConfig& page, const int (&codes)[3]) {
    for (int code : codes)
        if (hasRelayFunction(code, page)) return true;
    return false;
}

} // namespace

void FillStopsPage(const PageControls& c, ControllerConfig& page) {
    int used = UsedStops(page);
    for (int i = 0; i < used; ++i) {
        char name[kStopNameSize + 1];
        CopyStopName(page, i, name, sizeof name);
        c.SetText(IDC_STP_NAME + i, name);
        c.SetCheck(IDC_STP_DOOR1 + i, page.stopDoors[i] & 1);
        c.SetCheck(IDC_STP_DOOR2 + i, page.stopDoors[i] & 2);
        c.SetCheck(IDC_STP_NO_CABIN + i, page.stopCallsNotServed[i] & kNotServedCabin);
        c.SetCheck(IDC_STP_NO_DOWN + i, page.stopCallsNotServed[i] & kNotServedDown);
        c.SetCheck(IDC_STP_NO_UP + i, page.stopCallsNotServed[i] & kNotServedUp);
    }

    // Outside the served range the flags are the General page's; here they are only shown.
    for (int i = 0; i < kMaxStops; ++i) {
        int stop = i + 1;
        if (stop > page.lastServedStop || stop < page.firstServedStop) {
            c.Enable(IDC_STP_NO_UP + i, false);
            c.Enable(IDC_STP_NO_DOWN + i, false);
            c.Enable(IDC_STP_NO_CABIN + i, false);
        }
        if (stop == page.lastServedStop) c.Enable(IDC_STP_NO_UP + i, false);
        if (stop == page.firstServedStop) c.Enable(IDC_STP_NO_DOWN + i, false);
    }

    for (int i = 0; i < kMaxStops; ++i)
        for (int base : kRowControls)
            c.Show(base + i, i < used);

    static const int kDoor1[] = {61, 63, 65}, kDoor2[] = {62, 64, 66};
    bool door1 = HasAnyFunction(page, kDoor1), door2 = HasAnyFunction(page, kDoor2);
    for (int i = 0; i < kMaxStops; ++i) {
        if (!door1) c.Enable(IDC_STP_DOOR1 + i, false);
        if (!door2) c.Enable(IDC_STP_DOOR2 + i, false);
    }
}

bool ReadStopsPage(const PageControls& c, ControllerConfig& page) {
    int used = UsedStops(page);
    for (int i = 0; i < used; ++i) {
        // One character more than a name may hold tells a long name from a full one.
        char name[kStopNameMax + 2];
        c.GetText(IDC_STP_NAME + i, name, sizeof name);
        if (std::strlen(name) > (size_t)kStopNameMax) {
            char text[256];
            std::snprintf(text, sizeof text, ResString(str::NameTooLong), i + 1);
            c.Warn(text, str::CaptionAttention);
            return false;
        }
        std::memcpy(page.stopNames[i], name, std::strlen(name) + 1);

        uint8_t notServed = 0;
        if (c.IsChecked(IDC_STP_NO_CABIN + i)) notServed |= kNotServedCabin;
        if (c.IsChecked(IDC_STP_NO_DOWN + i)) notServed |= kNotServedDown;
        if (c.IsChecked(IDC_STP_NO_UP + i)) notServed |= kNotServedUp;
        page.stopCallsNotServed[i] = notServed;

        uint8_t doors = 0;
        if (c.IsChecked(IDC_STP_DOOR1 + i)) doors |= 1;
        if (c.IsChecked(IDC_STP_DOOR2 + i)) doors |= 2;
        page.stopDoors[i] = doors;
    }
    return true;
}
