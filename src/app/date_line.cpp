#include "app/date_line.h"

#include "app/res_string.h"

#include <cstdio>

namespace {
constexpr unsigned kDateFormat = 20090;
constexpr unsigned kDayNames = 30496;   // Sunday first
constexpr unsigned kMonthNames = 30503; // January first

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
    LoadResString(kDateFormat, format, sizeof format);
    LoadName(kDayNames, when.dayOfWeek, 7, dayName, sizeof dayName);
    LoadName(kMonthNames, when.month - 1, 12, monthName, sizeof monthName);
    std::snprintf(out, size, format, dayName, when.day, monthName, when.year, when.hour,
                  when.minute);
}
