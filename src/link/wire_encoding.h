#pragma once
// The configuration as the controller carries it on the line: two fixed-width decimal texts,
// part 1 (226 characters) and part 2 (40 characters, controllers from version 3.0 on). No
// separators and no terminator.
#include "config/controller_config.h"
#include "link/link_packet.h"

#include <string>

constexpr int kPart1Length = 226;
constexpr int kPart2Length = 40;
constexpr int kPart1SiteName = 114; // offset of the site name in part 1
constexpr int kPart1Cabin = 113;    // offset of the cabin number ('E' for a hall-call controller)

// Write exactly 226 or 40 characters into `text`, no terminator. The site name goes out cut to
// 40 characters; the image itself is not changed.
void EncodePart1(const ControllerConfig& image, char* text);
void EncodePart2(const ControllerConfig& image, char* text);

// Both texts of an image as the controller would send them back.
struct PartTexts {
    std::string part1; // 226 characters
    std::string part2; // 40 characters
};
PartTexts EncodeParts(const ControllerConfig& image);

// Read the 226 or 40 data characters of an answer into the fields of their part; every other
// byte of `image` is left as it was. Any bytes are safe: only fixed-width fields are read.
void DecodePart1(const LinkPacket& packet, ControllerConfig& image);
void DecodePart2(const LinkPacket& packet, ControllerConfig& image);

// The controller's identity as its part 1 gives it: the system number (characters 0 to 4) and
// the cabin (character 113; the 'E' of a hall-call controller reads as 0).
int Part1SystemNumber(const LinkPacket& packet);
int Part1Cabin(const LinkPacket& packet);

// A numeric field as the controller's texts are read: leading blanks and a sign allowed, digits
// up to the first other character, nothing past the field.
int ParseDecimalField(const uint8_t* field, int width);
