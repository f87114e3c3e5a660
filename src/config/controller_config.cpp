#include "config/controller_config.h"

#include "base/res_string.h"
#include "base/string_ids.h"

#include <cstring>

ControllerConfig MakeEmptyConfig() {
    ControllerConfig c;
    std::memset(&c, 0, sizeof c);
    c.systemNumber = 1;
    c.stopCount = 14;
    c.controllerFunction = 2;
    c.fireStation = 1;
    c.TEP = c.TALA = c.TZUM = c.TPA = c.TACL = c.TACEA = 1;
    c.TRETP = c.TAPA = c.TOPC = c.TACEB = c.TARR = c.TESTR = c.TGON = 1;
    c.auxOutputType = 4;
    c.screenSystem = 4;
    c.cabinNumber = 1;
    LoadResString(str::EmptySiteName, c.siteName, kSiteNameMax + 1);
    for (auto& name : c.stopNames)
        std::memcpy(name, "??", 3);
    for (auto& doors : c.stopDoors)
        doors = 1;
    c.carSpeed = 80;
    c.mainRestsDoorClosed = 1;
    c.firstServedStop = 1;
    c.lastServedStop = 14;
    c.preClosingContact = 1;
    c.falseStopLimit = 3;
    c.closeAttempts = 2;
    c.openAttempts = 2;
    c.minLoadCabinCallLimit = 3;
    rebuildServedStopFlags(c);
    return c;
}

void rebuildServedStopFlags(ControllerConfig& c) {
    std::memset(c.stopCallsNotServed, 0, sizeof c.stopCallsNotServed);
    for (int stop = c.lastServedStop + 1; stop <= kMaxStops; ++stop)
        c.stopCallsNotServed[stop - 1] = kNotServedAll;
    for (int stop = 1; stop < c.firstServedStop && stop <= kMaxStops; ++stop)
        c.stopCallsNotServed[stop - 1] = kNotServedAll;
    // Stop numbers come from the image and may be anything: a 0 or a value past the last stop
    // has no entry to mark.
    if (c.lastServedStop >= 1 && c.lastServedStop <= kMaxStops)
        c.stopCallsNotServed[c.lastServedStop - 1] = kNotServedUp;
    if (c.firstServedStop >= 1 && c.firstServedStop <= kMaxStops)
        c.stopCallsNotServed[c.firstServedStop - 1] = kNotServedDown;
}

bool hasRelayFunction(int code, const ControllerConfig& c) {
    for (uint8_t f : c.relayFunction)
        if (f == code) return true;
    for (uint8_t f : c.auxTerminalFunction)
        if (f == code) return true;
    return false;
}

namespace {
void CopyBounded(const char* field, size_t fieldSize, char* out, size_t outSize) {
    if (outSize == 0) return;
    size_t n = 0;
    while (n < fieldSize && n + 1 < outSize && field[n]) {
        out[n] = field[n];
        ++n;
    }
    out[n] = '\0';
}
} // namespace

void CopySiteName(const ControllerConfig& c, char* out, size_t outSize) {
    CopyBounded(c.siteName, kSiteNameSize, out, outSize);
}

void CopyStopName(const ControllerConfig& c, int stopIndex, char* out, size_t outSize) {
    if (stopIndex < 0 || stopIndex >= kMaxStops) {
        if (outSize) out[0] = '\0';
        return;
    }
    CopyBounded(c.stopNames[stopIndex], kStopNameSize, out, outSize);
}
