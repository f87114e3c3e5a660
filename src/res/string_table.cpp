// The string list compiled into the native builds, converted once from its UTF-8 source to the
// Windows-1252 bytes that the resource compiler produces for the program.
#include "app/res_string.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Entry {
    unsigned id;
    const char* utf8;
};

const Entry kEntries[] = {
#define STR(id, text) {id, text},
#include "res/strings.inc"
#undef STR
};

// Windows-1252 bytes 0x80..0x9F that are not C1 controls, by Unicode code point.
const std::pair<unsigned, unsigned char> kHighCp1252[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

unsigned char ToCp1252(unsigned cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return (unsigned char)cp;
    for (const auto& p : kHighCp1252)
        if (p.first == cp) return p.second;
    return '?';
}

std::string Utf8ToCp1252(const char* s) {
    std::string out;
    const unsigned char* p = (const unsigned char*)s;
    while (*p) {
        unsigned cp = *p++;
        int extra = cp >= 0xF0 ? 3 : cp >= 0xE0 ? 2 : cp >= 0xC0 ? 1 : 0;
        if (extra) cp &= 0x3F >> extra;
        for (; extra > 0 && (*p & 0xC0) == 0x80; --extra)
            cp = (cp << 6) | (*p++ & 0x3F);
        out += (char)ToCp1252(cp);
    }
    return out;
}

struct Table {
    std::vector<std::pair<unsigned, std::string>> rows;
    Table() {
        for (const Entry& e : kEntries)
            rows.emplace_back(e.id, Utf8ToCp1252(e.utf8));
        std::sort(rows.begin(), rows.end());
    }
};

} // namespace

const char* StringTableText(unsigned id) {
    static const Table table;
    auto it = std::lower_bound(table.rows.begin(), table.rows.end(), id,
                               [](const auto& row, unsigned key) { return row.first < key; });
    if (it == table.rows.end() || it->first != id) return nullptr;
    return it->second.c_str();
}
