#pragma once
// The serial ports there now, as the adapters come and go.
#include <cstdint>
#include <vector>

// True when the port's device exists now: free, held by this program or by another.
bool SerialPortPresent(uint32_t port);

// The ports present, COM1 to COM255, in ascending order.
std::vector<uint32_t> SerialPortsPresent();
