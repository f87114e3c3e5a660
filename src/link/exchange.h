#pragma once
// What every exchange with the controller shares (the configuration conversations and the event
// log's): the dialog's line and answer timer, the request on the line, the answers taken from
// it, and the status or failure text the dialog shows.
#include "link/link_packet.h"

// Results of the exchange step functions.
enum StepResult { StepFailed = 1, StepContinue = 2, StepFinished = 3 };

struct ExchangeHost {
    void* context;
    // Frames and writes one request; false when it could not be written (the answer timer then
    // reports the silence).
    bool (*sendPacket)(void* context, const LinkPacket& packet);
    // One packet completed by the link's receiver, or false when none is complete yet.
    bool (*receivePacket)(void* context, LinkPacket* packet);
    // Starts the dialog's answer timer, or restarts it with a new period when it runs.
    void (*startAnswerTimer)(void* context, unsigned periodMs);
    void (*stopAnswerTimer)(void* context);
    // Empties the port's input and the receiver.
    void (*discardInput)(void* context);
};

constexpr int kStatusTextSize = 256;

struct Exchange {
    LinkPacket request{};
    int timesSent = 0; // the request's first sending and each retry
    // The answer taken last, and how many repeats of it may still come: a controller that was
    // only slow answers each retry of the request as well.
    uint8_t takenOR = 0;
    uint8_t takenLA = 0;
    int repeatsDue = 0;
    char statusText[kStatusTextSize] = "";
};

// A command begins: whatever a previous one left on the line (a late answer, a frame cut short)
// is discarded, so that it cannot pass for an answer to this one.
void BeginExchange(Exchange& x, const ExchangeHost& host);

// Sends a new request (a command letter without data, or a whole packet).
void SendRequest(Exchange& x, const ExchangeHost& host, char command);
void SendRequest(Exchange& x, const ExchangeHost& host, const LinkPacket& request);
// Sends the request on the line once more: its answer did not come in time.
void ResendRequest(Exchange& x, const ExchangeHost& host);

// The next answer off the line, or false when none is complete. An answer with the operation and
// length of the one taken last, while its request's retries may still be answered, is such a
// repeat: it is dropped instead of passing for the next step's answer.
bool ReceiveAnswer(Exchange& x, const ExchangeHost& host, LinkPacket* answer);

inline void StartAnswerTimer(const ExchangeHost& host, unsigned periodMs) {
    host.startAnswerTimer(host.context, periodMs);
}
inline void StopAnswerTimer(const ExchangeHost& host) {
    host.stopAnswerTimer(host.context);
}

// statusText from the string table: the string itself, or `format` filled with it; the Append
// forms add to what is there. Texts are cut to the buffer.
void SetStatus(Exchange& x, unsigned id);
void SetStatus(Exchange& x, const char* format, unsigned id);
void AppendStatus(Exchange& x, unsigned id);
void AppendStatusText(Exchange& x, const char* text);

// A failed step: statusText is `format` filled with string `id`, then string `tail` if given.
StepResult Fail(Exchange& x, const char* format, unsigned id, unsigned tail = 0);
