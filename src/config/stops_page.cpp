// "Paradas": name, doors and calls not served of every stop.
#include "config/page_table.h"

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
int UsedStops(const ControllerConfig& copy) {
    return copy.stopCount < kMaxStops ? copy.stopCount : kMaxStops;
}

bool HasAnyFunction(const ControllerConfig& copy, const int (&codes)[3]) {
    for (int code : codes)
        if (hasRelayFunction(code, copy)) return true;
    return false;
}

} // namespace

void FillStopsPage(const PageControls& c, EditorPage& page) {
    const ControllerConfig& copy = page.copy;
    int used = UsedStops(copy);
    for (int i = 0; i < used; ++i) {
        char name[kStopNameSize + 1];
        CopyStopName(copy, i, name, sizeof name);
        c.SetText(IDC_STP_NAME + i, name);
        c.SetCheck(IDC_STP_DOOR1 + i, copy.stopDoors[i] & 1);
        c.SetCheck(IDC_STP_DOOR2 + i, copy.stopDoors[i] & 2);
        c.SetCheck(IDC_STP_NO_CABIN + i, copy.stopCallsNotServed[i] & kNotServedCabin);
        c.SetCheck(IDC_STP_NO_DOWN + i, copy.stopCallsNotServed[i] & kNotServedDown);
        c.SetCheck(IDC_STP_NO_UP + i, copy.stopCallsNotServed[i] & kNotServedUp);
    }

    // Outside the served range the flags are the General page's; here they are only shown.
    for (int i = 0; i < kMaxStops; ++i) {
        int stop = i + 1;
        if (stop > copy.lastServedStop || stop < copy.firstServedStop) {
            c.Enable(IDC_STP_NO_UP + i, false);
            c.Enable(IDC_STP_NO_DOWN + i, false);
            c.Enable(IDC_STP_NO_CABIN + i, false);
        }
        if (stop == copy.lastServedStop) c.Enable(IDC_STP_NO_UP + i, false);
        if (stop == copy.firstServedStop) c.Enable(IDC_STP_NO_DOWN + i, false);
    }

    for (int i = 0; i < kMaxStops; ++i)
        for (int base : kRowControls)
            c.Show(base + i, i < used);

    static const int kDoor1[] = {61, 63, 65}, kDoor2[] = {62, 64, 66};
    bool door1 = HasAnyFunction(copy, kDoor1), door2 = HasAnyFunction(copy, kDoor2);
    for (int i = 0; i < kMaxStops; ++i) {
        if (!door1) c.Enable(IDC_STP_DOOR1 + i, false);
        if (!door2) c.Enable(IDC_STP_DOOR2 + i, false);
    }
}

bool ReadStopsPage(const PageControls& c, EditorPage& page) {
    ControllerConfig& copy = page.copy;
    int used = UsedStops(copy);
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
        std::memcpy(copy.stopNames[i], name, std::strlen(name) + 1);

        uint8_t notServed = 0;
        if (c.IsChecked(IDC_STP_NO_CABIN + i)) notServed |= kNotServedCabin;
        if (c.IsChecked(IDC_STP_NO_DOWN + i)) notServed |= kNotServedDown;
        if (c.IsChecked(IDC_STP_NO_UP + i)) notServed |= kNotServedUp;
        copy.stopCallsNotServed[i] = notServed;

        uint8_t doors = 0;
        if (c.IsChecked(IDC_STP_DOOR1 + i)) doors |= 1;
        if (c.IsChecked(IDC_STP_DOOR2 + i)) doors |= 2;
        copy.stopDoors[i] = doors;
    }
    return true;
}
