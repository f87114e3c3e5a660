#pragma once
// The history read once into one block of text, for a list that shows any of its lines at once:
// each record's fields in Windows-1252, ended by '\0', one after another.
#include "app/history_line.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HistoryIndex {
    std::string pool;
    std::vector<uint32_t> records; // where each record's first field starts, in file order

    // Field `field` (0 to kHistoryFields - 1) of record `record`.
    const char* Field(std::size_t record, int field) const;
};

// Reads the history's text (UTF-8, as written) into `index`: the header line is left out, and so
// are empty lines; a line that does not read whole keeps its raw text in the Resultado field.
void BuildHistoryIndex(const char* text, std::size_t size, HistoryIndex* index);

// The records shown, newest (last in the file) first: all of them for an empty `system`, else
// those whose Sistema field is that number (leading zeros and blanks aside).
void FilterHistory(const HistoryIndex& index, const char* system, std::vector<uint32_t>* rows);
