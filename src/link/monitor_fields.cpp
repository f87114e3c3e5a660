#include "link/monitor_fields.h"

#include <cstdio>

namespace {
void Letter(char (&out)[2], uint8_t value) {
    std::snprintf(out, sizeof out, "%c", value);
}
} // namespace

MonitorFields FormatMonitorFields(const LinkPacket& packet) {
    MonitorFields f;
    Letter(f.CD, packet.CD);
    Letter(f.CO, packet.CO);
    Letter(f.OR, packet.OR);
    std::snprintf(f.LA, sizeof f.LA, "%d", packet.LA);
    int n = packet.LA < kMonitorDataMax ? packet.LA : kMonitorDataMax;
    int i = 0;
    for (; i < n && packet.data[i] != 0; ++i)
        f.data[i] = (char)packet.data[i];
    f.data[i] = '\0';
    return f;
}
