// The part decoders on arbitrary text, then encoding what they produced: nothing outside each
// part's fields changes, and the texts never run past their length.
#include "link/wire_encoding.h"

#include <cstddef>
#include <cstdint>
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LinkPacket packet{};
    ControllerConfig image{};
    size_t n = size < sizeof packet.data ? size : sizeof packet.data;
    std::memcpy(packet.data, data, n);
    packet.LA = (uint8_t)n;
    if (size > n) {
        size_t m = size - n < sizeof image ? size - n : sizeof image;
        std::memcpy(&image, data + n, m);
    }

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
    EncodePart1(one, text);
    if (std::memcmp(text + kPart1Length, "########", 8) != 0) std::abort();
    LinkPacket again{};
    std::memcpy(again.data, text, kPart1Length);
    again.LA = kPart1Length;
    DecodePart1(again, one);

    std::memset(text, '#', sizeof text);
    EncodePart2(two, text);
    if (std::memcmp(text + kPart2Length, "########", 8) != 0) std::abort();
    return 0;
}
