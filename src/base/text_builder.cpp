#include "base/text_builder.h"

#include <cstdarg>
#include <cstdio>

TextBuilder::TextBuilder(char* buffer, size_t bufferSize) : out(buffer), size(bufferSize) {
    if (size) out[0] = '\0';
}

void TextBuilder::Append(const char* text) {
    if (size == 0) return;
    while (*text && length + 1 < size)
        out[length++] = *text++;
    out[length] = '\0';
}

void TextBuilder::Format(const char* format, ...) {
    if (size == 0 || length + 1 >= size) return;
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(out + length, size - length, format, args);
    va_end(args);
    if (n < 0) {
        out[length] = '\0';
        return;
    }
    length = (size_t)n < size - length ? length + n : size - 1;
}

void TextBuilder::DropLast(char c) {
    if (length > 0 && out[length - 1] == c) out[--length] = '\0';
}
