#include "sim_controller.h"

#include "link/wire_encoding.h"

#include <cstdio>
#include <cstring>

namespace {

void SetData(LinkPacket& p, const std::string& text) {
    p.LA = (uint8_t)(text.size() > kMaxPacketData ? kMaxPacketData : text.size());
    std::memcpy(p.data, text.data(), p.LA);
}

std::string EventsText(const std::vector<EventRecord>& events) {
    std::string text;
    for (size_t i = 0; i < (size_t)kMaxEvents; ++i) {
        char record[16] = "0000";
        if (i < events.size())
            std::snprintf(record, sizeof record, "%02d%02d", events[i].code % 100,
                          events[i].stop % 100);
        text += std::string(record, 4);
    }
    return text;
}

// Takes a configuration part the program sent ('a', 'h' or 'e').
char TakeWrite(SimController& sim, const LinkPacket& request, int part) {
    int expected = part == 1 ? kPart1Length : kPart2Length;
    if (request.LA != expected) return 'M';
    if (sim.writeAnswer != 'e') return sim.writeAnswer;
    if (part == 1) {
        DecodePart1(request, sim.config);
        if (sim.mismatch == 1) sim.config.TEP = (uint8_t)(sim.config.TEP + 1);
    } else {
        DecodePart2(request, sim.config);
        if (sim.mismatch == 2) sim.config.carSpeed = (uint16_t)(sim.config.carSpeed + 1);
    }
    return 'e';
}

} // namespace

int SimController::Major() const {
    return ParseDecimalField((const uint8_t*)version.c_str(),
                             (int)(version.size() < 5 ? version.size() : 5));
}

bool SimController::Respond(const LinkPacket& request, LinkPacket& answer, std::string& note) {
    if (request.CD != 'o' || request.CO != 'c') {
        note = "not a request of the program";
        return false;
    }
    answer = LinkPacket{};
    answer.CD = 'c';
    answer.CO = 'o';
    bool twoPart = Major() >= 3;
    switch (request.OR) {
    case 'v': {
        std::string text = version.substr(0, 5);
        text.resize(5, ' ');
        answer.OR = 'w';
        SetData(answer, text + model);
        return true;
    }
    case 'b':
        answer.OR = 'c';
        SetData(answer, EncodeParts(config).part1);
        return true;
    case 'f':
        if (!twoPart) {
            note = "no configuration part 2 before version 3";
            return false;
        }
        answer.OR = 'c';
        SetData(answer, EncodeParts(config).part2);
        return true;
    case 'a':
    case 'h': answer.OR = (uint8_t)TakeWrite(*this, request, 1); return true;
    case 'e': answer.OR = (uint8_t)TakeWrite(*this, request, 2); return true;
    case 'g': {
        if (!twoPart) {
            note = "no counters before version 3";
            return false;
        }
        char text[16];
        std::snprintf(text, sizeof text, "%06u%06u", (unsigned)hours, (unsigned)operations);
        answer.OR = 'G';
        SetData(answer, text);
        return true;
    }
    case 'c':
        answer.OR = 'C';
        SetData(answer, EventsText(events));
        return true;
    case 'd':
        events.clear();
        answer.OR = 'D';
        return true;
    default: note = "unknown command"; return false;
    }
}

std::string DescribePacket(const char* direction, const LinkPacket& p) {
    auto letter = [](uint8_t c) {
        char s[8];
        if (c > 0x20 && c < 0x7F)
            std::snprintf(s, sizeof s, "%c", c);
        else
            std::snprintf(s, sizeof s, "\\x%02X", c);
        return std::string(s);
    };
    std::string line = std::string(direction) + " CD=" + letter(p.CD) + " CO=" + letter(p.CO) +
                       " OR=" + letter(p.OR) + " LA=" + std::to_string(p.LA) + " DATA=\"";
    for (int i = 0; i < p.LA; ++i) {
        uint8_t c = p.data[i];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            line += (char)c;
        } else {
            char s[8];
            std::snprintf(s, sizeof s, "\\x%02X", c);
            line += s;
        }
    }
    return line + "\"";
}
