#include "link/wire_encoding.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// How a field goes on the line and comes back.
enum class Wire {
    Unsigned,   // a byte in decimal, zero-padded to the width
    Signed,     // a byte as a signed 8-bit number, the same way
    Word,       // a 16-bit number, the same way
    LowNibble,  // '0' plus the low 4 bits; the high bits are not carried
    Cabin,      // 'E' on a hall-call controller, whose cabin comes back as 0; else a number
    SiteName,   // the name padded with spaces, cut to the width
    StopName,   // two characters, a one-character name behind a space
    OptionBits, // preOpening + 2 independentHallButtons + 4 specialVoiceAnnouncer, in decimal
};

// A field of a part: `count` entries of `width` characters, one after another in the image and
// on the line (a stop name's entry is its whole slot in the image).
struct WireField {
    size_t offset;
    int count;
    int width;
    Wire kind;
};

#define AT(field) offsetof(ControllerConfig, field)

constexpr WireField kPart1Fields[] = {
    {AT(systemNumber), 1, 5, Wire::Word},
    {AT(stopCount), 1, 2, Wire::Signed},
    {AT(optionFlags), 1, 1, Wire::LowNibble},
    {AT(controlType), 1, 1, Wire::Signed},
    {AT(controllerFunction), 1, 1, Wire::Signed},
    {AT(restStation), 1, 2, Wire::Signed},
    {AT(duplexMainStation), 1, 2, Wire::Signed},
    {AT(duplexSecondaryStation), 1, 2, Wire::Signed},
    {AT(fireStation), 1, 2, Wire::Signed},
    {AT(TEP), 16, 3, Wire::Unsigned}, // the sixteen timers, TEP to TINHP
    {AT(doorMode), 1, 1, Wire::Signed},
    {AT(auxOutputType), 1, 1, Wire::Unsigned},
    {AT(relayFunction), kRelayCount, 2, Wire::Unsigned},
    {AT(auxTerminalFunction), kAuxTerminalCount, 2, Wire::Unsigned},
    {AT(screenSystem), 1, 1, Wire::Signed},
    {AT(cabinNumber), 1, 1, Wire::Cabin}, // after controllerFunction, which it depends on
    {AT(siteName), 1, kSiteNameMax, Wire::SiteName},
    {AT(stopNames), kMaxStops, 2, Wire::StopName},
    {AT(stopDoors), kMaxStops, 1, Wire::Unsigned},
};

constexpr WireField kPart2Fields[] = {
    {AT(carSpeed), 1, 3, Wire::Word},
    {AT(preOpening), 1, 1, Wire::OptionBits},
    {AT(mainRestsDoorClosed), 1, 1, Wire::Unsigned},
    {AT(secondaryRestsDoorClosed), 1, 1, Wire::Unsigned},
    {AT(firstServedStop), 1, 2, Wire::Signed},
    {AT(lastServedStop), 1, 2, Wire::Signed},
    {AT(preClosingContact), 1, 1, Wire::Unsigned},
    {AT(falseStopLimit), 1, 1, Wire::Signed},
    {AT(closeAttempts), 1, 1, Wire::Signed},
    {AT(openAttempts), 1, 1, Wire::Signed},
    {AT(minLoadCabinCallLimit), 1, 1, Wire::Signed},
    {AT(alwaysOpenOnArrival), 1, 1, Wire::Unsigned},
    {AT(stopCallsNotServed), kMaxStops, 1, Wire::Unsigned},
};

#undef AT

template <size_t N> constexpr int TextLength(const WireField (&fields)[N]) {
    int length = 0;
    for (const WireField& f : fields)
        length += f.count * f.width;
    return length;
}
static_assert(TextLength(kPart1Fields) == kPart1Length, "part 1 is 226 characters");
static_assert(TextLength(kPart2Fields) == kPart2Length, "part 2 is 40 characters");

int Stride(Wire kind) {
    return kind == Wire::StopName ? kStopNameSize : 1;
}

// A wider value sends its leading digits only.
void PutNumber(char* out, int width, int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", width, value);
    std::memcpy(out, digits, width);
}

size_t BoundedLength(const uint8_t* text, size_t size) {
    size_t n = 0;
    while (n < size && text[n])
        ++n;
    return n;
}

void Put(const WireField& f, const ControllerConfig& c, char* out) {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(&c);
    for (int i = 0; i < f.count; ++i, out += f.width) {
        const uint8_t* at = image + f.offset + i * Stride(f.kind);
        switch (f.kind) {
        case Wire::Unsigned: PutNumber(out, f.width, *at); break;
        case Wire::Signed: PutNumber(out, f.width, (int8_t)*at); break;
        case Wire::Word: {
            uint16_t word;
            std::memcpy(&word, at, sizeof word);
            PutNumber(out, f.width, word);
            break;
        }
        case Wire::LowNibble: *out = (char)('0' + (*at & 0x0F)); break;
        case Wire::Cabin:
            if (c.controllerFunction == 0)
                *out = 'E';
            else
                PutNumber(out, f.width, *at);
            break;
        case Wire::SiteName:
            std::memset(out, ' ', f.width);
            std::memcpy(out, at, BoundedLength(at, f.width));
            break;
        case Wire::StopName: {
            size_t length = BoundedLength(at, kStopNameSize);
            out[0] = length >= 2 ? (char)at[0] : ' ';
            out[1] = (char)(length >= 2 ? at[1] : length == 1 ? at[0] : ' ');
            break;
        }
        case Wire::OptionBits:
            PutNumber(out, f.width,
                      c.preOpening + 2 * c.independentHallButtons + 4 * c.specialVoiceAnnouncer);
            break;
        }
    }
}

void Take(const WireField& f, const uint8_t* in, ControllerConfig& c) {
    uint8_t* image = reinterpret_cast<uint8_t*>(&c);
    for (int i = 0; i < f.count; ++i, in += f.width) {
        uint8_t* at = image + f.offset + i * Stride(f.kind);
        switch (f.kind) {
        case Wire::Unsigned:
        case Wire::Signed: *at = (uint8_t)ParseDecimalField(in, f.width); break;
        case Wire::Word: {
            uint16_t word = (uint16_t)ParseDecimalField(in, f.width);
            std::memcpy(at, &word, sizeof word);
            break;
        }
        case Wire::LowNibble: *at = (uint8_t)((in[0] - '0') & 0x0F); break;
        case Wire::Cabin:
            *at = c.controllerFunction == 0 ? 0 : (uint8_t)ParseDecimalField(in, f.width);
            break;
        case Wire::SiteName:
            // As it comes, trailing spaces included.
            std::memcpy(at, in, f.width);
            at[f.width] = '\0';
            break;
        case Wire::StopName:
            // The fourth byte of the slot carries nothing and is left alone.
            at[0] = in[0];
            at[1] = in[1];
            at[2] = '\0';
            break;
        case Wire::OptionBits: {
            int bits = ParseDecimalField(in, f.width);
            c.preOpening = bits & 1;
            c.independentHallButtons = (bits >> 1) & 1;
            c.specialVoiceAnnouncer = (bits >> 2) & 1;
            break;
        }
        }
    }
}

template <size_t N>
void EncodeFields(const WireField (&fields)[N], const ControllerConfig& c, char* text) {
    for (const WireField& f : fields) {
        Put(f, c, text);
        text += f.count * f.width;
    }
}

template <size_t N>
void DecodeFields(const WireField (&fields)[N], const LinkPacket& packet, ControllerConfig& c) {
    const uint8_t* in = packet.data;
    for (const WireField& f : fields) {
        Take(f, in, c);
        in += f.count * f.width;
    }
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

void EncodePart1(const ControllerConfig& image, char* text) {
    EncodeFields(kPart1Fields, image, text);
}

void EncodePart2(const ControllerConfig& image, char* text) {
    EncodeFields(kPart2Fields, image, text);
}

PartTexts EncodeParts(const ControllerConfig& image) {
    PartTexts texts{std::string(kPart1Length, ' '), std::string(kPart2Length, ' ')};
    EncodePart1(image, &texts.part1[0]);
    EncodePart2(image, &texts.part2[0]);
    return texts;
}

void DecodePart1(const LinkPacket& packet, ControllerConfig& image) {
    DecodeFields(kPart1Fields, packet, image);
}

void DecodePart2(const LinkPacket& packet, ControllerConfig& image) {
    DecodeFields(kPart2Fields, packet, image);
}

int Part1SystemNumber(const LinkPacket& packet) {
    return ParseDecimalField(packet.data, 5);
}

int Part1Cabin(const LinkPacket& packet) {
    return ParseDecimalField(packet.data + kPart1Cabin, 1);
}
