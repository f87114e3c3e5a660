// The printed configuration report.
#include "config/config_report.h"

#include "base/cp1252.h"
#include "config_samples.h"

#include <gtest/gtest.h>

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

// Lines joined with the report's single carriage return.
std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines)
        s += line + "\r";
    return s;
}

bool Has(const std::string& report, const std::string& text) {
    return report.find(text) != std::string::npos;
}

std::string ExpectedEmptyReport() {
    std::vector<std::string> lines = {
        "",
        "                        BRIVALT S.A. Servicio  ",
        "",
        "             CONFIGURACION DE CONTROLADOR ZRT94VK 4.2.7",
        "",
        "",
        "Fecha:         Domingo, 07 de Setiembre de 2008, 09:05",
        "",
        "",
        "- CONFIGURACION GENERAL",
        "",
        W1252("- Identificación"),
        "",
        W1252("Obra:                  Configuración vacía"),
        W1252("Sistema número:        00001"),
        W1252("Cabina número:         1"),
        "",
        "",
        W1252("- Definición"),
        "",
        W1252("Función:               2 - Controlador aislado"),
        W1252("Tipo:                  0 - Automático simple (no colectivo) 24 paradas"),
        "Cantidad de paradas:  14",
        W1252("Con renivelación:     No"),
        "Sistema de Pantallas:  4 - EXS, EXD, PAS, PAD",
        "Velocidad de cabina:  80 m/min",
        "Primera parada:        1",
        "Ultima parada:        14",
        "",
        "",
        "- CONFIGURACION DE SALIDAS",
        "",
        "Salida Auxiliar:   4 - Linternas de llegada modelo 1",
        "",
    };
    for (int relay = 1; relay <= 18; ++relay) {
        char line[64];
        std::snprintf(line, sizeof line, W1252("Relé %2d:           00 - No actúa."), relay);
        lines.push_back(line);
    }
    lines.push_back("");
    for (int terminal = 1; terminal <= 4; ++terminal) {
        char line[64];
        std::snprintf(line, sizeof line, W1252("Relé auxliar %2d:   00 - No actúa."), terminal);
        lines.push_back(line);
    }
    std::vector<std::string> rest = {
        "",
        W1252("Ind. de posición:  7 segmentos"),
        "",
        "",
        "- CONFIGURACION DE TIEMPOS",
        "",
        W1252("TEP   - Límite entre pantallas:           1 seg."),
        "TALA  - A alarma por falta de SM:         1 seg.",
        "TZUM  - Tolerancia a ascensorista:        1 seg.",
        "TPA   - Parada:                           1 seg.",
        "TACL  - A coche libre:                    1 seg.",
        "TACEA - Aceleradora de alta:              1 dec.",
        "TACEB - Aceleradora de baja:              1 dec.",
        W1252("TINHP - Inhibición de parada              0 dec."),
        W1252("TARR  - De relé auxiliar de arranque      1 dec."),
        "TOPC  - Preferencia de cabina             1 seg.",
        "TNIV0 - A descanso a nivel 0:             0 min.",
        "TRETP - Retardo para parar:               1 dec.",
        W1252("TAPA  - Límite operador de puerta         1 seg."),
        W1252("TESTR - Estrella / triángulo              1 dec."),
        "TGON  - Gong                              1 dec.",
        "TGEN  - Generador                         0 min.",
        "",
        "",
        "- CONFIGURACION DE PARADAS",
        "",
        "Parada    Nombre    Abre puerta    No atiende llamadas",
        "                      1     2         Asc.  Des.  Cab.",
        //  stop      name      door 1 door 2      up    down  cabin
        "  14        ??        x                x            ",
    };
    lines.insert(lines.end(), rest.begin(), rest.end());
    for (int stop = 13; stop >= 2; --stop) {
        char line[64];
        std::snprintf(line, sizeof line, "  %2d        ??        x                             ",
                      stop);
        lines.push_back(line);
    }
    std::vector<std::string> tail = {
        "   1        ??        x                      x      ",
        "",
        "",
        "- CONFIGURACION DE PUERTA",
        "",
        "Tipo:                 Manual",
        "",
        "",
        W1252("- Configuración general"),
        "",
        "Cont. de precierre:   Si",
        "",
        "",
        "- CONFIGURACION AVANZADA",
        "",
        "- Estaciones",
        "",
        W1252("Estación de reposo:   00"),
        W1252("Estación de incendio: 01"),
        "",
        "",
        "- Varios",
        "",
        W1252("Puerto de supervisión: 0 - Sin Supervisión"),
        W1252("Anunciador vocal estándar"),
        "",
        "",
        "- Borrado de llamadas de cabina",
        "",
        "Paradas falsas:       03",
        W1252("Llam. peso mínimo:    03"),
    };
    lines.insert(lines.end(), tail.begin(), tail.end());
    std::string text = Lines(lines);
    text.pop_back(); // the report drops its last carriage return
    return text;
}

TEST(ConfigReport, EmptyConfigurationWholeText) {
    EXPECT_EQ(Report(MakeEmptyConfig()), ExpectedEmptyReport());
}

TEST(ConfigReport, HallCallControllerReportsIdentificationAndStopsOnly) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = 0;
    c.cabinNumber = 0;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Cabina número:         E\r\r\r- Definición\r\r")));
    EXPECT_TRUE(Has(r, W1252("Función:               0 - Llamadas exteriores de batería\r"
                             "\r\r- CONFIGURACION DE PARADAS\r\r")));
    for (const char* missing : {"Tipo:", "SALIDAS", "TIEMPOS", "PUERTA", "AVANZADA"})
        EXPECT_FALSE(Has(r, missing)) << missing;
    // It keeps its final carriage return.
    EXPECT_EQ(r.substr(r.size() - 53), "   1        ??        x                      x      \r");
}

TEST(ConfigReport, DuplexMasterWithAutomaticDoor) {
    ControllerConfig c = MakeEmptyConfig();
    c.controllerFunction = 3;
    c.doorMode = 8; // rests open, maximum door zone, delayed opening
    c.preOpening = 1;
    c.duplexMainStation = 2;
    c.duplexSecondaryStation = 3;
    c.mainRestsDoorClosed = 1;
    c.secondaryRestsDoorClosed = 0;
    c.closeAttempts = 3;
    c.openAttempts = 4;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Tipo:                 Automática\r")));
    EXPECT_TRUE(
        Has(r, Lines({"", "", W1252("- Configuración de puerta automática"), "",
                      "Reposa:               Abierta", W1252("Zona de puerta:       Máxima"),
                      "Apertura retardada:   Si", "Preapertura:          Si",
                      "Abre siempre:         No", "", "", "- Operador de puerta", "",
                      "Intentos de cierre:   3", "Intentos de apertura: 4"})));
    EXPECT_TRUE(Has(r, "Pulsadores ext. ind:  No\r"));
    std::string duplex = Lines({"", "", "- Funcionamiento duplex", "",
                                W1252("Estación principal:   02 - descansa con puerta Cerrada"),
                                W1252("Estación secundaria:  03 - descansa con puerta Abierta")});
    duplex.pop_back();
    EXPECT_EQ(r.substr(r.size() - duplex.size()), duplex);

    c.doorMode = 1; // rests closed, minimum zone, no delay
    r = Report(c);
    EXPECT_TRUE(Has(r, "Reposa:               Cerrada\r"));
    EXPECT_TRUE(Has(r, W1252("Zona de puerta:       Mínima\r")));
    EXPECT_TRUE(Has(r, "Apertura retardada:   No\r"));

    c.doorMode = 0;
    r = Report(c);
    EXPECT_FALSE(Has(r, "Reposa:"));
    EXPECT_EQ(r.substr(r.size() - 24), W1252("Estación secundaria:  03"));
}

TEST(ConfigReport, FourteenSegmentIndicatorHasTwoTerminals) {
    ControllerConfig c = MakeEmptyConfig();
    c.optionFlags = kOptionSegments14 | kOptionReleveling;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Relé auxliar  2:   00 - No actúa.\r\rInd. de posición:  14 "
                             "segmentos\r")));
    EXPECT_FALSE(Has(r, W1252("Relé auxliar  3:")));
    EXPECT_TRUE(Has(r, W1252("Con renivelación:     Si\r")));
}

TEST(ConfigReport, DoorZoneOnlyWithScreenSystemsOneAndFour) {
    ControllerConfig c = MakeEmptyConfig();
    c.doorMode = 3;
    c.screenSystem = 2;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, "Reposa:               Cerrada\r"));
    EXPECT_FALSE(Has(r, "Zona de puerta:"));
    c.screenSystem = 1;
    EXPECT_TRUE(Has(Report(c), W1252("Zona de puerta:       Máxima\r")));
}

TEST(ConfigReport, SupervisionPortThreeHasNoAnnouncer) {
    ControllerConfig c = MakeEmptyConfig();
    c.optionFlags = 3 << 1;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Puerto de supervisión: 3 - TTL\r\r\r- Borrado")));
    EXPECT_FALSE(Has(r, "Anunciador"));
    c.optionFlags = 1 << 1;
    c.specialVoiceAnnouncer = 1;
    EXPECT_TRUE(Has(Report(c), W1252("Puerto de supervisión: 1 - RS-232C\rAnunciador vocal "
                                     "especial\r")));
}

TEST(ConfigReport, OutOfRangeCodesPrintNotValid) {
    ControllerConfig c = MakeEmptyConfig();
    c.screenSystem = 0;
    c.controlType = 9;
    c.auxOutputType = 0;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Sistema de Pantallas:  No válido\r")));
    EXPECT_TRUE(Has(r, W1252("Tipo:                  No válido\r")));
    EXPECT_TRUE(Has(r, W1252("Salida Auxiliar:   No válido\r")));
    c.controllerFunction = 7;
    EXPECT_TRUE(Has(Report(c), W1252("Función:               No válido\r")));
}

TEST(ConfigReport, RelayLines) {
    ControllerConfig c = MakeEmptyConfig();
    c.relayFunction[4] = 20;
    c.relayFunction[0] = 150;
    c.auxTerminalFunction[1] = 1;
    std::string r = Report(c);
    EXPECT_TRUE(Has(r, W1252("Relé  5:           20 - GON  Gong") + std::string(28, ' ') + "\r"));
    EXPECT_TRUE(Has(r, W1252("Relé  1:           150 - Código sin especificación.\r")));
    EXPECT_TRUE(Has(r, W1252("Relé auxliar  2:   01 - POT  Potencial")));
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
    size_t stopLines = 0;
    for (size_t at = r.find("        ABCD        "); at != std::string::npos;
         at = r.find("        ABCD        ", at + 1))
        ++stopLines;
    EXPECT_EQ(stopLines, 24u);
}

TEST(ConfigReport, HeadingWithLongCompanyLines) {
    ReportHeading h = kHeading;
    h.companyLine1 = "AB";
    h.companyLine2 = "Una linea de mas de quince";
    h.productVersionMS = (12u << 16) | 345u;
    h.productVersionLS = (6789u << 16) | 1u;
    h.now = {1999, 12, 31, 5, 23, 59};
    std::string r = Report(MakeEmptyConfig(), h);
    EXPECT_EQ(r.substr(0, 63), "\r                        " + std::string(8, ' ') +
                                   "AB Una linea de mas de quince\r");
    EXPECT_TRUE(Has(r, "ZRT94VK 12.345.6789\r\r\r"
                       "Fecha:         Viernes, 31 de Diciembre de 1999, 23:59\r"));
}

TEST(ConfigReport, NoImageOverflowsTheBuffer) {
    std::mt19937 random(99);
    std::vector<char> out(kReportBufferSize + 16);
    for (int n = 0; n < 300; ++n) {
        ControllerConfig c;
        for (size_t i = 0; i < sizeof c; ++i)
            ((uint8_t*)&c)[i] = (uint8_t)random();
        std::fill(out.begin(), out.end(), '#');
        int length = BuildConfigReport(c, kHeading, out.data(), kReportBufferSize);
        ASSERT_LT(length, kReportBufferSize);
        EXPECT_EQ(out[length], '\0');
        EXPECT_EQ(out[kReportBufferSize], '#');
    }
    // A buffer too small for the report holds its beginning.
    char small[40];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(BuildConfigReport(MakeEmptyConfig(), kHeading, small, 30), 29);
    EXPECT_EQ(std::string(small), ExpectedEmptyReport().substr(0, 29));
    EXPECT_EQ(small[30], '#');
}

} // namespace
