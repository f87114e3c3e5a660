// The image's own rules, the code tables' ranges and the relay catalogue's texts. The empty
// configuration's values are checked in full by the wire texts and the report.
#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/code_tables.h"
#include "config/controller_config.h"
#include "config/relay_catalogue.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ControllerConfig, ServedStopFlagsFollowTheServedRangeWithinTheImage) {
    ControllerConfig c = MakeEmptyConfig();
    c.stopCount = 12;
    c.stopCallsNotServed[5] = 3;            // stale flags are replaced
    auto flags = [&](int first, int last) { // each stop's flags as a digit, stop 1 first
        c.firstServedStop = (uint8_t)first, c.lastServedStop = (uint8_t)last;
        rebuildServedStopFlags(c);
        std::string digits;
        for (uint8_t f : c.stopCallsNotServed)
            digits += (char)('0' + f);
        return digits;
    };
    EXPECT_EQ(flags(3, 10), "772000000477777777777777");
    EXPECT_EQ(flags(0, 200), std::string(24, '0'));       // stop numbers outside the image
    EXPECT_EQ(flags(24, 24), std::string(23, '7') + "2"); // first served wins: applied last
}

TEST(ControllerConfig, TextsAreReadWithinTheirFields) {
    ControllerConfig c;
    std::memset(&c, 'x', sizeof c);
    char site[64], stop[8];
    CopySiteName(c, site, sizeof site);
    EXPECT_EQ(std::strlen(site), 45u);
    CopyStopName(c, 23, stop, sizeof stop);
    EXPECT_STREQ(stop, "xxxx");
    CopyStopName(c, 24, stop, sizeof stop);
    EXPECT_STREQ(stop, "");
}

TEST(CodeTables, TextsEndAtTheirRanges) {
    const std::string notValid = W1252("No válido");
    const std::tuple<unsigned (*)(int), int, int> tables[] = {{ControlTypeTextId, 0, 5},
                                                              {ControllerFunctionTextId, 0, 3},
                                                              {ScreenSystemTextId, 1, 6},
                                                              {AuxOutputTypeTextId, 1, 8},
                                                              {SupervisionPortTextId, 0, 3}};
    for (const auto& [textId, low, high] : tables) {
        EXPECT_EQ(ResString(textId(low - 1)), notValid) << low;
        EXPECT_EQ(ResString(textId(high + 1)), notValid) << high;
        EXPECT_EQ(ResString(textId(high))[0], '0' + high);
        EXPECT_EQ(ResString(textId(low))[0], '0' + low);
    }
}

// The report's texts of codes 0 and 20 are the report's and the comparison's tests; a code
// without a description, the Outputs page's.
TEST(RelayCatalogue, CodesZeroToNinetyNineAndTheirTexts) {
    char text[512];
    for (int code = 0; code <= kRelayCodeMax; ++code) {
        EXPECT_TRUE(RelayHasDescription(code)) << code;
        RelayName(code, text, sizeof text);
        EXPECT_NE(text[0], '\0') << code;
    }
    EXPECT_FALSE(RelayHasDescription(100));
    EXPECT_FALSE(RelayHasDescription(-1));
    relayDescriptionText(20, text, sizeof text); // its name padded to 32
    EXPECT_EQ(std::string(text, 52), "20 - GON  Gong" + std::string(28, ' ') + "\rSe activa");
    relayReportText(100, text, sizeof text);
    EXPECT_STREQ(text, W1252("100 - Código sin especificación."));
}

} // namespace
