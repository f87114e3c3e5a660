#pragma once
// One packet of the controller's line protocol, as it is held in memory. Requests carry 'o' 'c'
// in CD CO, answers 'c' 'o'; OR is the command or answer letter.
#include <cstdint>

constexpr int kMaxPacketData = 255;

struct LinkPacket {
    uint8_t CD;
    uint8_t CO;
    uint8_t OR;
    uint8_t LA; // number of data bytes
    uint8_t data[kMaxPacketData];
};

// A request of the program: 'o' 'c', the command letter and no data.
inline LinkPacket MakeRequest(char command) {
    LinkPacket p{};
    p.CD = 'o';
    p.CO = 'c';
    p.OR = (uint8_t)command;
    return p;
}
