#pragma once
// Helpers shared by the link tests: packets from text, frames as strings, a byte source over a
// buffer.
#include "link/framing.h"
#include "link/receiver.h"

#include <cstring>
#include <string>

inline LinkPacket Packet(char cd, char co, char command, const std::string& data = "") {
    LinkPacket p{};
    p.CD = (uint8_t)cd;
    p.CO = (uint8_t)co;
    p.OR = (uint8_t)command;
    p.LA = (uint8_t)data.size();
    std::memcpy(p.data, data.data(), data.size());
    return p;
}

// An answer of the controller: 'c' 'o'.
inline LinkPacket Answer(char command, const std::string& data = "") {
    return Packet('c', 'o', command, data);
}

inline std::string Frame(const LinkPacket& p) {
    uint8_t bytes[kMaxFrameSize];
    int n = EncodeFrame(p, bytes);
    return std::string((const char*)bytes, n);
}

inline std::string DataOf(const LinkPacket& p) {
    return std::string((const char*)p.data, p.LA);
}

// Bytes waiting on the line, read one at a time.
struct BufferSource {
    std::string bytes;
    size_t pos = 0;
    ByteSource source{.context = this, .readByte = [](void* c, uint8_t* b) {
                          auto* self = static_cast<BufferSource*>(c);
                          if (self->pos >= self->bytes.size()) return false;
                          *b = (uint8_t)self->bytes[self->pos++];
                          return true;
                      }};
    void Add(const std::string& more) { bytes += more; }
};
