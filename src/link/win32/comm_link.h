#pragma once
// The program's only connection to the controller: one serial port, opened at start-up, again
// when another port is chosen or the adapter comes back, the framing of packets on it, and the
// communications monitor that shows the port, its state and the last packet of each direction.
#include "link/link_packet.h"
#include "link/receiver.h"

#include <windows.h>

#include <cstdint>
#include <optional>

struct CommLink {
    uint32_t port = 0;
    HANDLE handle = INVALID_HANDLE_VALUE;
    HWND monitorWindow = nullptr; // made the first time it is shown
    HINSTANCE instance = nullptr;
    HWND owner = nullptr; // owns every message box of the link; parent of the monitor
    uint32_t isOpen = 0;
    bool reportFailures = true; // a failed open shows its message box
    PacketReceiver receiver;
    // Until the monitor is made, the last packet of each direction, [received], for it to show.
    std::optional<LinkPacket> lastPacket[2];

    CommLink() = default;
    CommLink(const CommLink&) = delete;
    CommLink& operator=(const CommLink&) = delete;
    ~CommLink() { Close(); }

    // Opens the port. A failure has been reported to the user by then, and the link stays closed
    // until another port is chosen or the adapter comes (OpenQuietly).
    void Init(uint32_t port, HWND owner, HINSTANCE instance);
    bool Open();
    // As Open, without a message box: for a port that may just be missing.
    bool OpenQuietly();
    void Close();
    // Closes the port in use and opens `newPort` in its place, saying why when it cannot.
    bool SwitchPort(uint32_t newPort);
    bool IsOpen() const { return isOpen != 0; }

    void ShowMonitor(bool show);
    bool IsMonitorVisible() const;

    // True when the whole frame was written.
    bool SendPacket(const LinkPacket& packet);
    // True when a valid frame has just been completed into `packet`; never waits.
    bool ReceivePacket(LinkPacket& packet);
    // Drops whatever waits in the port's input and the receiver: each exchange starts empty, so
    // that a late answer to the last one cannot pass for an answer to it.
    void DiscardInput();

  private:
    bool Configure();
    void ShowInMonitor(const LinkPacket& packet, bool received);
    void Fail(unsigned textId);
    void ShowPortMessage(unsigned textId, const char* portName);
    void ShowStateInMonitor();
};
