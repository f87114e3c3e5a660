// LoadResString for the builds that carry no resources: tests, benchmarks and the simulator.
#include "base/res_string.h"

#include <cstring>

int LoadResString(unsigned id, char* buffer, int size) {
    if (size <= 0) return 0;
    const char* text = StringTableText(id);
    if (!text) {
        FormatMissingString(id, buffer, size);
        return 0;
    }
    std::strncpy(buffer, text, size - 1);
    buffer[size - 1] = '\0';
    return (int)std::strlen(buffer);
}
