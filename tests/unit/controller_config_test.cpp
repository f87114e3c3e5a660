#include "app/res_string.h"
#include "config/code_tables.h"
#include "config/controller_config.h"
#include "config/relay_catalogue.h"

#include "app/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const unsigned char* Bytes(const ControllerConfig& c) {
    return reinterpret_cast<const unsigned char*>(&c);
}

TEST(ControllerConfig, WideNumbersAreLittleEndianAtTheirOffsets) {
    ControllerConfig c{};
    c.systemNumber = 65535;
    c.carSpeed = 200;
    EXPECT_EQ(Bytes(c)[0], 255);
    EXPECT_EQ(Bytes(c)[1], 255);
    EXPECT_EQ(Bytes(c)[217], 200);
    EXPECT_EQ(Bytes(c)[218], 0);
    c.carSpeed = 0x1234;
    EXPECT_EQ(Bytes(c)[217], 0x34);
    EXPECT_EQ(Bytes(c)[218], 0x12);
}

TEST(ControllerConfig, EmptyConfigurationHoldsTheNewConfigurationValues) {
    ControllerConfig c = MakeEmptyConfig();
    EXPECT_EQ(c.systemNumber, 1);
    EXPECT_EQ(c.stopCount, 14);
    EXPECT_EQ(c.optionFlags, 0);
    EXPECT_EQ(c.controlType, 0);
    EXPECT_EQ(c.controllerFunction, 2);
    EXPECT_EQ(c.restStation, 0);
    EXPECT_EQ(c.duplexMainStation, 0);
    EXPECT_EQ(c.duplexSecondaryStation, 0);
    EXPECT_EQ(c.fireStation, 1);
    const uint8_t timers[16] = {c.TEP,   c.TALA,  c.TZUM, c.TPA,  c.TACL,  c.TACEA,
                                c.TNIV0, c.TRETP, c.TAPA, c.TOPC, c.TACEB, c.TARR,
                                c.TESTR, c.TGON,  c.TGEN, c.TINHP};
    const uint8_t expected[16] = {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(0, std::memcmp(timers, expected, 16));
    EXPECT_EQ(c.doorMode, 0);
    EXPECT_EQ(c.auxOutputType, 4);
    for (uint8_t f : c.relayFunction)
        EXPECT_EQ(f, 0);
    for (uint8_t f : c.auxTerminalFunction)
        EXPECT_EQ(f, 0);
    EXPECT_EQ(c.screenSystem, 4);
    EXPECT_EQ(c.cabinNumber, 1);
    EXPECT_STREQ(c.siteName, W1252("Configuración vacía"));
    for (auto& name : c.stopNames)
        EXPECT_STREQ(name, "??");
    for (uint8_t d : c.stopDoors)
        EXPECT_EQ(d, 1);
    EXPECT_EQ(c.carSpeed, 80);
    EXPECT_EQ(c.preOpening, 0);
    EXPECT_EQ(c.mainRestsDoorClosed, 1);
    EXPECT_EQ(c.secondaryRestsDoorClosed, 0);
    EXPECT_EQ(c.firstServedStop, 1);
    EXPECT_EQ(c.lastServedStop, 14);
    EXPECT_EQ(c.preClosingContact, 1);
    EXPECT_EQ(c.falseStopLimit, 3);
    EXPECT_EQ(c.closeAttempts, 2);
    EXPECT_EQ(c.openAttempts, 2);
    EXPECT_EQ(c.minLoadCabinCallLimit, 3);
    EXPECT_EQ(c.alwaysOpenOnArrival, 0);
    EXPECT_EQ(c.independentHallButtons, 0);
    EXPECT_EQ(c.specialVoiceAnnouncer, 0);
    // Served range 1..14: 2 at the first stop, 4 at the last, 7 above it.
    for (int stop = 1; stop <= 24; ++stop) {
        int want = stop == 1 ? 2 : stop == 14 ? 4 : stop > 14 ? 7 : 0;
        EXPECT_EQ(c.stopCallsNotServed[stop - 1], want) << "stop " << stop;
    }
}

TEST(ControllerConfig, ServedStopFlagsFollowTheServedRange) {
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
}

TEST(ControllerConfig, ServedStopFlagsSurviveStopNumbersOutsideTheImage) {
    ControllerConfig c = MakeEmptyConfig();
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
        EXPECT_GT(LoadResString(kRelayNameBase + code, text, sizeof text), 0) << code;
        if (code) {
            EXPECT_GT(LoadResString(kRelayMnemonicBase + code, text, sizeof text), 0) << code;
        }
    }
    EXPECT_FALSE(RelayHasDescription(100));
    EXPECT_FALSE(RelayHasDescription(-1));
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

TEST(RelayCatalogue, BlankDescriptionsAreASingleSpace) {
    for (int code : {70, 71, 72, 82, 83, 84, 85, 86, 87, 90, 91, 92, 93, 94, 95, 99})
        EXPECT_STREQ(ResString(kRelayDescriptionBase + code), " ") << code;
    for (int code = 1; code <= 69; ++code)
        EXPECT_GT(std::strlen(ResString(kRelayDescriptionBase + code)), 10u) << code;
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
