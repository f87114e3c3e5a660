#pragma once
// zrt94sim's options, one table for the command line (`--name value`, `--name=value`), the
// control file (`name value` lines) and the usage text.
#include "sim_controller.h"

#include <cstdio>
#include <string>

// What only the start can set: where the line is and where the log and control file are.
struct SimStartOptions {
    std::string device;
    std::string link;
    std::string logPath;
    std::string controlPath;
};

// Sets one option by name, as a line of the control file (the name without its "--"). False
// with a message in `error` for an unknown name, an option taken only at start, or a bad value.
bool ApplySimOption(SimController& sim, const std::string& name, const std::string& value,
                    std::string& error);

// Applies one line of a control file, `name value`, and returns its log line: "CONTROL " and the
// line, or "CONTROL ERROR " and why. Trailing blanks and a CR are dropped; an empty line or one
// starting with '#' is skipped and gives "".
std::string ApplySimControlLine(SimController& sim, std::string line);

enum class SimArguments { Run, Help, Bad };

// The command line; Bad with a message in `error` for an argument it cannot take.
SimArguments ParseSimArguments(int argc, char** argv, SimController& sim, SimStartOptions& start,
                               std::string& error);

void PrintSimUsage(FILE* out);
