#pragma once
// The controller simulator (zrt94sim) behind the program's serial port, as scripts/test.sh
// starts it: the tests change how it behaves through its control file and read its frame log.
//   ZRT_E2E_SIM_CONTROL   the control file (Windows path); the simulator applies and deletes it
//   ZRT_E2E_SIM_LOG       its log, one line per frame ("RX CD=o CO=c OR=v LA=0 DATA=\"\"")
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {
namespace sim {

// False when the tests run without a simulator.
bool Available();

// Applies option lines ("delay 1200\nsystem 345\n", the command-line options without their
// dashes) and waits until the simulator has taken them.
bool Control(const std::string& lines);

// A plain controller again: version 03.07, mark 94VK, the empty configuration, no faults.
bool Reset();

// Reads and drops whatever an earlier test left unread on the port. The program must not run.
void DrainPort(int port);

// A position in the log; Lines() returns what was logged after it.
size_t Mark();
// The log lines after `mark` that start with `prefix`.
std::vector<std::string> Lines(size_t mark, const std::string& prefix = "");
// Waits for such a line; false on time-out.
bool WaitForLine(size_t mark, const std::string& prefix, DWORD timeoutMs = 10000);
// The command letters of the requests received after `mark`, e.g. "vbhebf".
std::string Requests(size_t mark);
// The data of a logged frame, with its \xHH, \" and \\ escapes undone.
std::string Data(const std::string& line);

// The Unix path of a Windows path, for options that name a file (config FILE).
std::string UnixPath(const std::string& windowsPath);

} // namespace sim
} // namespace e2e
