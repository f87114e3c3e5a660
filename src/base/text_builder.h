#pragma once
// Appends text to a caller's fixed buffer and never writes past it: what does not fit is cut,
// and the text stays terminated.
#include <cstddef>

struct TextBuilder {
    char* out;
    size_t size; // the buffer's size, terminator included
    size_t length = 0;

    TextBuilder(char* buffer, size_t bufferSize);
    void Append(const char* text);
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Removes the last character when it is `c`.
    void DropLast(char c);
    bool Full() const {
        return size == 0 || length + 1 >= size;
    }
};
