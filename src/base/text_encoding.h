#pragma once
// Conversions between the UTF-8 of our sources and the Windows-1252 the program works in.
#include <cstddef>
#include <string>

// UTF-8 to Windows-1252; a character that Windows-1252 cannot hold becomes '?'.
std::string Utf8ToCp1252(const char* text, std::size_t size);

// Windows-1252 to UTF-8.
std::string Cp1252ToUtf8(const char* text);

// A Windows-1252 character folded for searching: letters in lower case without accents
// ("Á" and "á" give "a", "Ñ" gives "n"), digits as they are, anything else a blank.
char FoldForSearch(char c);
