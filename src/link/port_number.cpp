#include "link/port_number.h"

#include "base/string_ids.h"

#include <cctype>
#include <cstdio>
#include <cstring>

void FormatPortName(uint32_t port, char* name, int size) {
    std::snprintf(name, size, "COM%u", (unsigned)port);
}

void FormatPortDevice(uint32_t port, char* device, int size) {
    std::snprintf(device, size, "\\\\.\\COM%u", (unsigned)port);
}

TypedPort ParseTypedPort(const char* text) {
    const char* p = text;
    while (*p == ' ')
        ++p;
    // The drop-down's items read "COM12"; one picked and then edited keeps its prefix.
    if (std::strncmp(p, "COM", 3) == 0 || std::strncmp(p, "com", 3) == 0) p += 3;
    uint32_t port = 0;
    int digits = 0;
    for (; std::isdigit((unsigned char)*p); ++p, ++digits)
        if (port <= kLastPort) port = port * 10 + (uint32_t)(*p - '0'); // stops growing past 255
    while (*p == ' ')
        ++p;
    if (digits == 0 || *p != '\0') return {0, str::TypedPortNotNumber};
    if (!IsValidPortNumber(port)) return {0, str::TypedPortOutOfRange};
    return {port, 0};
}
