// The printed configuration report.
#include "config/config_report.h"

#include "base/cp1252.h"
#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const ReportHeading kHeading{"BRIVALT S.A.",
                             "Servicio",
                             (4u << 16) | 2u,
                             (7u << 16) | 9u,
                             // Sunday 7 September 2008, 09:05
                             {2008, 9, 7, 0, 9, 5}};

std::string Report(const ControllerConfig& c, const ReportHeading& h = kHeading) {
    std::vector<char> out(kReportBufferSize);
    int n = BuildConfigReport(c, h, out.data(), (int)out.size());
    EXPECT_EQ((size_t)n, std::strlen(out.data()));
    return std::string(out.data(), n);
}

bool Has(const std::string& report, const std::string& text) {
    return report.find(text) != std::string::npos;
}

// The empty configuration's report: one report line a line of data/empty_report.txt.
std::string ExpectedEmptyReport() {
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + "/tests/unit/data/empty_report.txt");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::replace(text.begin(), text.end(), '\n', '\r');
    return Utf8ToCp1252(text.data(), text.empty() ? 0 : text.size() - 1); // without the last end
}

TEST(ConfigReport, EmptyConfigurationWholeText) {
    EXPECT_EQ(Report(MakeEmptyConfig()), ExpectedEmptyReport());
}

// What follows the image: with `change` made to the empty configuration the report holds each
// of `present`, none of `absent`, and ends with `ending`.
TEST(ConfigReport, LinesThatFollowTheImage) {
    using CC = ControllerConfig;
    auto duplexWithDoor = [](int doorMode) {
        return [=](CC& c) {
            c.controllerFunction = 3, c.doorMode = (uint8_t)doorMode, c.preOpening = 1;
            c.duplexMainStation = 2, c.duplexSecondaryStation = 3, c.mainRestsDoorClosed = 1;
            c.secondaryRestsDoorClosed = 0, c.closeAttempts = 3, c.openAttempts = 4;
        };
    };
    struct Case {
        std::function<void(CC&)> change;
        std::vector<std::string> present, absent = {};
        std::string ending = "";
    } cases[] = {
        // clang-format off
        {[](CC& c) { c.controllerFunction = c.cabinNumber = 0; },
         {W1252("Cabina número:         E\r\r\r- Definición\r\r"),
          W1252("Función:               0 - Llamadas exteriores de batería\r\r\r"
                "- CONFIGURACION DE PARADAS\r\r")},
         {"Tipo:", "SALIDAS", "TIEMPOS", "PUERTA", "AVANZADA"},
         "   1        ??        x                      x      \r"},
        // Rests open, maximum door zone, delayed opening.
        {duplexWithDoor(8),
         {W1252("Tipo:                 Automática\r"), "Pulsadores ext. ind:  No\r",
          W1252("\r\r- Configuración de puerta automática\r\rReposa:               Abierta\r"
                "Zona de puerta:       Máxima\rApertura retardada:   Si\r"
                "Preapertura:          Si\rAbre siempre:         No\r\r\r- Operador de puerta\r\r"
                "Intentos de cierre:   3\rIntentos de apertura: 4\r")},
         {},
         W1252("\r\r- Funcionamiento duplex\r\r"
               "Estación principal:   02 - descansa con puerta Cerrada\r"
               "Estación secundaria:  03 - descansa con puerta Abierta")},
        {duplexWithDoor(0), {}, {"Reposa:"}, W1252("Estación secundaria:  03")},
        {[](CC& c) { c.doorMode = 3, c.screenSystem = 2; }, {"Reposa:               Cerrada\r"},
         {"Zona de puerta:"}},
        {[](CC& c) { c.optionFlags = kOptionSegments14 | kOptionReleveling; },
         {W1252("Relé auxliar  2:   00 - No actúa.\r\rInd. de posición:  14 segmentos\r"),
          W1252("Con renivelación:     Si\r")},
         {W1252("Relé auxliar  3:")}},
        {[](CC& c) { c.optionFlags = 3 << 1; },
         {W1252("Puerto de supervisión: 3 - TTL\r\r\r- Borrado")}, {"Anunciador"}},
        {[](CC& c) { c.optionFlags = 1 << 1, c.specialVoiceAnnouncer = 1; },
         {W1252("Puerto de supervisión: 1 - RS-232C\rAnunciador vocal especial\r")}},
        // clang-format on
    };
    for (const Case& k : cases) {
        ControllerConfig c = MakeEmptyConfig();
        k.change(c);
        std::string r = Report(c);
        for (const std::string& text : k.present)
            EXPECT_TRUE(Has(r, text)) << text;
        for (const std::string& text : k.absent)
            EXPECT_FALSE(Has(r, text)) << text;
        EXPECT_EQ(r.substr(r.size() - std::min(r.size(), k.ending.size())), k.ending);
    }
}

TEST(ConfigReport, StopCountAndTextsFromAnyFileAreBounded) {
    ControllerConfig c = MakeEmptyConfig();
    c.stopCount = 200;
    std::memset(c.siteName, 'S', sizeof c.siteName);
    for (auto& name : c.stopNames)
        std::memcpy(name, "ABCD", 4);
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, "Cantidad de paradas:  200\r"));
    EXPECT_TRUE(Has(r, "Obra:                  " + std::string(45, 'S') + "\r"));
    EXPECT_TRUE(Has(r, "Abre puerta    No atiende llamadas\r"));
    EXPECT_TRUE(Has(r, "  24        ABCD        x     "));
    EXPECT_FALSE(Has(r, "  25 "));
}

TEST(ConfigReport, HeadingWithLongCompanyLinesAndTheBufferCut) {
    const ReportHeading h{"AB",
                          "Una linea de mas de quince",
                          (12u << 16) | 345u,
                          (6789u << 16) | 1u,
                          {1999, 12, 31, 5, 23, 59}};
    std::string r = Report(MakeEmptyConfig(), h);
    EXPECT_EQ(r.substr(0, 63), "\r                        " + std::string(8, ' ') +
                                   "AB Una linea de mas de quince\r");
    // A buffer too small for the report holds its beginning.
    char small[40];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(BuildConfigReport(MakeEmptyConfig(), kHeading, small, 30), 29);
    EXPECT_EQ(std::string(small), ExpectedEmptyReport().substr(0, 29));
    EXPECT_EQ(small[30], '#');
}

} // namespace
