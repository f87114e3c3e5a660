#include "config/page_controls.h"

#include "base/message_box.h"
#include "base/res_string.h"

#include <cstdio>

void PageControls::SetNumber(int id, unsigned value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    SetText(id, text);
}

void PageControls::Warn(const char* text, unsigned captionId) const {
    char caption[30] = "";
    if (captionId) LoadResString(captionId, caption, sizeof caption);
    MessageBox(text, captionId ? caption : nullptr, mb::Ok | mb::IconExclamation);
}

void PageControls::FillTextList(int id, unsigned firstTextId, unsigned lastTextId) const {
    ClearList(id);
    for (unsigned textId = firstTextId; textId <= lastTextId; ++textId)
        AddListItem(id, ResString(textId));
}

void fillNumberList(const PageControls& controls, int id, int first, int last) {
    controls.ClearList(id);
    for (int n = first; n <= last; ++n) {
        char text[16];
        std::snprintf(text, sizeof text, "%2d", n);
        controls.AddListItem(id, text);
    }
}

namespace {
const char* SkipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

long ParseLeadingDecimal(const char* text) {
    const char* p = SkipBlanks(text);
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    // Saturates far beyond every range the pages check, and inside 32 bits for any text.
    int64_t value = 0;
    for (; IsDigit(*p); ++p)
        if (value <= 2147483647) value = value * 10 + (*p - '0');
    if (value > 2147483647) value = 2147483647;
    return (long)(negative ? -value : value);
}

uint32_t ParseLeadingUnsigned(const char* text) {
    uint32_t value = 0;
    for (const char* p = SkipBlanks(text); IsDigit(*p); ++p)
        value = value * 10u + (uint32_t)(*p - '0');
    return value;
}
