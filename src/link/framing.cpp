#include "link/framing.h"

#include <cstdio>

namespace {
constexpr uint8_t kStart = 'V';
constexpr uint8_t kStuff = 'U';
} // namespace

void FormatFrameCheck(uint8_t sum, char out[3]) {
    std::snprintf(out, 3, "%02X", (unsigned)(uint8_t)(0u - sum));
}

int EncodeFrame(const LinkPacket& packet, uint8_t* out) {
    int n = 0;
    uint8_t sum = 0;
    auto put = [&](uint8_t b) {
        out[n++] = b;
        sum = (uint8_t)(sum + b);
    };
    auto putStuffed = [&](uint8_t b) {
        put(b);
        if (b == kStuff) put(b);
    };
    put(kStart);
    put(kStuff);
    putStuffed(packet.CD);
    putStuffed(packet.CO);
    putStuffed(packet.OR);
    for (int i = 0; i < packet.LA; ++i)
        putStuffed(packet.data[i]);
    // The trailer's copy of CD is never doubled: CD is never 'U' in this protocol.
    put(packet.CD);
    put(kStuff);
    put(kStart);
    char check[3];
    FormatFrameCheck(sum, check);
    out[n++] = (uint8_t)check[0];
    out[n++] = (uint8_t)check[1];
    out[n++] = '\n';
    out[n++] = '\r';
    return n;
}
