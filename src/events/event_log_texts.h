#pragma once
// What the event log dialog shows and prints of a log read from the controller: the list lines,
// the title with the controller's identity, the counters and the printed list. The dialog only
// puts these texts in place.
#include "base/date_line.h"
#include "events/event_log.h"

#include <cstdint>

constexpr int kEventTextSize = 256;
constexpr int kEventPrintBufferSize = 10000; // the heading and 50 list lines, with room to spare

// The counters' text before this controller's counters were read (and for a controller older
// than 3.0, which has none).
constexpr char kUnknownCounter[] = "??????";

// "%02d Eventos".
void FormatEventCount(unsigned count, char* out, int size);

// Line `number` (from 1) of the list: the number and the stop, zero-padded so that the sorted
// list keeps the controller's order, then the code's mnemonic, a blank and its text.
void FormatEventLine(int number, const EventRecord& event, char* out, int size);

// "Archivo de eventos - Controlador 123, Cabina 2", or "Llamadas exteriores" in place of the
// cabin for a hall-call controller (cabin 0).
void FormatEventTitle(int controllerSystem, int controllerCabin, char* out, int size);

// A counter as read, or kUnknownCounter when it was not.
void FormatCounter(bool read, uint32_t value, char* out, int size);

// The printed list's document name: "Configurador ZRT94 - Lista de eventos controlador 123".
void FormatEventPrintTitle(int controllerSystem, char* out, int size);

struct EventPrintHeading {
    const char* companyLine1;
    const char* companyLine2;
    LocalDateTime now;
    int controllerSystem;
    int controllerCabin;
};

// The printed list: company lines, heading, date, controller, cabin, number of lines, then the
// list's lines as shown; every line ends in a carriage return. Cut rather than overflowing `out`;
// returns the text's length.
int BuildEventPrintText(const EventPrintHeading& heading, const char* const* lines, int lineCount,
                        char* out, int size);
