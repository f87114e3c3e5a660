#include "link/wire_encoding.h"

#include <cstdio>
#include <cstring>

namespace {

// Formats `value` with `format` and keeps the field's width: a wider value sends its leading
// digits only.
void PutField(char*& out, int width, const char* format, int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, format, value);
    std::memcpy(out, digits, width);
    out += width;
}

void PutSigned(char*& out, int width, const char* format, uint8_t value) {
    PutField(out, width, format, (int8_t)value);
}

void PutUnsigned(char*& out, int width, const char* format, unsigned value) {
    PutField(out, width, format, (int)value);
}

struct FieldReader {
    const uint8_t* p;
    int Next(int width) {
        int v = ParseDecimalField(p, width);
        p += width;
        return v;
    }
    uint8_t Byte(int width) { return (uint8_t)Next(width); }
};

// The sixteen timers in the order both the image and the text hold them.
uint8_t ControllerConfig::*const kTimers[] = {
    &ControllerConfig::TEP,   &ControllerConfig::TALA,  &ControllerConfig::TZUM,
    &ControllerConfig::TPA,   &ControllerConfig::TACL,  &ControllerConfig::TACEA,
    &ControllerConfig::TNIV0, &ControllerConfig::TRETP, &ControllerConfig::TAPA,
    &ControllerConfig::TOPC,  &ControllerConfig::TACEB, &ControllerConfig::TARR,
    &ControllerConfig::TESTR, &ControllerConfig::TGON,  &ControllerConfig::TGEN,
    &ControllerConfig::TINHP,
};

size_t BoundedLength(const char* text, size_t size) {
    size_t n = 0;
    while (n < size && text[n])
        ++n;
    return n;
}

} // namespace

int ParseDecimalField(const uint8_t* field, int width) {
    int i = 0;
    while (i < width && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < width && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    int value = 0;
    for (; i < width && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + (field[i] - '0');
    return negative ? -value : value;
}

void EncodePart1(ControllerConfig c, char* text) {
    char* out = text;
    PutUnsigned(out, 5, "%05u", c.systemNumber);
    PutSigned(out, 2, "%02d", c.stopCount);
    *out++ = (char)('0' + (c.optionFlags & 0x0F));
    PutSigned(out, 1, "%01d", c.controlType);
    PutSigned(out, 1, "%01d", c.controllerFunction);
    PutSigned(out, 2, "%02d", c.restStation);
    PutSigned(out, 2, "%02d", c.duplexMainStation);
    PutSigned(out, 2, "%02d", c.duplexSecondaryStation);
    PutSigned(out, 2, "%02d", c.fireStation);
    for (auto timer : kTimers)
        PutUnsigned(out, 3, "%03d", c.*timer);
    PutSigned(out, 1, "%01d", c.doorMode);
    PutUnsigned(out, 1, "%01d", c.auxOutputType);
    for (uint8_t f : c.relayFunction)
        PutUnsigned(out, 2, "%02d", f);
    for (uint8_t f : c.auxTerminalFunction)
        PutUnsigned(out, 2, "%02d", f);
    PutSigned(out, 1, "%01d", c.screenSystem);
    if (c.controllerFunction == 0)
        *out++ = 'E';
    else
        PutUnsigned(out, 1, "%01d", c.cabinNumber);

    c.siteName[kSiteNameMax] = '\0';
    std::memset(out, ' ', kSiteNameMax);
    std::memcpy(out, c.siteName, std::strlen(c.siteName));
    out += kSiteNameMax;

    for (const char* name : c.stopNames) {
        // Two characters always: a one-letter name is sent behind a space.
        size_t length = BoundedLength(name, kStopNameSize);
        *out++ = length >= 2 ? name[0] : ' ';
        *out++ = length >= 2 ? name[1] : length == 1 ? name[0] : ' ';
    }
    for (uint8_t doors : c.stopDoors)
        PutUnsigned(out, 1, "%01d", doors);
}

void EncodePart2(const ControllerConfig& c, char* text) {
    char* out = text;
    PutUnsigned(out, 3, "%03d", c.carSpeed);
    PutUnsigned(out, 1, "%01d",
                c.preOpening + 2u * c.independentHallButtons + 4u * c.specialVoiceAnnouncer);
    PutUnsigned(out, 1, "%01d", c.mainRestsDoorClosed);
    PutUnsigned(out, 1, "%01d", c.secondaryRestsDoorClosed);
    PutSigned(out, 2, "%02d", c.firstServedStop);
    PutSigned(out, 2, "%02d", c.lastServedStop);
    PutUnsigned(out, 1, "%01d", c.preClosingContact);
    PutSigned(out, 1, "%01d", c.falseStopLimit);
    PutSigned(out, 1, "%01d", c.closeAttempts);
    PutSigned(out, 1, "%01d", c.openAttempts);
    PutSigned(out, 1, "%01d", c.minLoadCabinCallLimit);
    PutUnsigned(out, 1, "%01d", c.alwaysOpenOnArrival);
    for (uint8_t flags : c.stopCallsNotServed)
        PutUnsigned(out, 1, "%01d", flags);
}

void DecodePart1(const LinkPacket& packet, ControllerConfig& c) {
    FieldReader in{packet.data};
    c.systemNumber = (uint16_t)in.Next(5);
    c.stopCount = in.Byte(2);
    // Bits 4 to 7 are not carried.
    c.optionFlags = (uint8_t)((*in.p++ - '0') & 0x0F);
    c.controlType = in.Byte(1);
    c.controllerFunction = in.Byte(1);
    c.restStation = in.Byte(2);
    c.duplexMainStation = in.Byte(2);
    c.duplexSecondaryStation = in.Byte(2);
    c.fireStation = in.Byte(2);
    for (auto timer : kTimers)
        c.*timer = in.Byte(3);
    c.doorMode = in.Byte(1);
    c.auxOutputType = in.Byte(1);
    for (uint8_t& f : c.relayFunction)
        f = in.Byte(2);
    for (uint8_t& f : c.auxTerminalFunction)
        f = in.Byte(2);
    c.screenSystem = in.Byte(1);
    // A hall-call controller sends 'E' here; its cabin is 0 whatever the character.
    uint8_t cabin = in.Byte(1);
    c.cabinNumber = c.controllerFunction == 0 ? 0 : cabin;

    std::memcpy(c.siteName, in.p, kSiteNameMax);
    c.siteName[kSiteNameMax] = '\0';
    in.p += kSiteNameMax;

    for (char* name : c.stopNames) {
        name[0] = (char)in.p[0];
        name[1] = (char)in.p[1];
        name[2] = '\0';
        in.p += 2;
    }
    for (uint8_t& doors : c.stopDoors)
        doors = in.Byte(1);
}

void DecodePart2(const LinkPacket& packet, ControllerConfig& c) {
    FieldReader in{packet.data};
    c.carSpeed = (uint16_t)in.Next(3);
    int options = in.Next(1);
    c.preOpening = options & 1;
    c.independentHallButtons = (options >> 1) & 1;
    c.specialVoiceAnnouncer = (options >> 2) & 1;
    c.mainRestsDoorClosed = in.Byte(1);
    c.secondaryRestsDoorClosed = in.Byte(1);
    c.firstServedStop = in.Byte(2);
    c.lastServedStop = in.Byte(2);
    c.preClosingContact = in.Byte(1);
    c.falseStopLimit = in.Byte(1);
    c.closeAttempts = in.Byte(1);
    c.openAttempts = in.Byte(1);
    c.minLoadCabinCallLimit = in.Byte(1);
    c.alwaysOpenOnArrival = in.Byte(1);
    for (uint8_t& flags : c.stopCallsNotServed)
        flags = in.Byte(1);
}

int Part1SystemNumber(const LinkPacket& packet) {
    return ParseDecimalField(packet.data, 5);
}

int Part1Cabin(const LinkPacket& packet) {
    return ParseDecimalField(packet.data + kPart1Cabin, 1);
}
