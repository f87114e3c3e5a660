#pragma once
// The "Fecha:" line of the printed texts (configuration report, event list).

// A local date and time as the platform gives it; day of week 0 is Sunday, month 1 is January.
struct LocalDateTime {
    int year;
    int month;
    int day;
    int dayOfWeek;
    int hour;
    int minute;
};

// "Fecha:         %s, %02d de %s de %d, %02d:%02d\r" with the day name, day, month name, year,
// hour and minute.
void FormatDateLine(const LocalDateTime& when, char* out, int size);
