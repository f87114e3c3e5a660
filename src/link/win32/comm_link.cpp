#include "link/win32/comm_link.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "link/framing.h"
#include "link/port_number.h"
#include "link/win32/comm_monitor.h"
#include "res/resource.h"

#include <cstdio>

namespace {

constexpr DWORD kBaudRate = 19200;

// The line of the controller: 19200 8N1, DTR on, RTS raised only while sending, no flow
// control; every member not named here stays as the driver reported it.
void SetLineSettings(DCB& dcb) {
    dcb.BaudRate = kBaudRate;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.fParity = FALSE;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_TOGGLE;
    dcb.fAbortOnError = FALSE;
    dcb.wReserved = 0;
}

// Many drivers (Wine's, and those of many USB adapters) cannot toggle RTS and refuse the whole
// block for it; with RTS held on instead the line works for every controller on RS-232.
bool RefusedRtsToggle(const DCB& dcb, DWORD error) {
    return dcb.fRtsControl == RTS_CONTROL_TOGGLE &&
           (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_PARAMETER);
}

bool ReadOneByte(void* context, uint8_t* byte) {
    DWORD read = 0;
    return ReadFile(static_cast<HANDLE>(context), byte, 1, &read, nullptr) && read == 1;
}

} // namespace

void CommLink::Init(uint32_t portNumber, HWND ownerWindow, HINSTANCE moduleInstance) {
    port = portNumber;
    owner = ownerWindow;
    instance = moduleInstance;
    if (!isOpen) Open(); // a failure has been shown already and leaves the link closed
}

bool CommLink::Open() {
    if (isOpen) return true;
    // A handle held from an open that failed its settings would keep the port from opening.
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    char name[16], device[24];
    FormatPortName(port, name, sizeof name); // also for a number out of range, to name it
    if (!IsValidPortNumber(port)) {
        ShowPortMessage(str::InvalidPort, name);
        return false;
    }
    FormatPortDevice(port, device, sizeof device);
    handle =
        CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ShowPortMessage(str::CannotOpenPort, name);
        ShowStateInMonitor();
        return false;
    }
    // On a failure below the handle stays held, closed: Close releases it.
    if (Configure()) isOpen = 1;
    ShowStateInMonitor();
    return isOpen != 0;
}

bool CommLink::OpenQuietly() {
    reportFailures = false;
    bool opened = Open();
    reportFailures = true;
    return opened;
}

bool CommLink::SwitchPort(uint32_t newPort) {
    Close();
    port = newPort;
    receiver.Reset();
    return Open();
}

// The port's message says where another port is chosen.
void CommLink::ShowPortMessage(unsigned textId, const char* portName) {
    if (!reportFailures) return;
    char text[512];
    int n = std::snprintf(text, sizeof text, ResString(textId), portName);
    if (n > 0 && n < (int)sizeof text)
        std::snprintf(text + n, sizeof text - n, "\n%s", ResString(str::PortChoiceHint));
    MessageBoxA(owner, text, nullptr, MB_ICONSTOP);
}

void CommLink::ShowStateInMonitor() {
    if (monitorWindow) ShowLinkInMonitor(monitorWindow, port, IsOpen());
}

bool CommLink::Configure() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb)) {
        Fail(str::GetStateFailed);
        return false;
    }
    SetLineSettings(dcb);
    if (!SetCommState(handle, &dcb)) {
        if (!RefusedRtsToggle(dcb, GetLastError())) {
            Fail(str::SetStateFailed);
            return false;
        }
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        if (!SetCommState(handle, &dcb)) {
            Fail(str::SetStateFailed);
            return false;
        }
    }
    // Reads return at once with what is already buffered; writes have no time-out.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    if (!SetCommTimeouts(handle, &timeouts)) {
        Fail(str::TimeoutsFailed);
        return false;
    }
    return true;
}

void CommLink::Fail(unsigned textId) {
    if (!reportFailures) return;
    char hint[256];
    LoadResString(str::PortChoiceHint, hint, sizeof hint);
    char text[512];
    std::snprintf(text, sizeof text, "%s\n%s", ResString(textId), hint);
    MessageBoxA(owner, text, nullptr, MB_ICONSTOP);
}

void CommLink::Close() {
    if (handle != INVALID_HANDLE_VALUE) {
        BOOL released = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        if (!released && isOpen) MessageBoxIds(owner, str::CloseFailed, 0, MB_ICONSTOP);
    }
    isOpen = 0;
    ShowStateInMonitor();
}

// The monitor is made when it is first shown, not at start-up, where making it took about a fifth
// of the program's own part of the time to the first painted label.
void CommLink::ShowMonitor(bool show) {
    if (show && !monitorWindow &&
        (monitorWindow = CreateCommMonitor(instance, owner, {port, IsOpen()})))
        for (bool received : {false, true})
            if (lastPacket[received])
                ShowPacketInMonitor(monitorWindow, *lastPacket[received], received);
    if (monitorWindow) ShowWindow(monitorWindow, show ? SW_SHOWNORMAL : SW_HIDE);
}

void CommLink::ShowInMonitor(const LinkPacket& packet, bool received) {
    if (monitorWindow)
        ShowPacketInMonitor(monitorWindow, packet, received);
    else
        lastPacket[received] = packet;
}

bool CommLink::IsMonitorVisible() const {
    return monitorWindow && IsWindowVisible(monitorWindow);
}

bool CommLink::SendPacket(const LinkPacket& packet) {
    if (!isOpen) return false;
    uint8_t frame[kMaxFrameSize];
    DWORD size = (DWORD)EncodeFrame(packet, frame);
    ClearCommBreak(handle);
    DWORD written = 0;
    if (!WriteFile(handle, frame, size, &written, nullptr) || written < size) {
        OutputDebugStringA("Error de escritura.\r\n");
        return false;
    }
    ShowInMonitor(packet, false);
    return true;
}

bool CommLink::ReceivePacket(LinkPacket& packet) {
    if (!isOpen) return false;
    // One byte at a time, so that whatever follows a completed frame stays in the driver.
    ByteSource source{.context = handle, .readByte = ReadOneByte};
    if (!::ReceivePacket(receiver, source, packet)) return false;
    ShowInMonitor(packet, true);
    return true;
}

void CommLink::DiscardInput() {
    if (!isOpen) return;
    PurgeComm(handle, PURGE_RXCLEAR);
    receiver.Reset();
}
