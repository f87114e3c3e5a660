// The configuration's two texts on the line.
#include "link/wire_encoding.h"

#include "base/cp1252.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

std::string Part1(const ControllerConfig& c) {
    return EncodeParts(c).part1;
}

std::string Part2(const ControllerConfig& c) {
    return EncodeParts(c).part2;
}

ControllerConfig Decoded1(const std::string& text, ControllerConfig into) {
    DecodePart1(Answer('c', text), into);
    return into;
}

ControllerConfig Decoded2(const std::string& text, ControllerConfig into) {
    DecodePart2(Answer('c', text), into);
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
    EXPECT_EQ(Part1(c),
              Fields("00001|14|0|0|2|00|00|00|01|001001001001001001000001001001001001001001000000|"
                     "0|4|") +
                  std::string(44, '0') + "41" + W1252("Configuración vacía") +
                  std::string(21, ' ') + std::string(48, '?') + std::string(24, '1'));
    EXPECT_EQ(Part2(c), Fields("080|0|1|0|01|14|1|3|2|2|3|0|2|") + std::string(12, '0') + "4" +
                            std::string(10, '7'));
}

// Part 1 carries the option flags' low four bits as one character; part 2 packs pre-opening,
// independent hall buttons and the special announcer into one digit.
TEST(WireEncoding, OptionBitsOfBothParts) {
    ControllerConfig c = MakeEmptyConfig();
    c.systemNumber = 7;
    c.optionFlags = 9;
    EXPECT_EQ(Part1(c).substr(0, 8), "00007149");
    c.optionFlags = 12;
    EXPECT_EQ(Part1(c)[7], '<');
    c.optionFlags = 0xF3; // the reserved bits are not carried
    EXPECT_EQ(Part1(c)[7], '3');
    EXPECT_EQ(Decoded1(Part1(c), c).optionFlags, 3);
    c.preOpening = c.specialVoiceAnnouncer = 1;
    EXPECT_EQ(Part2(c)[3], '5');
    ControllerConfig back = Decoded2(Part2(c), ControllerConfig{});
    EXPECT_EQ(back.preOpening, 1);
    EXPECT_EQ(back.independentHallButtons, 0);
    EXPECT_EQ(back.specialVoiceAnnouncer, 1);
}

// Whatever cabin it holds; a digit there is not read either.
TEST(WireEncoding, HallCallControllerSendsEAndDecodesCabinZero) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = 0;
    c.cabinNumber = 3;
    std::string text = Part1(c);
    EXPECT_EQ(text[kPart1Cabin], 'E');
    text[kPart1Cabin] = '5';
    EXPECT_EQ(Decoded1(text, MakeEmptyConfig()).cabinNumber, 0);
}

TEST(WireEncoding, StopNameRules) {
    ControllerConfig c = MakeEmptyConfig();
    std::memcpy(c.stopNames[0], "A\0\0\0", 4);
    std::memcpy(c.stopNames[1], "\0\0\0\0", 4);
    std::memcpy(c.stopNames[2], "PB\0\0", 4);
    std::memcpy(c.stopNames[3], "WXYZ", 4); // no terminator: its first two characters
    std::string text = Part1(c);
    EXPECT_EQ(text.substr(154, 8), " A  PBWX");

    ControllerConfig into = MakeEmptyConfig();
    into.stopNames[0][3] = 'k'; // the fourth byte of a slot carries nothing and stays
    ControllerConfig back = Decoded1(text, into);
    EXPECT_EQ(std::memcmp(back.stopNames[0], " A\0k", 4), 0);
    EXPECT_EQ(std::memcmp(back.stopNames[1], "  \0", 3), 0);
    EXPECT_EQ(std::memcmp(back.stopNames[2], "PB\0", 3), 0);
    EXPECT_EQ(std::memcmp(back.stopNames[3], "WX\0", 3), 0);
}

TEST(WireEncoding, SiteNamePaddedToFortyAndCutAtForty) {
    ControllerConfig c = MakeEmptyConfig();
    std::memset(c.siteName, 0, sizeof c.siteName);
    std::memcpy(c.siteName, "Edificio Sur", 12);
    std::string text = Part1(c);
    EXPECT_EQ(text.substr(kPart1SiteName, 40), "Edificio Sur" + std::string(28, ' '));
    ControllerConfig back = Decoded1(text, c);
    EXPECT_EQ(std::string(back.siteName), "Edificio Sur" + std::string(28, ' '));

    // A 44-character name without its terminator: 40 go out; the caller's image is untouched.
    std::memset(c.siteName, 'n', sizeof c.siteName);
    text = Part1(c);
    EXPECT_EQ(text.substr(kPart1SiteName, 40), std::string(40, 'n'));
    EXPECT_EQ(c.siteName[40], 'n');
    EXPECT_EQ(text.substr(154, 2), "??"); // the stop names follow at their place
}

TEST(WireEncoding, WideValuesSendTheirLeadingDigits) {
    ControllerConfig c = MakeEmptyConfig();
    c.relayFunction[0] = 150;
    c.stopCount = 200; // signed: -56
    c.TEP = 255;
    c.falseStopLimit = 12;
    c.carSpeed = 1000;
    c.stopDoors[0] = 12;
    std::string one = Part1(c), two = Part2(c);
    EXPECT_EQ(one.substr(68, 2), "15");
    EXPECT_EQ(one.substr(5, 2), "-5");
    EXPECT_EQ(one.substr(18, 3), "255");
    EXPECT_EQ(one.substr(202, 1), "1");
    EXPECT_EQ(two.substr(0, 3), "100");
    EXPECT_EQ(two.substr(11, 1), "1");

    ControllerConfig back = Decoded1(one, c);
    EXPECT_EQ(back.stopCount, (uint8_t)-5);
    EXPECT_EQ(back.relayFunction[0], 15);
}

TEST(WireEncoding, NumericFieldsReadOnlyTheirOwnCharacters) {
    auto parse = [](const char* text, int width) {
        return ParseDecimalField((const uint8_t*)text, width);
    };
    EXPECT_EQ(parse("00714", 5), 714);
    EXPECT_EQ(parse(" 12", 3), 12);
    EXPECT_EQ(parse("-5", 2), -5);
    EXPECT_EQ(parse("+4", 2), 4);
    EXPECT_EQ(parse("1a3", 3), 1);
    EXPECT_EQ(parse("E", 1), 0);
    EXPECT_EQ(parse("1234", 2), 12);
}

// The widest and the narrowest image the line carries whole: each field at the top, or the
// bottom, of its range, every name full.
ControllerConfig Extreme(bool top) {
    auto v = [top](int low, int high) { return (uint8_t)(top ? high : low); };
    ControllerConfig c;
    std::memset(&c, 0, sizeof c);
    std::memset(&c.TEP, v(0, 255), 16); // the sixteen timers take any byte
    std::memset(c.relayFunction, v(0, 99), sizeof c.relayFunction + sizeof c.auxTerminalFunction);
    std::memset(c.siteName, top ? 'x' : '-', kSiteNameMax);
    for (auto& name : c.stopNames)
        std::memcpy(name, top ? "ZZ" : "!!", 2);
    std::memset(c.stopDoors, v(0, 3), sizeof c.stopDoors);
    std::memset(c.stopCallsNotServed, v(0, 7), sizeof c.stopCallsNotServed);
    c.systemNumber = top ? 65535 : 1;
    c.carSpeed = top ? 200 : 10;
    c.stopCount = v(2, 23);
    c.controlType = v(0, 5);
    c.optionFlags = v(0, 15);
    c.controllerFunction = v(0, 3);
    c.cabinNumber = v(0, 6);
    c.restStation = c.duplexMainStation = c.duplexSecondaryStation = v(0, 23);
    c.fireStation = v(1, 23);
    c.doorMode = v(0, 8);
    c.auxOutputType = v(1, 8);
    c.screenSystem = v(1, 6);
    c.firstServedStop = v(1, 22);
    c.lastServedStop = v(2, 23);
    c.falseStopLimit = c.minLoadCabinCallLimit = v(0, 9);
    c.closeAttempts = c.openAttempts = v(1, 4);
    c.preOpening = c.mainRestsDoorClosed = c.secondaryRestsDoorClosed = c.preClosingContact =
        c.alwaysOpenOnArrival = c.independentHallButtons = c.specialVoiceAnnouncer = v(0, 1);
    return c;
}

// Decoded over the other extreme, so that a field the decoders leave out shows.
TEST(WireEncoding, ImagesAtTheEndsOfTheRangesComeBackWhole) {
    for (bool top : {true, false}) {
        ControllerConfig sent = Extreme(top);
        ControllerConfig back = Decoded2(Part2(sent), Decoded1(Part1(sent), Extreme(!top)));
        for (size_t i = 0; i < sizeof sent; ++i)
            ASSERT_EQ(((uint8_t*)&back)[i], ((uint8_t*)&sent)[i]) << "offset " << i;
    }
}

} // namespace
