// The part texts both ways, on an arbitrary image and an arbitrary answer text. Decoding touches
// only its part's fields and never reads past them; encoding writes its exact length. An image in
// range comes back from its own texts as it was; one out of range is named by the check that
// keeps the transmit command from sending it.
//
// Input: the 256-byte image, then up to 255 characters of answer data.
#include "config/config_ranges.h"
#include "link/wire_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The bytes part 1 does not write: part 2's, the site name's tail, each stop slot's last byte.
bool OutsidePart1(size_t offset) {
    if (offset >= offsetof(ControllerConfig, carSpeed)) return true;
    if (offset >= 93 && offset <= 96) return true;
    size_t names = offsetof(ControllerConfig, stopNames);
    return offset >= names && offset < names + sizeof(ControllerConfig::stopNames) &&
           (offset - names) % kStopNameSize == 3;
}

// A name as its characters up to `width`, without the blanks that pad it on the line.
void PutName(char* field, size_t size, size_t width, bool trimLeading) {
    char name[kSiteNameSize + 1] = "";
    std::memcpy(name, field, width < size ? width : size);
    char* text = name;
    if (trimLeading)
        while (*text == ' ')
            ++text;
    for (size_t n = std::strlen(text); n > 0 && text[n - 1] == ' ';)
        text[--n] = '\0';
    std::memset(field, 0, size);
    std::memcpy(field, text, std::strlen(text));
}

// What the line carries of an image: the indicator and supervision bits of optionFlags, no cabin
// for a hall-call controller, the names as shown (a one-letter stop name goes behind a blank),
// the stops the image has.
ControllerConfig Carried(ControllerConfig c) {
    c.optionFlags &= 0x0F;
    if (c.controllerFunction == 0) c.cabinNumber = 0;
    PutName(c.siteName, sizeof c.siteName, kSiteNameMax, false);
    for (int i = 0; i < kMaxStops; ++i) {
        PutName(c.stopNames[i], kStopNameSize, kStopNameMax, true);
        if (i >= c.stopCount) c.stopDoors[i] = c.stopCallsNotServed[i] = 0;
    }
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ControllerConfig image{};
    size_t used = size < sizeof image ? size : sizeof image;
    std::memcpy(&image, data, used);
    LinkPacket packet{};
    packet.LA = (uint8_t)(size - used < sizeof packet.data ? size - used : sizeof packet.data);
    std::memcpy(packet.data, data + used, packet.LA);

    ControllerConfig one = image, two = image;
    DecodePart1(packet, one);
    DecodePart2(packet, two);
    const uint8_t* before = (const uint8_t*)&image;
    for (size_t i = 0; i < sizeof image; ++i) {
        if (OutsidePart1(i) && ((const uint8_t*)&one)[i] != before[i]) std::abort();
        if (i < offsetof(ControllerConfig, carSpeed) && ((const uint8_t*)&two)[i] != before[i])
            std::abort();
    }

    // Encoding writes its exact length; the guard after it stays.
    char text[kPart1Length + 8];
    std::memset(text, '#', sizeof text);
    EncodePart1(image, text);
    if (std::memcmp(text + kPart1Length, "########", 8) != 0) std::abort();
    std::memset(text, '#', sizeof text);
    EncodePart2(image, text);
    if (std::memcmp(text + kPart2Length, "########", 8) != 0) std::abort();

    char message[512];
    FieldOutOfRange found;
    if (FindFieldOutOfRange(image, found)) {
        char value[16];
        std::snprintf(value, sizeof value, " %d ", found.value);
        if (!DescribeFieldOutOfRange(image, message, sizeof message) ||
            !std::strstr(message, found.name) || !std::strstr(message, value))
            std::abort();
        return 0;
    }
    if (DescribeFieldOutOfRange(image, message, sizeof message)) std::abort();
    PartTexts texts = EncodeParts(image);
    LinkPacket part1{}, part2{};
    std::memcpy(part1.data, texts.part1.data(), kPart1Length);
    std::memcpy(part2.data, texts.part2.data(), kPart2Length);
    ControllerConfig back{};
    DecodePart1(part1, back);
    DecodePart2(part2, back);
    ControllerConfig sent = Carried(image), received = Carried(back);
    if (std::memcmp(&sent, &received, sizeof sent) != 0) std::abort();
    return 0;
}
