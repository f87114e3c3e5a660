#include "config/config_ranges.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/code_tables.h"

#include <cstdio>

namespace {

constexpr int kEachStop = -1; // one entry for each stop of the image

// A bound: a number, or a number added to something of the image.
struct Bound {
    int (*base)(const ControllerConfig&); // nullptr: `add` alone
    int add;
};

int Stops(const ControllerConfig& c) {
    return c.stopCount;
}
int TypeStopLimit(const ControllerConfig& c) {
    return StopLimit(c.controlType);
}
int FirstServed(const ControllerConfig& c) {
    return c.firstServedStop;
}

constexpr Bound N(int n) {
    return {nullptr, n};
}
constexpr Bound StopsPlus(int n) {
    return {Stops, n};
}

int Value(const Bound& b, const ControllerConfig& c) {
    return (b.base ? b.base(c) : 0) + b.add;
}

struct FieldRange {
    size_t offset;
    int entries; // one after another in the image, or kEachStop
    int bytes;   // of each entry: 1, or 2 for a 16-bit number
    Bound min, max;
    unsigned nameId; // a "%d" in the name takes the entry's number
};

#define AT(field) offsetof(ControllerConfig, field)

// In image order, so that the stop count and the first served stop are known to be in range
// when a later bound uses them. The timers take any byte. The site and stop names are not
// numbers: the line carries as many of their characters as it has room for.
const FieldRange kRanges[] = {
    {AT(systemNumber), 1, 2, N(1), N(65535), str::FieldSystemNumber},
    {AT(stopCount), 1, 1, N(2), {TypeStopLimit, 0}, str::FieldStopCount},
    {AT(controlType), 1, 1, N(0), N(5), str::FieldControlType},
    {AT(controllerFunction), 1, 1, N(0), N(3), str::FieldFunction},
    {AT(restStation), 1, 1, N(0), StopsPlus(0), str::FieldRestStation},
    {AT(duplexMainStation), 1, 1, N(0), StopsPlus(0), str::FieldMainStation},
    {AT(duplexSecondaryStation), 1, 1, N(0), StopsPlus(0), str::FieldSecondaryStation},
    {AT(fireStation), 1, 1, N(1), StopsPlus(0), str::FieldFireStation},
    {AT(doorMode), 1, 1, N(0), N(8), str::FieldDoorMode},
    {AT(auxOutputType), 1, 1, N(1), N(8), str::FieldAuxOutputType},
    {AT(relayFunction), kRelayCount, 1, N(0), N(99), str::FieldRelay},
    {AT(auxTerminalFunction), kAuxTerminalCount, 1, N(0), N(99), str::FieldAuxTerminal},
    {AT(screenSystem), 1, 1, N(1), N(6), str::FieldScreenSystem},
    {AT(cabinNumber), 1, 1, N(0), N(6), str::FieldCabin},
    {AT(stopDoors), kEachStop, 1, N(0), N(3), str::FieldStopDoors},
    {AT(carSpeed), 1, 2, N(10), N(200), str::FieldCarSpeed},
    {AT(preOpening), 1, 1, N(0), N(1), str::FieldPreOpening},
    {AT(mainRestsDoorClosed), 1, 1, N(0), N(1), str::FieldMainRestsDoorClosed},
    {AT(secondaryRestsDoorClosed), 1, 1, N(0), N(1), str::FieldSecondaryRestsDoorClosed},
    {AT(firstServedStop), 1, 1, N(1), StopsPlus(-1), str::FieldFirstServedStop},
    {AT(lastServedStop), 1, 1, {FirstServed, 1}, StopsPlus(0), str::FieldLastServedStop},
    {AT(preClosingContact), 1, 1, N(0), N(1), str::FieldPreClosingContact},
    {AT(falseStopLimit), 1, 1, N(0), N(9), str::FieldFalseStopLimit},
    {AT(closeAttempts), 1, 1, N(1), N(4), str::FieldCloseAttempts},
    {AT(openAttempts), 1, 1, N(1), N(4), str::FieldOpenAttempts},
    {AT(minLoadCabinCallLimit), 1, 1, N(0), N(9), str::FieldMinLoadCabinCallLimit},
    {AT(alwaysOpenOnArrival), 1, 1, N(0), N(1), str::FieldAlwaysOpenOnArrival},
    {AT(stopCallsNotServed), kEachStop, 1, N(0), N(7), str::FieldStopCallsNotServed},
    {AT(independentHallButtons), 1, 1, N(0), N(1), str::FieldIndependentHallButtons},
    {AT(specialVoiceAnnouncer), 1, 1, N(0), N(1), str::FieldSpecialVoiceAnnouncer},
};

#undef AT

} // namespace

bool FindFieldOutOfRange(const ControllerConfig& c, FieldOutOfRange& found) {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(&c);
    int stops = c.stopCount < kMaxStops ? c.stopCount : kMaxStops;
    for (const FieldRange& f : kRanges) {
        int entries = f.entries == kEachStop ? stops : f.entries;
        for (int i = 0; i < entries; ++i) {
            const uint8_t* at = image + f.offset + i * f.bytes;
            int value = f.bytes == 2 ? at[0] | at[1] << 8 : at[0];
            if (value >= Value(f.min, c) && value <= Value(f.max, c)) continue;
            char name[sizeof found.name];
            LoadResString(f.nameId, name, sizeof name);
            std::snprintf(found.name, sizeof found.name, name, i + 1);
            found.value = value;
            return true;
        }
    }
    return false;
}

bool DescribeFieldOutOfRange(const ControllerConfig& image, char* text, int size) {
    FieldOutOfRange found;
    if (!FindFieldOutOfRange(image, found)) return false;
    std::snprintf(text, size, ResString(str::FieldOutOfRangeMessage), found.name, found.value);
    return true;
}
