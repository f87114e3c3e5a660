#pragma once
// The relay function catalogue: for each code 0..99 a name, a mnemonic and a description, kept in
// the string table.
#include <cstddef>

constexpr int kRelayCodeMax = 99;

// Name and mnemonic of a code, or the empty text where the catalogue has none.
void RelayName(int code, char* out, int size);
void RelayMnemonic(int code, char* out, int size);

// True when the code has a description: codes 0..99 whose description string exists.
bool RelayHasDescription(int code);

// The editor's description of a code: "%02d - %s  %s\r%s" (code, mnemonic, name, description),
// or "%02d - Código sin especificación." for a code without one.
void relayDescriptionText(int code, char* out, size_t size);

// The report's line for a code: "%02d - No actúa." for 0, "%02d - %s  %s" (code, mnemonic,
// name) for a described code, "%02d - Código sin especificación." otherwise.
void relayReportText(int code, char* out, size_t size);
