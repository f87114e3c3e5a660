#pragma once
// The controller simulator (zrt94sim) behind the program's serial port, as scripts/test.sh
// starts it: the tests change how it behaves through its control file (ZRT_E2E_SIM_CONTROL) and
// read its frame log (ZRT_E2E_SIM_LOG, one line a frame: RX CD=o CO=c OR=v LA=0 DATA="").
#include "driver.h"

namespace e2e::sim {

// False when the tests run without a simulator.
inline bool Available() {
    return !Environment("ZRT_E2E_SIM_CONTROL").empty() && !Environment("ZRT_E2E_SIM_LOG").empty();
}

// Applies option lines ("delay 1200\nsystem 345\n") and waits until the simulator took them.
inline bool Control(const std::string& lines) {
    std::string path = Environment("ZRT_E2E_SIM_CONTROL"), temporary = path + ".tmp";
    // Written under another name and renamed into place, so that it is never read half-written.
    return WriteBytes(temporary, lines) &&
           MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) &&
           WaitUntil([&] { return !FileExists(path); }, 5000);
}

// A plain controller again: 03.07, 94VK, the empty configuration, no events, no faults.
inline bool Reset() {
    return Control("version 03.07\nmodel 94VK\nempty\nwrite-answer e\nmismatch none\ndelay 0\n"
                   "drop 0\nbad-check 0\nwrong-address 0\nshort 0\nnoise 0\nsplit 0\ngap 50\n"
                   "twice 0\nstale 0\nevents none\nhours 0\noperations 0\n");
}

// A position in the log.
inline size_t Mark() {
    return ReadBytes(Environment("ZRT_E2E_SIM_LOG")).size();
}

// The whole log lines after `mark` that start with `prefix`.
inline std::vector<std::string> Lines(size_t mark, const std::string& prefix) {
    std::string text = ReadBytes(Environment("ZRT_E2E_SIM_LOG"));
    std::vector<std::string> lines;
    // Whole lines only: the last one may still be being written.
    for (size_t at = std::min(mark, text.size()), end; (end = text.find('\n', at)) != text.npos;
         at = end + 1)
        if (text.compare(at, prefix.size(), prefix) == 0)
            lines.push_back(text.substr(at, end - at));
    return lines;
}

inline bool WaitForLine(size_t mark, const std::string& prefix) {
    return WaitUntil([&] { return !Lines(mark, prefix).empty(); });
}

// The command letters of the requests received after `mark`, e.g. "vbhebf".
inline std::string Requests(size_t mark) {
    std::string letters;
    for (const std::string& line : Lines(mark, "RX "))
        letters += line[line.find(" OR=") + 4];
    return letters;
}

// Frame data as the log writes it: printable ASCII as it is, other bytes, '"' and '\' as \xHH.
inline std::string Logged(const std::string& data) {
    std::string text = "DATA=\"";
    for (unsigned char c : data) {
        char escaped[8] = {(char)c};
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\')
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        text += escaped;
    }
    return text + "\"";
}

} // namespace e2e::sim
