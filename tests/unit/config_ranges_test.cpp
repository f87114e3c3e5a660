// The range check before a transmit: the first field out of range, by its name and value. That
// the box's text names them, and that an image in range has none, is the wire fuzzer's.
#include "config/config_ranges.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// One table of bounds drives the check: its kinds of bound, its per-stop and numbered entries,
// its order and its 16-bit fields, rather than each of its rows.
TEST(ConfigRanges, FirstFieldOutOfRangeByNameAndValue) {
    // The change, the field named (empty: every field in range) and its value.
    using CC = ControllerConfig;
    const std::tuple<std::function<void(CC&)>, std::string, int> cases[] = {
        // clang-format off
        {[](CC&) {}, "", 0},
        // Every bound met exactly.
        {[](CC& c) {
             c.controlType = 5, c.stopCount = c.lastServedStop = c.fireStation = c.restStation = 23;
             c.firstServedStop = 22, c.relayFunction[17] = c.auxTerminalFunction[3] = 99;
             c.carSpeed = 200, c.doorMode = c.auxOutputType = 8;
             c.stopDoors[22] = 3, c.stopCallsNotServed[22] = 7, c.stopDoors[23] = 12; // no stop 24
         }, "", 0},
        // What the line would cut to another image: the rest station comes first.
        {[](CC& c) { c.relayFunction[0] = 150, c.stopDoors[0] = 12, c.restStation = 123; },
         W1252("Estación de reposo"), 123},
        {[](CC& c) { c.relayFunction[17] = 100; }, W1252("Relé 18"), 100},
        {[](CC& c) { c.auxTerminalFunction[3] = 100; }, "Borne auxiliar 4", 100},
        {[](CC& c) { c.stopDoors[13] = 4; }, "Parada 14, abre puerta", 4},
        {[](CC& c) { c.stopDoors[13] = 0; }, "", 0}, // a stop where no door opens
        {[](CC& c) { c.stopCallsNotServed[0] = 8; }, "Parada 1, no atiende llamadas", 8},
        {[](CC& c) { c.stopCount = 0; }, "Cantidad de paradas", 0},
        {[](CC& c) { c.stopCount = 25; }, "Cantidad de paradas", 25},
        {[](CC& c) { c.controlType = 3, c.stopCount = 17; }, "Cantidad de paradas", 17},
        {[](CC& c) { c.systemNumber = 0; }, W1252("Sistema número"), 0},
        {[](CC& c) { c.controlType = 6; }, "Tipo", 6},
        {[](CC& c) { c.fireStation = 15; }, W1252("Estación de incendio"), 15},
        {[](CC& c) { c.restStation = 15; }, W1252("Estación de reposo"), 15},
        {[](CC& c) { c.screenSystem = 0; }, "Sistema de pantallas", 0},
        {[](CC& c) { c.falseStopLimit = 10; }, "Cantidad de paradas falsas", 10},
        {[](CC& c) { c.duplexMainStation = 15; }, W1252("Estación principal"), 15},
        {[](CC& c) { c.secondaryRestsDoorClosed = 2; },
         W1252("Estación secundaria, descansa con puerta cerrada"), 2},
        {[](CC& c) { c.carSpeed = 9; }, "Velocidad de la cabina", 9},
        {[](CC& c) { c.carSpeed = 1000; }, "Velocidad de la cabina", 1000},
        {[](CC& c) { c.firstServedStop = 9, c.lastServedStop = 3; }, "Ultima parada atendida", 3},
        {[](CC& c) { c.firstServedStop = 14; }, "Primera parada atendida", 14},
        // clang-format on
    };
    for (const auto& [change, name, value] : cases) {
        ControllerConfig c = MakeEmptyConfig();
        change(c);
        FieldOutOfRange found{};
        bool out = FindFieldOutOfRange(c, found);
        EXPECT_EQ(out, !name.empty()) << found.name;
        if (!out) continue;
        EXPECT_EQ(found.name, name);
        EXPECT_EQ(found.value, value) << name;
    }
}

TEST(ConfigRanges, TheStopBoxNamesTheFieldAndItsValue) {
    ControllerConfig c = MakeEmptyConfig();
    char text[512];
    EXPECT_FALSE(DescribeFieldOutOfRange(c, text, sizeof text));
    c.relayFunction[0] = 150;
    ASSERT_TRUE(DescribeFieldOutOfRange(c, text, sizeof text));
    EXPECT_STREQ(text, W1252("Relé 1: el valor 150 está fuera de rango.\nNo se transmitió nada al "
                             "controlador. Corrija la configuración con \"Controlador - "
                             "Configuracion...\" y vuelva a transmitirla."));
}

} // namespace
