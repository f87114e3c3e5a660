#include "base/date_line.h"

#include "base/res_string.h"
#include "base/string_ids.h"

#include <cstdio>

namespace {

// A value outside its table must not reach the strings that follow it.
void LoadName(unsigned base, int index, int count, char* out, int size) {
    if (index >= 0 && index < count)
        LoadResString(base + index, out, size);
    else
        FormatMissingString(base + (unsigned)index, out, size);
}
} // namespace

void FormatDateLine(const LocalDateTime& when, char* out, int size) {
    char format[256], dayName[64], monthName[64];
    LoadResString(str::DateLine, format, sizeof format);
    LoadName(str::DayNames, when.dayOfWeek, 7, dayName, sizeof dayName);
    LoadName(str::MonthNames, when.month - 1, 12, monthName, sizeof monthName);
    std::snprintf(out, size, format, dayName, when.day, monthName, when.year, when.hour,
                  when.minute);
}
