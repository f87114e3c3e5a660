#pragma once
// The communications monitor: a modeless window, created hidden, that shows the last packet
// received and the last packet transmitted, field by field.
#include "link/link_packet.h"

#include <windows.h>

#include <cstdint>

// The port the monitor shows at its top, and whether it is open.
struct MonitoredPort {
    uint32_t number;
    bool open;
};

// Creates the monitor (dialog 126) owned by `owner`, hidden, showing `port`. Closing it hides it.
HWND CreateCommMonitor(HINSTANCE instance, HWND owner, MonitoredPort port);

// The port and whether it is open, into the monitor's top fields.
void ShowLinkInMonitor(HWND monitor, uint32_t port, bool open);

// Replaces the received or the transmitted group with `packet`.
void ShowPacketInMonitor(HWND monitor, const LinkPacket& packet, bool received);
