// The comparison before a transmit: each field that differs, in the report's words, with the
// value of the current configuration and of the file. The speed is the Document scenario's.
#include "config/config_compare.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(ConfigCompare, DifferencesInTheReportsWords) {
    // A change to the file, and the rows "label|current|file".
    using CC = ControllerConfig;
    const std::pair<std::function<void(CC&)>, std::vector<std::string>> cases[] = {
        {[](CC&) {}, {}},
        // A code shown as its catalogue words, without the blanks its name carries.
        {[](CC& c) { c.relayFunction[4] = 20; }, {W1252("Relé 5|00 - No actúa.|20 - GON  Gong")}},
        // The door option bits mean something only for an automatic door.
        {[](CC& c) { c.doorMode = 2; },
         {W1252("Tipo de puerta|Manual|Automática"), "Reposa|-|Abierta",
          W1252("Zona de puerta|-|Mínima"), "Apertura retardada|-|No"}},
        // Extra stops are listed as missing from the current configuration.
        {[](CC& c) { c.stopCount = 15; },
         {"Cantidad de paradas|14|15", "Parada 15 - Nombre|(no existe)|??",
          "Parada 15 - Abre puerta|(no existe)|1",
          "Parada 15 - No atiende llamadas|(no existe)|Asc. Des. Cab."}},
        {[](CC& c) { c.cabinNumber = 3; }, {W1252("Cabina número|1|3")}},
        {[](CC& c) {
             c.optionFlags = 1 << 1, c.specialVoiceAnnouncer = 1, c.mainRestsDoorClosed = 0;
         },
         {W1252("Puerto de supervisión|0 - Sin Supervisión|1 - RS-232C"),
          W1252("Anunciador vocal|estándar|especial"),
          W1252("Estación principal - descansa con puerta|Cerrada|Abierta")}},
    };
    for (const auto& [changeFile, expected] : cases) {
        const ControllerConfig current = MakeEmptyConfig();
        ControllerConfig file = current;
        changeFile(file);
        std::vector<std::string> rows;
        for (const ConfigDifference& d : CompareConfigs(current, file))
            rows.push_back(std::string(d.label) + "|" + d.current + "|" + d.file);
        EXPECT_EQ(rows, expected);
    }
}

} // namespace
