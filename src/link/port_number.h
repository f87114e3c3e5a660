#pragma once
// The serial port setting: COM1 to COM9. The name is formed for any number, so that a message
// about a wrong setting can name it.
#include <cstdint>
#include <cstdio>

constexpr uint32_t kFirstPort = 1;
constexpr uint32_t kLastPort = 9;

inline bool IsValidPortNumber(uint32_t port) {
    return port >= kFirstPort && port <= kLastPort;
}

// "COM%1d" of the number, as the messages and the monitor show it.
inline void FormatPortName(uint32_t port, char* name, int size) {
    std::snprintf(name, size, "COM%1d", (int)port);
}
