// The text conversions on arbitrary bytes. Any Windows-1252 text converts to UTF-8 and back;
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

bool Undefined(uint8_t c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
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
        text += Undefined(c) || c == 0 ? '?' : (char)c;
    std::string utf8 = Cp1252ToUtf8(text.c_str());
    if (Utf8ToCp1252(utf8.data(), utf8.size()) != text) std::abort();

    for (char c : bytes) {
        char f = FoldForSearch(c);
        bool plain = (f >= 'a' && f <= 'z') || (f >= '0' && f <= '9') || f == ' ';
        if (!plain || FoldForSearch(f) != f) std::abort();
        if (c >= 'A' && c <= 'Z' && f != c - 'A' + 'a') std::abort();
    }
    return 0;
}
