#include "events/event_log_texts.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/text_builder.h"

#include <cstdio>

void FormatEventCount(unsigned count, char* out, int size) {
    std::snprintf(out, size, ResString(str::EventCount), (int)count);
}

void FormatEventLine(int number, const EventRecord& event, char* out, int size) {
    char mnemonic[kEventTextSize], text[kEventTextSize];
    EventMnemonic(event.code, mnemonic, sizeof mnemonic);
    EventText(event.code, text, sizeof text);
    TextBuilder line(out, size);
    line.Format(ResString(str::EventLine), number, event.stop);
    line.Format("%s %s", mnemonic, text);
}

void FormatEventTitle(int controllerSystem, int controllerCabin, char* out, int size) {
    TextBuilder title(out, size);
    title.Append(ResString(str::EventLogTitle));
    title.Format(" - %s %d, ", ResString(str::EventController), controllerSystem);
    if (controllerCabin != 0)
        title.Format("%s %d", ResString(str::EventCabin), controllerCabin);
    else
        title.Append(ResString(str::EventHallCalls));
}

void FormatCounter(bool read, uint32_t value, char* out, int size) {
    if (read)
        std::snprintf(out, size, "%lu", (unsigned long)value);
    else
        std::snprintf(out, size, "%s", kUnknownCounter);
}

void FormatEventPrintTitle(int controllerSystem, char* out, int size) {
    char configurator[kEventTextSize];
    LoadResString(str::CaptionConfigurator, configurator, sizeof configurator);
    std::snprintf(out, size, ResString(str::PrintEventsTitle), configurator, controllerSystem);
}

int BuildEventPrintText(const EventPrintHeading& h, const char* const* lines, int lineCount,
                        char* out, int size) {
    TextBuilder t(out, size);
    t.Format("\r                        %10s %-10s", h.companyLine1 ? h.companyLine1 : "",
             h.companyLine2 ? h.companyLine2 : "");
    t.Append("\r");
    t.Append(ResString(str::EventListHeading));
    t.Append("\r\r\r");
    char date[kEventTextSize];
    FormatDateLine(h.now, date, sizeof date);
    t.Append(date);
    t.Format("%s:     %5d\r", ResString(str::EventController), h.controllerSystem);
    t.Format("%s:              %d\r", ResString(str::EventCabin), h.controllerCabin);
    t.Format("%s: %d\r", ResString(str::EventCountLine), lineCount);
    t.Append("\r\r");
    for (int i = 0; i < lineCount; ++i) {
        t.Append(lines[i]);
        t.Append("\r");
    }
    return (int)t.length;
}
