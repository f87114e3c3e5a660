// The monitor's texts for an arbitrary packet: each header letter alone, the length in decimal,
// and the data as it came, up to 250 characters and its first zero byte, always terminated.
//
// Input: CD, CO, OR, LA, then the data.
#include "link/monitor_fields.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool Letter(const char (&text)[2], uint8_t value) {
    return text[0] == (char)value && text[1] == '\0';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LinkPacket packet{};
    std::memcpy(&packet, data, size < sizeof packet ? size : sizeof packet);
    MonitorFields f = FormatMonitorFields(packet);
    if (!Letter(f.CD, packet.CD) || !Letter(f.CO, packet.CO) || !Letter(f.OR, packet.OR) ||
        std::to_string(packet.LA) != f.LA)
        std::abort();
    size_t shown = strnlen(f.data, sizeof f.data);
    size_t most = packet.LA < kMonitorDataMax ? packet.LA : kMonitorDataMax;
    if (shown == sizeof f.data || shown > most || std::memcmp(f.data, packet.data, shown) != 0 ||
        (shown < most && packet.data[shown] != 0))
        std::abort();
    return 0;
}
