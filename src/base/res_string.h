#pragma once
// String-table access. Texts are Windows-1252, as the controller and the files carry them.
#include <cstddef>

// Loads string `id` into `buffer` (at most size - 1 characters and a NUL) and returns the number
// of characters loaded. A missing entry leaves "Error: Cadena %d no encontrada en el recurso" in
// the buffer and returns 0. The buffer's last position is always NUL.
int LoadResString(unsigned id, char* buffer, int size);

// LoadResString into one process-wide 256-character buffer; the next call overwrites it.
const char* ResString(unsigned id);

// The text that stands in for a missing string.
void FormatMissingString(unsigned id, char* buffer, int size);

// The string's Windows-1252 text from the compiled-in list, or nullptr when the list has no such
// entry. The program loads its resources instead; tests compare the two.
const char* StringTableText(unsigned id);
