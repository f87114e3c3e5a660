#pragma once
// The frame on the wire: 'V' 'U', CD CO OR, the data, the trailer CD 'U' 'V' (every 'U' of the
// header and data sent twice), two upper-case hex digits of the two's complement of the 8-bit
// sum of all that, then LF CR.
#include "link/link_packet.h"

// Every header and data byte doubled: 2 + 6 + 2 * 255 + 3 + 2 + 2.
constexpr int kMaxFrameSize = 525;

// Writes the frame of `packet` into `out` (kMaxFrameSize bytes at least) and returns its length.
int EncodeFrame(const LinkPacket& packet, uint8_t* out);

// The check text of an 8-bit sum: "%02X" of its two's complement.
void FormatFrameCheck(uint8_t sum, char out[3]);
