#include "link/exchange.h"

#include "base/res_string.h"

#include <cstdio>
#include <cstring>

void BeginExchange(Exchange& x, const ExchangeHost& host) {
    host.discardInput(host.context);
    x.timesSent = 0;
    x.repeatsDue = 0;
}

void SendRequest(Exchange& x, const ExchangeHost& host, char command) {
    SendRequest(x, host, MakeRequest(command));
}

void SendRequest(Exchange& x, const ExchangeHost& host, const LinkPacket& request) {
    x.request = request;
    x.timesSent = 0;
    ResendRequest(x, host);
}

void ResendRequest(Exchange& x, const ExchangeHost& host) {
    ++x.timesSent;
    host.sendPacket(host.context, x.request);
}

bool ReceiveAnswer(Exchange& x, const ExchangeHost& host, LinkPacket* answer) {
    while (host.receivePacket(host.context, answer)) {
        if (x.repeatsDue > 0 && answer->OR == x.takenOR && answer->LA == x.takenLA) {
            --x.repeatsDue;
            continue;
        }
        // Anything else means the controller has moved on: no repeat comes after it.
        x.takenOR = answer->OR;
        x.takenLA = answer->LA;
        x.repeatsDue = x.timesSent > 1 ? x.timesSent - 1 : 0;
        return true;
    }
    return false;
}

// ResString's buffer is shared, so each text is used before the next load.
void SetStatus(Exchange& x, unsigned id) {
    LoadResString(id, x.statusText, kStatusTextSize);
}

void SetStatus(Exchange& x, const char* format, unsigned id) {
    std::snprintf(x.statusText, kStatusTextSize, format, ResString(id));
}

void AppendStatus(Exchange& x, unsigned id) {
    AppendStatusText(x, ResString(id));
}

void AppendStatusText(Exchange& x, const char* text) {
    size_t used = std::strlen(x.statusText);
    std::snprintf(x.statusText + used, kStatusTextSize - used, "%s", text);
}

StepResult Fail(Exchange& x, const char* format, unsigned id, unsigned tail) {
    SetStatus(x, format, id);
    if (tail) AppendStatus(x, tail);
    return StepFailed;
}
