// The comparison before a transmit: each field that differs, in the report's words, with the
// value of the current configuration and of the file. The speed is the Document scenario's.
#include "app/config_compare.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST(ConfigCompare, DifferencesInTheReportsWords) {
    // A change to the current configuration and the file, and the rows "label|current|file".
    using CC = ControllerConfig;
    const std::pair<std::function<void(CC&, CC&)>, std::vector<std::string>> cases[] = {
        {[](CC&, CC&) {}, {}},
        // A code shown as its catalogue words, without the blanks its name carries.
        {[](CC&, CC& c) { c.relayFunction[4] = 20; },
         {W1252("Relé 5|00 - No actúa.|20 - GON  Gong")}},
        // Compared as the controller holds them: it pads a one-letter stop name with a blank.
        {[](CC& c, CC& f) { c.stopNames[2][1] = 0, f.stopNames[2][0] = ' '; }, {}},
        // A value wider than its field reaches the controller as its leading digits.
        {[](CC&, CC& f) { f.carSpeed = 1000; }, {"Velocidad de cabina|80 m/min|100 m/min"}},
        // A difference in blanks alone is shown in quotes.
        {[](CC& c, CC& f) { c.stopNames[2][0] = f.stopNames[2][1] = ' '; },
         {"Parada 3 - Nombre|\" ?\"|\"? \""}},
        // The door option bits mean something only for an automatic door.
        {[](CC&, CC& c) { c.doorMode = 2; },
         {W1252("Tipo de puerta|Manual|Automática"), "Reposa|-|Abierta",
          W1252("Zona de puerta|-|Mínima"), "Apertura retardada|-|No"}},
        // Extra stops are listed as missing from the current configuration.
        {[](CC&, CC& c) { c.stopCount = 15; },
         {"Cantidad de paradas|14|15", "Parada 15 - Nombre|(no existe)|??",
          "Parada 15 - Abre puerta|(no existe)|1",
          "Parada 15 - No atiende llamadas|(no existe)|Asc. Des. Cab."}},
        {[](CC&, CC& c) { c.cabinNumber = 3; }, {W1252("Cabina número|1|3")}},
        {[](CC&, CC& c) { std::snprintf(c.siteName, sizeof c.siteName, "TORRE"); },
         {W1252("Obra|Configuración vacía|TORRE")}},
        {[](CC& c, CC&) { c.preClosingContact = 0; }, {"Cont. de precierre|No|Si"}},
        {[](CC&, CC& c) {
             c.optionFlags = 1 << 1, c.specialVoiceAnnouncer = 1, c.mainRestsDoorClosed = 0;
         },
         {W1252("Puerto de supervisión|0 - Sin Supervisión|1 - RS-232C"),
          W1252("Anunciador vocal|estándar|especial"),
          W1252("Estación principal - descansa con puerta|Cerrada|Abierta")}},
    };
    for (const auto& [change, expected] : cases) {
        ControllerConfig current = MakeEmptyConfig(), file = current;
        change(current, file);
        std::vector<std::string> rows;
        for (const ConfigDifference& d : CompareConfigs(current, file))
            rows.push_back(std::string(d.label) + "|" + d.current + "|" + d.file);
        EXPECT_EQ(rows, expected);
    }
}

} // namespace
