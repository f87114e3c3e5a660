#pragma once
// The texts the communications monitor shows for one packet: the header letters, the length in
// decimal and the data as text, at most 250 characters and no further than a zero byte.
#include "link/link_packet.h"

constexpr int kMonitorDataMax = 250;

struct MonitorFields {
    char CD[2], CO[2], OR[2];
    char LA[4];
    char data[kMonitorDataMax + 1];
};

MonitorFields FormatMonitorFields(const LinkPacket& packet);
