#pragma once
// The controller's answer to 'v': 'w' with nine characters, a five-character version text such
// as "03.07" followed by the model mark "94VK".
#include "link/link_packet.h"

constexpr int kVersionAnswerLength = 9;

// True when the answer is nine characters long and carries the model mark (case-sensitive).
bool HasModelMark(const LinkPacket& answer);

// The version's major number (the digits at the start of the text) and its minor number (the
// text's fourth and fifth characters).
int VersionMajor(const LinkPacket& answer);
int VersionMinor(const LinkPacket& answer);

// Controllers before 3.0 know only configuration part 1 and have no counters.
constexpr int kTwoPartMajor = 3;
