#pragma once
// "Buscar controlador" of the settings dialog: the version asked of each port present in turn,
// one timer tick after another, so that the dialog answers all along and "Detener" ends it.
#include "link/win32/comm_link.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// The dialog's timer that drives the search.
constexpr UINT_PTR kSearchTimer = 1;

struct PortSearch {
    std::vector<uint32_t> ports;
    size_t next = 0;
    CommLink probe;             // a port other than the one the program has open
    CommLink* asking = nullptr; // the probe, or the program's link for the port it has open
    DWORD askedAt = 0;
    bool running = false;
};

// Starts the search from the ports present now, or stops a running one. `inUse` is the
// program's link: its open port is asked through it.
void StartOrStopSearch(PortSearch& search, HWND dialog, CommLink& inUse);
// The timer's tick: true when a ZRT94VK has answered, on `*found`; the search is over then.
bool SearchTick(PortSearch& search, HWND dialog, CommLink& inUse, uint32_t* found);
// Ends a search, if one runs, without a word.
void EndSearch(PortSearch& search, HWND dialog);
