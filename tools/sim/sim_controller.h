#pragma once
// The controller that zrt94sim plays: what it stores and how it answers each request, with the
// faults a trainer or a test can ask of it.
#include "config/controller_config.h"
#include "events/event_log.h"
#include "link/link_packet.h"

#include <cstdint>
#include <string>
#include <vector>

struct SimController {
    // What the controller is.
    ControllerConfig config = MakeEmptyConfig();
    std::string version = "03.07"; // five characters on the line
    std::string model = "94VK";
    uint32_t hours = 0;
    uint32_t operations = 0;
    std::vector<EventRecord> events;

    // How it misbehaves.
    char writeAnswer = 'e';   // answer to 'a', 'h' and 'e': accepted, or 'f', 'm', 'M'
    int mismatch = 0;         // 1 or 2: what it stores differs from what it got, in that part
    unsigned delayMs = 0;     // before each answer
    int dropNext = 0;         // answers not sent
    int badCheckNext = 0;     // answers sent with a wrong check
    int wrongAddressNext = 0; // answers sent with the request's address letters
    int shortNext = 0;        // answers with data sent one character short
    int noiseBytes = 0;       // bytes of noise before each answer
    int splitBytes = 0;       // frames sent in pieces of this size (0: whole)
    unsigned gapMs = 50;      // between pieces
    int twiceNext = 0;        // answers sent twice
    int staleNext = 0;        // answers replaced by the one sent before, meant for another request
    bool hangUp = false;      // the line is to be closed and a new one opened in its place

    int Major() const;

    // The answer to one request; false when the controller stays silent, with the reason in
    // `note`. Writes it accepts are stored, so a read-back returns them.
    bool Respond(const LinkPacket& request, LinkPacket& answer, std::string& note);
};

// One line of the frame log: "RX CD=o CO=c OR=v LA=0 DATA=\"\"", data bytes outside printable
// ASCII written \xHH.
std::string DescribePacket(const char* direction, const LinkPacket& packet);
