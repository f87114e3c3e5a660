#include "link/version_answer.h"

#include "link/wire_encoding.h"

#include <cstring>

bool HasModelMark(const LinkPacket& answer) {
    return answer.LA == kVersionAnswerLength && std::memcmp(answer.data + 5, "94VK", 4) == 0;
}

int VersionMajor(const LinkPacket& answer) {
    return ParseDecimalField(answer.data, 5);
}

int VersionMinor(const LinkPacket& answer) {
    return ParseDecimalField(answer.data + 3, 2);
}
