// Event log answers of any letters, lengths and contents, in any state, and the texts shown
// of what they leave.
#include "events/event_log.h"
#include "events/event_log_texts.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ExchangeHost host{.context = nullptr,
                      .sendPacket = [](void*, const LinkPacket&) { return true; },
                      .receivePacket = [](void*, LinkPacket*) { return false; },
                      .startAnswerTimer = [](void*, unsigned) {},
                      .stopAnswerTimer = [](void*) {},
                      .discardInput = [](void*) {}};
    EventLog log;
    size_t at = 0;
    // Each packet: a start byte (0 refresh, 1 clear, else none), address choice, OR, LA, data.
    while (at + 4 <= size) {
        uint8_t start = data[at], address = data[at + 1];
        if (start == 0) StartRefresh(log, host);
        if (start == 1) StartClear(log, host);
        LinkPacket p{};
        p.CD = address & 1 ? 'c' : 'o';
        p.CO = address & 2 ? 'o' : 'c';
        p.OR = data[at + 2];
        p.LA = data[at + 3];
        at += 4;
        size_t n = size - at < p.LA ? size - at : p.LA;
        std::memcpy(p.data, data + at, n);
        at += n;
        EventStep(log, host, p);
        if (log.eventCount > (unsigned)kMaxEvents) std::abort();
        if (std::strlen(log.exchange.statusText) >= sizeof log.exchange.statusText) std::abort();
        // What the dialog shows of it.
        char line[kEventTextSize];
        for (unsigned i = 0; i < log.eventCount; ++i)
            FormatEventLine((int)i + 1, log.events[i], line, sizeof line);
        FormatEventTitle(log.controllerSystem, log.controllerCabin, line, sizeof line);
    }
    return 0;
}
