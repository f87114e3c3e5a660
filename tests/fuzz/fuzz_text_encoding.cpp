// The text conversions on arbitrary bytes. UTF-8 of any Windows-1252 text converts back to it;
// any other input gives at most one character per byte and never a byte Windows-1252 leaves
// undefined. Folding for search gives a lower-case letter, a digit or a blank, and folding
// twice changes nothing.
//
// Input: bytes, read both as UTF-8 and as Windows-1252.
#include "base/text_encoding.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The code points of Windows-1252's 0x80..0x9F; 0 where it defines none.
const uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool Undefined(uint8_t c) {
    return c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0;
}

std::string Utf8(const std::string& cp1252) {
    std::string out;
    for (unsigned char c : cp1252) {
        unsigned cp = c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
        if (cp < 0x80) {
            out += (char)cp;
        } else if (cp < 0x800) {
            out += (char)(0xC0 | cp >> 6);
            out += (char)(0x80 | (cp & 0x3F));
        } else {
            out += (char)(0xE0 | cp >> 12);
            out += (char)(0x80 | ((cp >> 6) & 0x3F));
            out += (char)(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes((const char*)data, size);
    std::string converted = Utf8ToCp1252(bytes.data(), bytes.size());
    if (converted.size() > size) std::abort();
    for (unsigned char c : converted)
        if (Undefined(c)) std::abort();

    std::string text;
    for (unsigned char c : bytes)
        text += Undefined(c) ? '?' : (char)c;
    std::string utf8 = Utf8(text);
    if (Utf8ToCp1252(utf8.data(), utf8.size()) != text) std::abort();

    for (char c : bytes) {
        char f = FoldForSearch(c);
        bool plain = (f >= 'a' && f <= 'z') || (f >= '0' && f <= '9') || f == ' ';
        if (!plain || FoldForSearch(f) != f) std::abort();
        if (c >= 'A' && c <= 'Z' && f != c - 'A' + 'a') std::abort();
    }
    return 0;
}
