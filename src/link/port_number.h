#pragma once
// The serial port setting: COM1 to COM255. The name is formed for any number, so that a message
// about a wrong setting can name it.
#include <cstdint>

constexpr uint32_t kFirstPort = 1;
constexpr uint32_t kLastPort = 255;

inline bool IsValidPortNumber(uint32_t port) {
    return port >= kFirstPort && port <= kLastPort;
}

// The settings keep the port in a signed byte: COM200 is stored as -56.
inline uint32_t PortOfSetting(int8_t setting) {
    return (uint8_t)setting;
}

// "COM12", as the messages and the monitor show it.
void FormatPortName(uint32_t port, char* name, int size);
// "\\.\COM12": Windows opens ports above COM9 by this name only, and every port by it.
void FormatPortDevice(uint32_t port, char* device, int size);

// A port typed by the user ("12", "COM12", " com3 "): the number, or why it is refused (the
// string id of the message that says so; 0 when it is taken).
struct TypedPort {
    uint32_t port;
    unsigned refusal;
};
TypedPort ParseTypedPort(const char* text);
