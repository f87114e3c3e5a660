#pragma once
// The controller's event log: the exchanges that read it (version, counters from 3.0 on, the
// identity from configuration part 1, the events) and clear it, and the decoded result. The
// state is program-wide and outlives the event log dialog, which owns the timers.
#include "link/exchange.h"

#include <cstdint>

enum EventStateCode {
    EventIdle = 0,
    AwaitEvents = 1,
    AwaitClear = 2,
    AwaitVersion = 3,
    AwaitIdentity = 4,
    AwaitCounters = 5,
};

constexpr int kMaxEvents = 50;
constexpr int kEventsAnswerLength = 200; // 50 records "CCSS": code, stop
constexpr int kCountersAnswerLength = 12;
constexpr unsigned kRefreshPeriodMs = 3000; // the whole refresh, never restarted
constexpr unsigned kClearPeriodMs = 1000;

struct EventRecord {
    int code;
    int stop;
};

struct EventLog {
    int eventState = EventIdle;
    EventRecord events[kMaxEvents] = {};
    unsigned eventCount = 0;
    // The counters of this controller, read in this refresh: an older controller has none, and
    // another controller's must not stand for them.
    bool countersRead = false;
    uint32_t runningHours = 0;
    uint32_t operationCount = 0;
    // The last refresh read the log through to its events: only such a log is printed.
    bool logRead = false;
    int controllerSystem = 0;
    int controllerCabin = 0; // 0 for a hall-call controller
    int controllerMajor = 0;
    Exchange exchange; // the request on the line and the failure text (eventStatusText)
};

// "Actualizar": empties the line, forgets the counters and the log read before, asks for the
// version and starts the 3000 ms answer timer.
void StartRefresh(EventLog& log, const ExchangeHost& host);

// "Borrar..." once confirmed: empties the line and asks the controller to clear its log; 1000 ms
// answer timer.
void StartClear(EventLog& log, const ExchangeHost& host);

// One completed answer, as the dialog's poll timer reads it with ReceiveAnswer. Failures leave
// their text in exchange.statusText; every ending (failed or finished) stops the answer timer
// and returns the state to EventIdle.
StepResult EventStep(EventLog& log, const ExchangeHost& host, const LinkPacket& answer);

// The answer timer fired: the exchange is over.
void EventTimeout(EventLog& log);

// The records of an events answer, up to the first code 0; returns how many were stored.
unsigned DecodeEvents(const LinkPacket& answer, EventRecord (&events)[kMaxEvents]);

// Mnemonic and text of an event code. Codes outside the controller's table (18 and above, or
// below 0) give the loader's "not found" text with the string number, as a missing string does.
void EventMnemonic(int code, char* out, int size);
void EventText(int code, char* out, int size);
