#pragma once
// The lines of the history of exchanges with controllers (Historial.csv): built here, appended by
// the platform, and read back without trusting the file, which a user may have edited by hand.
#include <cstddef>
#include <string>

// Fecha, Operación, Sistema, Cabina, Versión, Resultado, Archivo.
constexpr int kHistoryFields = 7;

// The byte-order mark and the header line, in UTF-8, that start a new history.
extern const char kHistoryHead[];

// One line, ended by "\r\n": the fields (UTF-8) joined by ';', each holding ';', '"', '\r' or
// '\n' quoted as spreadsheets expect ("a;b" becomes "\"a;b\"", a '"' inside is doubled).
std::string BuildHistoryLine(const std::string (&fields)[kHistoryFields]);

// Reads the record that starts at `at` in `text` (a quoted field may hold line breaks) into
// `fields` and returns where the next one starts. A record that is not seven fields (edited by
// hand, cut short) gives its raw text, without line break, in the Resultado field and the others
// empty; false then. A byte-order mark at the start of the text is skipped.
bool ReadHistoryRecord(const char* text, std::size_t size, std::size_t* at,
                       std::string (&fields)[kHistoryFields]);
