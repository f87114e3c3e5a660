// The configuration's two texts on the line.
#include "link/wire_encoding.h"

#include "base/cp1252.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

ControllerConfig Decoded1(const std::string& text, ControllerConfig into) {
    DecodePart1(Answer('c', text), into);
    return into;
}

// Fields are written apart with '|' for the reader.
std::string Fields(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '|'), text.end());
    return text;
}

TEST(WireEncoding, EmptyConfigurationTexts) {
    ControllerConfig c = MakeEmptyConfig();
    // System, stops, flags, type, function, four stations, the sixteen timers, door, auxiliary
    // output, relays and terminals, screens, cabin, site, stop names, stop doors.
    EXPECT_EQ(EncodeParts(c).part1,
              Fields("00001|14|0|0|2|00|00|00|01|001001001001001001000001001001001001001001000000|"
                     "0|4|") +
                  std::string(44, '0') + "41" + W1252("Configuración vacía") +
                  std::string(21, ' ') + std::string(48, '?') + std::string(24, '1'));
    EXPECT_EQ(EncodeParts(c).part2, Fields("080|0|1|0|01|14|1|3|2|2|3|0|2|") +
                                        std::string(12, '0') + "4" + std::string(10, '7'));
}

// Part 1 carries the option flags' low four bits as one character; part 2 packs pre-opening,
// independent hall buttons and the special announcer into one digit. That both read back is the
// wire fuzzer's.
TEST(WireEncoding, OptionBitsOfBothParts) {
    ControllerConfig c = MakeEmptyConfig();
    c.systemNumber = 7;
    c.optionFlags = 9;
    EXPECT_EQ(EncodeParts(c).part1.substr(0, 8), "00007149");
    c.optionFlags = 12;
    EXPECT_EQ(EncodeParts(c).part1[7], '<');
    c.optionFlags = 0xF3; // the reserved bits are not carried
    EXPECT_EQ(EncodeParts(c).part1[7], '3');
    EXPECT_EQ(Decoded1(EncodeParts(c).part1, c).optionFlags, 3);
    c.preOpening = c.specialVoiceAnnouncer = 1;
    EXPECT_EQ(EncodeParts(c).part2[3], '5');
    c.independentHallButtons = 1;
    EXPECT_EQ(EncodeParts(c).part2[3], '7');
}

// Whatever cabin it holds; a digit there is not read either.
TEST(WireEncoding, HallCallControllerSendsEAndDecodesCabinZero) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = 0;
    c.cabinNumber = 3;
    std::string text = EncodeParts(c).part1;
    EXPECT_EQ(text[kPart1Cabin], 'E');
    text[kPart1Cabin] = '5';
    EXPECT_EQ(Decoded1(text, MakeEmptyConfig()).cabinNumber, 0);
}

TEST(WireEncoding, StopNameRules) {
    ControllerConfig c = MakeEmptyConfig();
    std::memcpy(c.stopNames[0], "A\0\0\0", 4);
    std::memcpy(c.stopNames[1], "\0\0\0\0", 4);
    std::memcpy(c.stopNames[2], "WXYZ", 4); // no terminator: its first two characters
    std::string text = EncodeParts(c).part1;
    EXPECT_EQ(text.substr(154, 6), " A  WX");

    ControllerConfig into = MakeEmptyConfig();
    into.stopNames[0][3] = 'k'; // the fourth byte of a slot carries nothing and stays
    ControllerConfig back = Decoded1(text, into);
    EXPECT_EQ(std::memcmp(back.stopNames[0], " A\0k", 4), 0);
    EXPECT_EQ(std::memcmp(back.stopNames[1], "  \0", 3), 0);
    EXPECT_EQ(std::memcmp(back.stopNames[2], "WX\0", 3), 0);
}

TEST(WireEncoding, WideValuesSendTheirLeadingDigits) {
    ControllerConfig c = MakeEmptyConfig();
    c.relayFunction[0] = 150;
    c.stopCount = 200; // signed: -56
    c.TEP = 255;
    c.falseStopLimit = 12;
    c.carSpeed = 1000;
    c.stopDoors[0] = 12;
    std::string one = EncodeParts(c).part1, two = EncodeParts(c).part2;
    // Stop count, TEP, relay 1, stop 1's doors; speed, false stops.
    EXPECT_EQ((std::vector<std::string>{one.substr(5, 2), one.substr(18, 3), one.substr(68, 2),
                                        one.substr(202, 1), two.substr(0, 3), two.substr(11, 1)}),
              (std::vector<std::string>{"-5", "255", "15", "1", "100", "1"}));

    ControllerConfig back = Decoded1(one, c);
    EXPECT_EQ(back.stopCount, (uint8_t)-5);
    EXPECT_EQ(back.relayFunction[0], 15);
}

} // namespace
