#include "link/receiver.h"

#include "link/framing.h"

#include <cstring>

namespace {
constexpr uint8_t kStart = 'V';
constexpr uint8_t kStuff = 'U';
constexpr int kFrameOverhead = 6; // CD CO OR at the start, CD 'U' 'V' at the end
} // namespace

bool PacketReceiver::Feed(uint8_t byte, LinkPacket& packet) {
    switch (state) {
    case ReceiverState::Idle:
        if (byte == kStart) {
            stored = 0;
            sum = kStart;
            state = ReceiverState::GotStart;
        }
        return false;
    case ReceiverState::GotStart:
        if (byte == kStuff) {
            sum = (uint8_t)(sum + byte);
            state = ReceiverState::Body;
        } else if (byte == kStart) {
            stored = 0;
            sum = kStart;
        } else {
            state = ReceiverState::Idle;
        }
        return false;
    case ReceiverState::Body:
        if (stored >= kReceiverBodySize) {
            state = ReceiverState::Idle;
            return false;
        }
        body[stored++] = byte;
        sum = (uint8_t)(sum + byte);
        if (byte == kStuff) state = ReceiverState::GotU;
        return false;
    case ReceiverState::GotU:
        sum = (uint8_t)(sum + byte);
        if (byte == kStuff) {
            state = ReceiverState::Body; // second half of a doubled 'U'
        } else if (byte == kStart && stored < kReceiverBodySize) {
            body[stored++] = byte; // the end mark stays with the body
            state = ReceiverState::Check1;
        } else {
            state = ReceiverState::Idle;
        }
        return false;
    case ReceiverState::Check1:
        check[0] = (char)byte;
        state = ReceiverState::Check2;
        return false;
    case ReceiverState::Check2:
        check[1] = (char)byte;
        state = ReceiverState::Idle;
        return Validate(packet);
    }
    state = ReceiverState::Idle;
    return false;
}

bool PacketReceiver::Validate(LinkPacket& packet) {
    FormatFrameCheck(sum, expected);
    if (check[0] != expected[0] || check[1] != expected[1]) return false;
    if (stored < kFrameOverhead || body[0] != body[stored - 3]) return false;
    // LA is one byte and the packet holds 255 data bytes; the body limit alone would let 294
    // through.
    int length = stored - kFrameOverhead;
    if (length > kMaxPacketData) return false;
    packet.CD = body[0];
    packet.CO = body[1];
    packet.OR = body[2];
    packet.LA = (uint8_t)length;
    std::memcpy(packet.data, body + 3, length);
    return true;
}

bool ReceivePacket(PacketReceiver& receiver, const ByteSource& source, LinkPacket& packet) {
    uint8_t byte;
    while (source.readByte(source.context, &byte))
        if (receiver.Feed(byte, packet)) return true;
    return false;
}
