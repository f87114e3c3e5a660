#pragma once
// The simulator's end of the serial line: a pseudo-terminal it creates (POSIX) or a device it
// opens (a serial port, COMn on Windows). Reads never wait.
#include <cstdint>
#include <string>

struct SerialLine {
    // Creates a pseudo-terminal and sets it raw at 19200 baud; `path` gets the name of the end
    // the program opens. POSIX only.
    bool OpenPseudoTerminal(std::string& path, std::string& error);
    // Opens a serial device (a path, or COMn on Windows) at 19200 baud, 8N1, raw.
    bool OpenDevice(const std::string& path, std::string& error);
    // Reads what is already buffered, at most `size` bytes: the count, 0 for none, -1 on error.
    int Read(uint8_t* buffer, int size);
    // Waits at most `ms` for input to arrive.
    void Wait(unsigned ms);
    bool Write(const uint8_t* bytes, int size);
    void Close();

    intptr_t handle = -1;
    intptr_t terminalEnd = -1; // the pseudo-terminal's other end, held open so reads never fail
};

// Milliseconds from an arbitrary start, for the answer schedule.
uint64_t NowMs();
