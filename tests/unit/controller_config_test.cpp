#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/code_tables.h"
#include "config/controller_config.h"
#include "config/relay_catalogue.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const unsigned char* Bytes(const ControllerConfig& c) {
    return reinterpret_cast<const unsigned char*>(&c);
}

TEST(ControllerConfig, WideNumbersAreLittleEndianAtTheirOffsets) {
    ControllerConfig c{};
    c.systemNumber = 0xFF01;
    c.carSpeed = 0x1234;
    EXPECT_EQ(Bytes(c)[0], 0x01);
    EXPECT_EQ(Bytes(c)[1], 0xFF);
    EXPECT_EQ(Bytes(c)[217], 0x34);
    EXPECT_EQ(Bytes(c)[218], 0x12);
}

// The configuration that New makes, byte by byte in field order.
TEST(ControllerConfig, EmptyConfigurationHoldsTheNewConfigurationValues) {
    std::vector<uint8_t> expected = {1, 0, 14, 0, 0, 2, 0, 0, 0, 1}; // system .. fire station
    expected.insert(expected.end(), {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0}); // timers
    expected.insert(expected.end(), {0, 4}); // door, auxiliary output
    expected.resize(50, 0);                  // relays and terminals
    expected.insert(expected.end(), {4, 1}); // screens, cabin
    std::string site = W1252("Configuración vacía");
    site.resize(kSiteNameSize, '\0');
    expected.insert(expected.end(), site.begin(), site.end());
    for (int stop = 0; stop < kMaxStops; ++stop)
        expected.insert(expected.end(), {'?', '?', 0, 0});
    expected.insert(expected.end(), kMaxStops, 1); // door 1 at every stop
    // Speed 80, pre-opening, stations resting closed/open, served 1..14, pre-closing contact,
    // false stops, close and open attempts, minimum load, always open.
    expected.insert(expected.end(), {80, 0, 0, 1, 0, 1, 14, 1, 3, 2, 2, 3, 0});
    // Served range 1..14: 2 at the first stop, 4 at the last, 7 above it.
    expected.push_back(2);
    expected.insert(expected.end(), 12, 0);
    expected.push_back(4);
    expected.insert(expected.end(), 10, 7);
    expected.insert(expected.end(), {0, 0}); // independent hall buttons, special announcer
    ASSERT_EQ(expected.size(), sizeof(ControllerConfig));
    ControllerConfig c = MakeEmptyConfig();
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Bytes(c)[i], expected[i]) << "offset " << i;
}

TEST(ControllerConfig, ServedStopFlagsFollowTheServedRangeWithinTheImage) {
    ControllerConfig c = MakeEmptyConfig();
    c.stopCount = 12;
    c.firstServedStop = 3;
    c.lastServedStop = 10;
    c.stopCallsNotServed[5] = 3; // stale flags are replaced
    rebuildServedStopFlags(c);
    for (int stop = 1; stop <= 24; ++stop) {
        int want = stop < 3 || stop > 10 ? 7 : stop == 3 ? 2 : stop == 10 ? 4 : 0;
        EXPECT_EQ(c.stopCallsNotServed[stop - 1], want) << "stop " << stop;
    }
    // Stop numbers outside the image.
    c.firstServedStop = 0;
    c.lastServedStop = 200;
    rebuildServedStopFlags(c);
    for (uint8_t f : c.stopCallsNotServed)
        EXPECT_EQ(f, 0);
    c.firstServedStop = 24;
    c.lastServedStop = 24;
    rebuildServedStopFlags(c);
    EXPECT_EQ(c.stopCallsNotServed[23], 2); // first served wins, as it is applied last
    EXPECT_EQ(c.stopCallsNotServed[0], 7);
}

TEST(ControllerConfig, HasRelayFunctionLooksAtRelaysAndTerminals) {
    ControllerConfig c = MakeEmptyConfig();
    EXPECT_TRUE(hasRelayFunction(0, c));
    EXPECT_FALSE(hasRelayFunction(61, c));
    c.relayFunction[17] = 61;
    EXPECT_TRUE(hasRelayFunction(61, c));
    EXPECT_FALSE(hasRelayFunction(62, c));
    c.auxTerminalFunction[3] = 62;
    EXPECT_TRUE(hasRelayFunction(62, c));
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

TEST(CodeTables, TextsInsideAndOutsideTheirRanges) {
    EXPECT_STREQ(ResString(ControlTypeTextId(3)),
                 "3 - Colectivo sel. en ambas direcciones 16 par.");
    EXPECT_STREQ(ResString(ControllerFunctionTextId(0)),
                 W1252("0 - Llamadas exteriores de batería"));
    EXPECT_STREQ(ResString(ScreenSystemTextId(6)), "6 - PAS, PAD con sensores de pasaje");
    EXPECT_STREQ(ResString(AuxOutputTypeTextId(8)), "8 - Linternas de llegada modelo 2");
    EXPECT_STREQ(ResString(SupervisionPortTextId(3)), "3 - TTL");
    for (unsigned id : {ControlTypeTextId(6), ControlTypeTextId(-1), ControllerFunctionTextId(4),
                        ScreenSystemTextId(0), ScreenSystemTextId(7), AuxOutputTypeTextId(0),
                        AuxOutputTypeTextId(9), SupervisionPortTextId(4)})
        EXPECT_STREQ(ResString(id), W1252("No válido"));
    EXPECT_EQ(StopLimit(3), 16);
    EXPECT_EQ(StopLimit(5), 23);
    EXPECT_EQ(StopLimit(0), 24);
    EXPECT_EQ(StopLimit(4), 24);
}

TEST(RelayCatalogue, EveryCodeHasNameMnemonicAndDescription) {
    char text[256];
    for (int code = 0; code <= kRelayCodeMax; ++code) {
        EXPECT_TRUE(RelayHasDescription(code)) << code;
        EXPECT_GT(LoadResString(str::RelayNames + code, text, sizeof text), 0) << code;
        if (code) {
            EXPECT_GT(LoadResString(str::RelayMnemonics + code, text, sizeof text), 0) << code;
        }
    }
    EXPECT_FALSE(RelayHasDescription(100));
    EXPECT_FALSE(RelayHasDescription(-1));
    // Blank descriptions are a single space.
    for (int code : {70, 71, 72, 82, 83, 84, 85, 86, 87, 90, 91, 92, 93, 94, 95, 99})
        EXPECT_STREQ(ResString(str::RelayDescriptions + code), " ") << code;
    for (int code = 1; code <= 69; ++code)
        EXPECT_GT(std::strlen(ResString(str::RelayDescriptions + code)), 10u) << code;
}

TEST(RelayCatalogue, NamesKeepTheirPadding) {
    char name[256];
    for (int code : {1, 12, 24, 28, 29}) {
        RelayName(code, name, sizeof name);
        EXPECT_EQ(std::strlen(name), 32u) << code;
    }
    RelayName(26, name, sizeof name);
    EXPECT_STREQ(name, "Alta Velocidad en Subida ");
    RelayName(25, name, sizeof name);
    EXPECT_STREQ(name, "Alta Velocidad en Subida con Retardo");
    RelayName(0, name, sizeof name);
    EXPECT_STREQ(name, " ");
}

TEST(RelayCatalogue, DescriptionAndReportTexts) {
    char text[512];
    relayDescriptionText(20, text, sizeof text);
    EXPECT_STREQ(text, W1252("20 - GON  Gong                            \rSe activa al llegar a "
                             "piso y permanece cerrado un tiempo TGON (\"Tiempo de gong\"). Se "
                             "activa si hay llamadas externas. (Ver también relé 90)"));
    relayDescriptionText(0, text, sizeof text);
    EXPECT_STREQ(text, W1252("00 -    \rNo actúa, queda siempre abierto."));
    relayDescriptionText(150, text, sizeof text);
    EXPECT_STREQ(text, W1252("150 - Código sin especificación."));
    relayReportText(0, text, sizeof text);
    EXPECT_STREQ(text, W1252("00 - No actúa."));
    relayReportText(20, text, sizeof text);
    EXPECT_STREQ(text, "20 - GON  Gong                            ");
    relayReportText(100, text, sizeof text);
    EXPECT_STREQ(text, W1252("100 - Código sin especificación."));
}

TEST(StringTable, MissingStringsGiveTheLoaderText) {
    char text[256];
    EXPECT_EQ(LoadResString(30409, text, sizeof text), 0);
    EXPECT_STREQ(text, "Error: Cadena 30409 no encontrada en el recurso");
    char small[8];
    EXPECT_EQ(LoadResString(30409, small, sizeof small), 0);
    EXPECT_STREQ(small, "Error: ");
    EXPECT_EQ(LoadResString(20000, small, sizeof small), 7);
    EXPECT_STREQ(small, W1252("Atenció"));
}

} // namespace
