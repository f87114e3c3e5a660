#include "serial_line.h"

#include <windows.h>

namespace {
HANDLE Handle(intptr_t h) {
    return (HANDLE)h;
}

std::string LastError(const std::string& what) {
    return what + ": error " + std::to_string((unsigned long)GetLastError());
}
} // namespace

uint64_t NowMs() {
    return (uint64_t)GetTickCount64();
}

bool SerialLine::OpenPseudoTerminal(std::string&, std::string& error) {
    error = "Windows has no pseudo-terminals: give a port with --device COMn";
    return false;
}

bool SerialLine::OpenDevice(const std::string& path, std::string& error) {
    // COM10 and above need the device namespace; it works for every port.
    std::string name = path.rfind("\\\\.\\", 0) == 0 ? path : "\\\\.\\" + path;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = LastError(path);
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb)) {
        error = LastError("GetCommState");
        CloseHandle(h);
        return false;
    }
    dcb.BaudRate = 19200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
    if (!SetCommState(h, &dcb) || !SetCommTimeouts(h, &timeouts)) {
        error = LastError("SetCommState");
        CloseHandle(h);
        return false;
    }
    handle = (intptr_t)h;
    return true;
}

int SerialLine::Read(uint8_t* buffer, int size) {
    DWORD read = 0;
    if (!ReadFile(Handle(handle), buffer, (DWORD)size, &read, nullptr)) return -1;
    return (int)read;
}

void SerialLine::Wait(unsigned ms) {
    Sleep(ms < 5 ? ms : 5);
}

bool SerialLine::Write(const uint8_t* bytes, int size) {
    DWORD written = 0;
    return WriteFile(Handle(handle), bytes, (DWORD)size, &written, nullptr) &&
           written == (DWORD)size;
}

void SerialLine::Close() {
    if (handle != -1) CloseHandle(Handle(handle));
    handle = -1;
}
