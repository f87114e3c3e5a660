#pragma once
// The controller simulator (zrt94sim) behind the program's serial port, as scripts/test.sh
// starts it: the tests change how it behaves through its control file (ZRT_E2E_SIM_CONTROL) and
// read its frame log (ZRT_E2E_SIM_LOG, one line a frame: RX CD=o CO=c OR=v LA=0 DATA="").
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {
namespace sim {

bool Available(); // false when the tests run without a simulator
// Applies option lines ("delay 1200\nsystem 345\n") and waits until the simulator took them.
bool Control(const std::string& lines);
// A plain controller again: version 03.07, mark 94VK, the empty configuration, no events, no
// faults.
bool Reset();

size_t Mark(); // a position in the log
// The whole log lines after `mark` that start with `prefix`.
std::vector<std::string> Lines(size_t mark, const std::string& prefix = "");
bool WaitForLine(size_t mark, const std::string& prefix, DWORD timeoutMs = 10000);
// The command letters of the requests received after `mark`, e.g. "vbhebf".
std::string Requests(size_t mark);
// The data of a logged frame, with its \xHH, \" and \\ escapes undone.
std::string Data(const std::string& line);
std::string UnixPath(const std::string& windowsPath); // for "config FILE"

} // namespace sim
} // namespace e2e
