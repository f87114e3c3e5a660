#pragma once
// The program's texts are Windows-1252; its sources are UTF-8. W1252("Relé %2d:") turns a
// literal into its Windows-1252 bytes at compile time. Every literal with a character outside
// ASCII goes through it (scripts/check-floors.sh checks the sources for strays).
#include <cstddef>

template <std::size_t N> struct Cp1252Text { char data[N]; };

template <std::size_t N> constexpr Cp1252Text<N> ToCp1252(const char (&s)[N]) {
    Cp1252Text<N> out{};
    std::size_t o = 0;
    for (std::size_t i = 0; i + 1 < N;) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.data[o++] = static_cast<char>(c);
            i += 1;
        } else if ((c & 0xE0) == 0xC0 && c < 0xC4) { // U+0080..U+00FF: same value in 1252
            unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            out.data[o++] = static_cast<char>(cp);
            i += 2;
        } else {
            throw "W1252: only Latin-1 characters are supported";
        }
    }
    return out;
}

#define W1252(literal)                                                                             \
    ([]() -> const char* {                                                                         \
        static constexpr auto text_ = ToCp1252(literal);                                           \
        return text_.data;                                                                         \
    }())
