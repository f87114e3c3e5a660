#pragma once
// The names of the string table's entries, made from the table itself: str::SaveQuestion is the
// number of "La configuración corriente fue modificada, ¿Desea salvarla?". Rows reached by a
// number (menu help by command id, code tables by code) carry no name; their base does.
namespace str {
enum Id : unsigned {
#define STR(id, name, text) name = id,
#define ROW(id, text)
#define BASE(id, name) name = id,
#include "res/strings.inc"
#undef STR
#undef ROW
#undef BASE
};
} // namespace str
