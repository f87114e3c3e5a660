// Event log answers of any letters, lengths and contents, in any state, and the texts shown of
// what they leave; or a correct controller answering late and in pieces, which the refresh or
// clear reads through to its end, never failing, with the controller's events. Nothing goes to the
// line once the exchange ended, and every ending leaves the answer timer stopped and the log idle,
// as "Actualizar", "Borrar..." and "Imprimir" need once the dialog enables them again.
#include "events/event_log_texts.h"
#include "slow_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool correct = size >= 2 && data[0] == 3;
    SlowLine line(data + 2, data + size);
    const ExchangeHost& host = line.host.exchange;
    EventLog log;
    bool running = false;
    size_t sentAtEnd = 0;
    auto start = [&](bool refresh) {
        refresh ? StartRefresh(log, host) : StartClear(log, host);
        line.Settle(false);
        running = true;
    };
    auto ending = [&] {
        if (line.deadline >= 0 || log.eventState != EventIdle) std::abort();
        running = false;
        sentAtEnd = line.sent.size();
    };
    // The dialog's poll.
    auto poll = [&] {
        LinkPacket p;
        StepResult r =
            ReceiveAnswer(log.exchange, host, &p) ? EventStep(log, host, p) : StepContinue;
        line.Settle(false);
        if (!running && line.sent.size() != sentAtEnd) std::abort();
        if (r != StepContinue) ending();
        return r;
    };

    if (correct) {
        line.controller.version = data[1] & 1 ? "02.40" : "03.07";
        const unsigned events = std::min(data[1] >> 2, kMaxEvents);
        for (unsigned i = 0; i < events; ++i)
            line.controller.events.push_back({1 + (int)i % 17, (int)i % 25});
        start(!(data[1] & 2));
        for (int tick = 0; tick < 50 && running; ++tick)
            if (line.Tick() || poll() == StepFailed) std::abort();
        if (running || log.eventCount != (data[1] & 2 ? 0 : events)) std::abort();
        return 0;
    }

    line.answering = false;
    size_t at = 0;
    // Each packet: a start byte (0 refresh, 1 clear, 4 the answer timer fires, else none), address
    // choice, OR, LA, data.
    while (at + 4 <= size) {
        uint8_t begin = data[at], address = data[at + 1];
        if (begin < 2) start(begin == 0);
        if (begin == 4 && line.deadline >= 0) line.deadline = -1, EventTimeout(log), ending();
        LinkPacket p{};
        p.CD = address & 1 ? 'c' : 'o';
        p.CO = address & 2 ? 'o' : 'c';
        p.OR = data[at + 2];
        p.LA = data[at + 3];
        at += 4;
        size_t n = size - at < p.LA ? size - at : p.LA;
        std::memcpy(p.data, data + at, n);
        at += n;
        line.input.Add(Frame(p));
        poll();
        if (log.eventCount > (unsigned)kMaxEvents) std::abort();
        if (std::strlen(log.exchange.statusText) >= sizeof log.exchange.statusText) std::abort();
        // What the dialog shows of it.
        char text[kEventTextSize];
        for (unsigned i = 0; i < log.eventCount; ++i)
            FormatEventLine((int)i + 1, log.events[i], text, sizeof text);
        FormatEventTitle(log.controllerSystem, log.controllerCabin, text, sizeof text);
        FormatEventCount(log.eventCount, text, sizeof text);
        FormatCounter(log.countersRead, log.runningHours, text, sizeof text);
    }
    return 0;
}
