#include "sim_controller.h"

#include "app/config_file.h"
#include "link/wire_encoding.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

void SetData(LinkPacket& p, const std::string& text) {
    p.LA = (uint8_t)(text.size() > kMaxPacketData ? kMaxPacketData : text.size());
    std::memcpy(p.data, text.data(), p.LA);
}

std::string Part1Text(const ControllerConfig& c) {
    char text[kPart1Length];
    EncodePart1(c, text);
    return std::string(text, kPart1Length);
}

std::string Part2Text(const ControllerConfig& c) {
    char text[kPart2Length];
    EncodePart2(c, text);
    return std::string(text, kPart2Length);
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

bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 10);
    return *end == '\0' && text[0] != '-' && value <= max;
}

bool ParseEvents(const std::string& text, std::vector<EventRecord>& events) {
    events.clear();
    if (text == "none" || text.empty()) return true;
    size_t at = 0;
    while (at <= text.size()) {
        size_t comma = text.find(',', at);
        std::string item =
            text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        size_t colon = item.find(':');
        unsigned long code, stop;
        if (colon == std::string::npos || !ParseUnsigned(item.substr(0, colon), 99, code) ||
            !ParseUnsigned(item.substr(colon + 1), 99, stop) || code == 0)
            return false;
        if (events.size() < (size_t)kMaxEvents) events.push_back({(int)code, (int)stop});
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return true;
}

bool LoadConfigFile(const std::string& path, ControllerConfig& config, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    ControllerConfig loaded;
    int size = bytes.size() > (size_t)kConfigFileSize ? kConfigFileSize : (int)bytes.size();
    if (!DecodeConfigFile(bytes.data(), size, loaded)) {
        error = path + " is not a .Z94 configuration file";
        return false;
    }
    config = loaded;
    return true;
}

} // namespace

const char* const kSimOptionHelp =
    "  version TEXT        firmware version, five characters (default 03.07)\n"
    "  model MARK          model mark after the version (default 94VK)\n"
    "  config FILE         stored configuration from a .Z94 file (default: empty)\n"
    "  empty               stored configuration back to the empty one\n"
    "  system N            stored system number (1..65535)\n"
    "  cabin N             stored cabin number (0..9)\n"
    "  write-answer L      answer to 'a', 'h', 'e': e (accept), f, m or M\n"
    "  mismatch P          store something else than written: none, part1 or part2\n"
    "  delay MS            wait before each answer\n"
    "  drop N              do not send the next N answers\n"
    "  bad-check N         send the next N answers with a wrong check\n"
    "  wrong-address N     send the next N answers with address letters o c\n"
    "  noise N             send N noise bytes before each answer (0: none)\n"
    "  split N             send frames in pieces of N bytes (0: whole)\n"
    "  gap MS              pause between pieces (default 50)\n"
    "  events LIST         event log, code:stop,... up to 50, or none\n"
    "  hours N             running hours counter (0..999999)\n"
    "  operations N        operations counter (0..999999)\n";

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
        SetData(answer, Part1Text(config));
        return true;
    case 'f':
        if (!twoPart) {
            note = "no configuration part 2 before version 3";
            return false;
        }
        answer.OR = 'c';
        SetData(answer, Part2Text(config));
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

bool ApplySimOption(SimController& sim, const std::string& name, const std::string& value,
                    std::string& error) {
    unsigned long n = 0;
    auto number = [&](unsigned long max) {
        if (ParseUnsigned(value, max, n)) return true;
        error = name + ": expected a number from 0 to " + std::to_string(max);
        return false;
    };
    if (name == "version") {
        if (value.empty() || value.size() > 5) {
            error = "version: one to five characters, such as 03.07";
            return false;
        }
        sim.version = value;
    } else if (name == "model") {
        if (value.size() > 200) {
            error = "model: at most 200 characters";
            return false;
        }
        sim.model = value;
    } else if (name == "config") {
        return LoadConfigFile(value, sim.config, error);
    } else if (name == "empty") {
        sim.config = MakeEmptyConfig();
    } else if (name == "system") {
        if (!number(65535)) return false;
        sim.config.systemNumber = (uint16_t)n;
    } else if (name == "cabin") {
        if (!number(9)) return false;
        sim.config.cabinNumber = (uint8_t)n;
    } else if (name == "write-answer") {
        if (value != "e" && value != "f" && value != "m" && value != "M") {
            error = "write-answer: e, f, m or M";
            return false;
        }
        sim.writeAnswer = value[0];
    } else if (name == "mismatch") {
        if (value == "none")
            sim.mismatch = 0;
        else if (value == "part1")
            sim.mismatch = 1;
        else if (value == "part2")
            sim.mismatch = 2;
        else {
            error = "mismatch: none, part1 or part2";
            return false;
        }
    } else if (name == "delay") {
        if (!number(600000)) return false;
        sim.delayMs = (unsigned)n;
    } else if (name == "drop") {
        if (!number(1000000)) return false;
        sim.dropNext = (int)n;
    } else if (name == "bad-check") {
        if (!number(1000000)) return false;
        sim.badCheckNext = (int)n;
    } else if (name == "wrong-address") {
        if (!number(1000000)) return false;
        sim.wrongAddressNext = (int)n;
    } else if (name == "noise") {
        if (!number(1000)) return false;
        sim.noiseBytes = (int)n;
    } else if (name == "split") {
        if (!number(1000)) return false;
        sim.splitBytes = (int)n;
    } else if (name == "gap") {
        if (!number(60000)) return false;
        sim.gapMs = (unsigned)n;
    } else if (name == "events") {
        if (!ParseEvents(value, sim.events)) {
            error = "events: code:stop,... with codes 1..99 and stops 0..99, or none";
            return false;
        }
    } else if (name == "hours") {
        if (!number(999999)) return false;
        sim.hours = (uint32_t)n;
    } else if (name == "operations") {
        if (!number(999999)) return false;
        sim.operations = (uint32_t)n;
    } else {
        error = "unknown option " + name;
        return false;
    }
    return true;
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
