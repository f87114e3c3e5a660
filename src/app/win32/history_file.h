#pragma once
// The history of exchanges with controllers, Historial.csv in the program's data folder: one
// line appended per exchange, by this program or any other sharing the file.
#include "app/history_line.h"

#include <string>

constexpr const char* kHistoryFileName = "Historial.csv";

// The history's full path in the folder ProgramDataFolder gives for `chosen`; false when the
// folder cannot be named or made.
bool HistoryPath(const char* chosen, char* path, int size);

enum class HistoryAppend { Written, Locked, Failed };

// Appends `line` to the file at `path` in one write, under an exclusive lock of the whole file
// (retried for about two seconds), so that lines of several programs never mix; a new or empty
// file is first given its head. Nothing is written when the lock cannot be had.
HistoryAppend AppendHistoryLine(const char* path, const std::string& line);

// One exchange as the history keeps it; texts in Windows-1252, numbers below 0 unknown.
struct HistoryExchange {
    unsigned operationId = 0; // string number of the operation's name
    int system = -1;
    int cabin = -1;
    int versionMajor = 0; // 0: unknown
    int versionMinor = 0;
    const char* result = "";
    const char* copyName = "";
};

// Appends the exchange, dated now, to the history in the folder for `chosen`.
HistoryAppend RecordExchange(const char* chosen, const HistoryExchange& exchange);
