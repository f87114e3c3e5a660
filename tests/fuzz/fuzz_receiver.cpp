// The receiver fed arbitrary bytes: all at once, and in pieces whose sizes come from the input.
// Both must give the same packets, and every packet must survive being framed again.
#include "link/framing.h"
#include "link/receiver.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Source {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    size_t end = 0; // bytes available so far
    ByteSource source{.context = this, .readByte = [](void* c, uint8_t* b) {
                          auto* s = static_cast<Source*>(c);
                          if (s->pos >= s->end) return false;
                          *b = s->data[s->pos++];
                          return true;
                      }};
};

bool Same(const LinkPacket& a, const LinkPacket& b) {
    return a.CD == b.CD && a.CO == b.CO && a.OR == b.OR && a.LA == b.LA &&
           std::memcmp(a.data, b.data, a.LA) == 0;
}

std::vector<LinkPacket> Drain(PacketReceiver& receiver, Source& s) {
    std::vector<LinkPacket> packets;
    LinkPacket p;
    while (ReceivePacket(receiver, s.source, p))
        packets.push_back(p);
    return packets;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t pieceSeed = data[0];
    data += 1;
    size -= 1;

    PacketReceiver whole;
    Source all{data, size, 0, size};
    std::vector<LinkPacket> expected = Drain(whole, all);

    PacketReceiver split;
    Source pieces{data, size, 0, 0};
    std::vector<LinkPacket> got;
    size_t step = 1 + pieceSeed % 37;
    while (pieces.end < size) {
        pieces.end = pieces.end + step < size ? pieces.end + step : size;
        for (const LinkPacket& p : Drain(split, pieces))
            got.push_back(p);
        step = 1 + (step * 7 + pieceSeed) % 41;
    }
    if (got.size() != expected.size()) std::abort();
    for (size_t i = 0; i < got.size(); ++i)
        if (!Same(got[i], expected[i])) std::abort();

    // A packet received is one that can be sent: framing it again gives it back.
    for (const LinkPacket& p : expected) {
        if (p.CD == 'U') continue; // the trailer's copy is never stuffed
        uint8_t frame[kMaxFrameSize];
        int n = EncodeFrame(p, frame);
        if (n > kMaxFrameSize) std::abort();
        PacketReceiver again;
        Source s{frame, (size_t)n, 0, (size_t)n};
        std::vector<LinkPacket> back = Drain(again, s);
        if (back.size() != 1 || !Same(back[0], p)) std::abort();
    }
    return 0;
}
