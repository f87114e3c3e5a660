#include "base/text_encoding.h"

#include <utility>

namespace {

// Windows-1252 bytes 0x80..0x9F that are not C1 controls, by Unicode code point.
const std::pair<unsigned, unsigned char> kHighCp1252[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

char ToCp1252(unsigned cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return (char)cp;
    for (const auto& p : kHighCp1252)
        if (p.first == cp) return (char)p.second;
    return '?';
}

// Latin-1 letters 0xC0..0xFF without their accents, in lower case; '\0' for the non-letters.
const char kFoldedLatin1[] = "aaaaaaaceeeeiiii"
                             "dnooooo\0ouuuuyps"
                             "aaaaaaaceeeeiiii"
                             "dnooooo\0ouuuuypy";

} // namespace

std::string Utf8ToCp1252(const char* text, std::size_t size) {
    std::string out;
    out.reserve(size);
    const unsigned char* p = (const unsigned char*)text;
    const unsigned char* end = p + size;
    while (p < end) {
        unsigned cp = *p++;
        int extra = cp >= 0xF0 ? 3 : cp >= 0xE0 ? 2 : cp >= 0xC0 ? 1 : 0;
        if (extra) cp &= 0x3F >> extra;
        for (; extra > 0 && p < end && (*p & 0xC0) == 0x80; --extra)
            cp = (cp << 6) | (*p++ & 0x3F);
        out += ToCp1252(extra ? 0xFFFD : cp);
    }
    return out;
}

std::string Cp1252ToUtf8(const char* text) {
    std::string out;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        unsigned cp = *p;
        for (const auto& high : kHighCp1252)
            if (high.second == *p) cp = high.first;
        if (cp < 0x80) {
            out += (char)cp;
        } else if (cp < 0x800) {
            out += (char)(0xC0 | (cp >> 6));
            out += (char)(0x80 | (cp & 0x3F));
        } else {
            out += (char)(0xE0 | (cp >> 12));
            out += (char)(0x80 | ((cp >> 6) & 0x3F));
            out += (char)(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

char FoldForSearch(char c) {
    unsigned char u = (unsigned char)c;
    if (u >= 'a' && u <= 'z') return c;
    if (u >= '0' && u <= '9') return c;
    if (u >= 'A' && u <= 'Z') return (char)(u - 'A' + 'a');
    if (u >= 0xC0) {
        char f = kFoldedLatin1[u - 0xC0];
        return f ? f : ' ';
    }
    if (u == 0x8A || u == 0x9A) return 's';
    if (u == 0x8E || u == 0x9E) return 'z';
    return ' ';
}
