#include "base/res_string.h"

#include <cstdio>
#include <cstring>

void FormatMissingString(unsigned id, char* buffer, int size) {
    if (size <= 0) return;
    std::snprintf(buffer, size, "Error: Cadena %d no encontrada en el recurso", (int)id);
    buffer[size - 1] = '\0';
}

const char* ResString(unsigned id) {
    static char text[256];
    LoadResString(id, text, sizeof text);
    return text;
}
