#pragma once
// The communications monitor: a modeless window, created hidden, that shows the last packet
// received and the last packet transmitted, field by field.
#include "link/link_packet.h"

#include <windows.h>

struct CommLink;

// Creates the monitor (dialog 126) owned by `owner`, hidden, showing the port of `link`.
HWND CreateCommMonitor(HINSTANCE instance, HWND owner, CommLink* link);

// The link's port and whether it is open, into the monitor's top fields.
void ShowLinkInMonitor(HWND monitor, const CommLink& link);

// Replaces the received or the transmitted group with `packet`.
void ShowPacketInMonitor(HWND monitor, const LinkPacket& packet, bool received);
