#pragma once
// Assembles incoming bytes into packets. The state survives between calls: a frame may arrive in
// any number of pieces.
#include "link/link_packet.h"

// Where the receiver's bytes come from: the serial port in the program, a buffer in tests.
struct ByteSource {
    void* context;
    // One byte, or false when none is available right now (never blocks).
    bool (*readByte)(void* context, uint8_t* byte);
};

enum class ReceiverState { Idle, GotStart, Body, GotU, Check1, Check2 };

constexpr int kReceiverBodySize = 300;

struct PacketReceiver {
    ReceiverState state = ReceiverState::Idle;
    uint8_t sum = 0;
    int stored = 0;
    uint8_t body[kReceiverBodySize] = {};
    char check[2] = {};
    char expected[3] = {};

    // Feeds one byte; true when it completed a valid frame, which is then in `packet`.
    bool Feed(uint8_t byte, LinkPacket& packet);
    // Forgets a frame cut short, which would otherwise swallow the start of the next one.
    void Reset() { *this = PacketReceiver{}; }

  private:
    bool Validate(LinkPacket& packet);
};

// Reads from `source` until a frame completes (true, `packet` filled) or no byte is available
// (false). Bytes after a completed frame are left unread for the next call.
bool ReceivePacket(PacketReceiver& receiver, const ByteSource& source, LinkPacket& packet);
