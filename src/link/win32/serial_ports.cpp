#include "link/win32/serial_ports.h"

#include "link/port_number.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

// Windows names each port present in its device namespace (QueryDosDevice), which lists it
// without opening it. Wine lists there only the ports it knew when it started, not one linked
// while the program runs; such a port is found by opening it, which takes 30 to 160 ms for the
// 255 numbers under Wine. A port held by a program refuses to open and is there all the same.
// Wine also keeps, until it restarts, a device for each port named in its registry, which opens
// even after its link has gone but has no serial settings: only a device that gives them counts.

bool SerialPortPresent(uint32_t port) {
    char device[24];
    FormatPortDevice(port, device, sizeof device);
    HANDLE handle =
        CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool serial = GetCommState(handle, &dcb);
    CloseHandle(handle);
    return serial;
}

std::vector<uint32_t> SerialPortsPresent() {
    bool listed[kLastPort + 1] = {};
    static char names[65536]; // the whole namespace: a few hundred names
    DWORD size = QueryDosDeviceA(nullptr, names, sizeof names);
    for (const char* name = names; size && *name; name += std::strlen(name) + 1) {
        if (std::strncmp(name, "COM", 3) != 0 || !std::isdigit((unsigned char)name[3])) continue;
        char* end = nullptr;
        unsigned long port = std::strtoul(name + 3, &end, 10);
        if (*end == '\0' && IsValidPortNumber((uint32_t)port)) listed[port] = true;
    }
    std::vector<uint32_t> present;
    for (uint32_t port = kFirstPort; port <= kLastPort; ++port)
        if (listed[port] || SerialPortPresent(port)) present.push_back(port);
    return present;
}
