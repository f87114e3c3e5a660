#include "app/win32/port_search.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "link/port_number.h"
#include "link/version_answer.h"
#include "link/win32/serial_ports.h"
#include "res/resource.h"

#include <cstdio>

namespace {

constexpr UINT kTickMs = 50;
// As long as a version query waits for its answer.
constexpr DWORD kAnswerMs = 1000;

void SetSearchState(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, IDC_SETTINGS_SEARCH_STATE, text);
}

void EndSearch(PortSearch& s, HWND dialog, unsigned textId) {
    EndSearch(s, dialog);
    SetSearchState(dialog, ResString(textId));
}

// Sends the version request on the next port that opens.
void AskNextPort(PortSearch& s, HWND dialog, CommLink& inUse) {
    s.probe.Close();
    s.asking = nullptr;
    while (s.next < s.ports.size()) {
        uint32_t port = s.ports[s.next++];
        char name[16], text[256];
        FormatPortName(port, name, sizeof name);
        std::snprintf(text, sizeof text, ResString(str::SearchTrying), name);
        SetSearchState(dialog, text);
        CommLink* link = &inUse;
        if (port != inUse.port || !inUse.IsOpen()) {
            s.probe.port = port;
            if (!s.probe.OpenQuietly()) continue;
            link = &s.probe;
        }
        link->DiscardInput();
        if (!link->SendPacket(MakeRequest('v'))) continue;
        s.asking = link;
        s.askedAt = GetTickCount();
        return;
    }
    EndSearch(s, dialog, str::SearchNone);
}

bool IsControllerVersion(const LinkPacket& answer) {
    return answer.CD == 'c' && answer.CO == 'o' && answer.OR == 'w' && HasModelMark(answer);
}

} // namespace

void EndSearch(PortSearch& s, HWND dialog) {
    if (!s.running) return;
    KillTimer(dialog, kSearchTimer);
    s.probe.Close();
    s.asking = nullptr;
    s.running = false;
    SetDlgItemTextA(dialog, IDC_SETTINGS_SEARCH, ResString(str::SearchController));
}

void StartOrStopSearch(PortSearch& s, HWND dialog, CommLink& inUse) {
    if (s.running) {
        EndSearch(s, dialog, str::SearchStopped);
        return;
    }
    s.probe.owner = dialog;
    s.ports = SerialPortsPresent();
    s.next = 0;
    s.running = true;
    SetDlgItemTextA(dialog, IDC_SETTINGS_SEARCH, ResString(str::StopSearch));
    SetTimer(dialog, kSearchTimer, kTickMs, nullptr);
    AskNextPort(s, dialog, inUse);
}

bool SearchTick(PortSearch& s, HWND dialog, CommLink& inUse, uint32_t* found) {
    if (!s.running) return false;
    LinkPacket answer;
    while (s.asking && s.asking->ReceivePacket(answer)) {
        if (!IsControllerVersion(answer)) continue;
        *found = s.asking->port;
        EndSearch(s, dialog);
        char name[16], text[256];
        FormatPortName(*found, name, sizeof name);
        std::snprintf(text, sizeof text, ResString(str::SearchFound), name, VersionMajor(answer),
                      VersionMinor(answer));
        SetSearchState(dialog, text);
        return true;
    }
    if (!s.asking || GetTickCount() - s.askedAt >= kAnswerMs) AskNextPort(s, dialog, inUse);
    return false;
}
