// The simulator's control file and log, from inside Wine.
#include "sim_control.h"

#include "driver.h"
#include "driver_internal.h"

#include <algorithm>
#include <cstring>

namespace e2e {
namespace sim {
namespace {

std::string ReadLog() {
    std::optional<Bytes> bytes = ReadFileBytes(Environment("ZRT_E2E_SIM_LOG"));
    return bytes ? std::string(bytes->begin(), bytes->end()) : "";
}

} // namespace

bool Available() {
    return !Environment("ZRT_E2E_SIM_CONTROL").empty() && !Environment("ZRT_E2E_SIM_LOG").empty();
}

bool Control(const std::string& lines) {
    std::string path = Environment("ZRT_E2E_SIM_CONTROL");
    if (path.empty()) return false;
    // Written under another name and renamed into place, so that it is never read half-written.
    std::string temporary = path + ".tmp";
    if (!WriteFileBytes(temporary, Bytes(lines.begin(), lines.end()))) return false;
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    return WaitUntil([&] { return !FileExists(path); }, 5000);
}

bool Reset() {
    return Control("version 03.07\nmodel 94VK\nempty\nwrite-answer e\nmismatch none\ndelay 0\n"
                   "drop 0\nbad-check 0\nwrong-address 0\nshort 0\nnoise 0\nsplit 0\ngap 50\n"
                   "twice 0\nstale 0\nevents none\nhours 0\noperations 0\n");
}

size_t Mark() {
    return ReadLog().size();
}

std::vector<std::string> Lines(size_t mark, const std::string& prefix) {
    std::string text = ReadLog();
    std::vector<std::string> lines;
    // Whole lines only: the last one may still be being written.
    for (size_t at = std::min(mark, text.size()), end; (end = text.find('\n', at)) != text.npos;
         at = end + 1)
        if (text.compare(at, prefix.size(), prefix) == 0)
            lines.push_back(text.substr(at, end - at));
    return lines;
}

bool WaitForLine(size_t mark, const std::string& prefix, DWORD timeoutMs) {
    return WaitUntil([&] { return !Lines(mark, prefix).empty(); }, timeoutMs);
}

std::string Requests(size_t mark) {
    std::string letters;
    for (const std::string& line : Lines(mark, "RX ")) {
        size_t at = line.find(" OR=");
        if (at != std::string::npos && at + 4 < line.size()) letters += line[at + 4];
    }
    return letters;
}

std::string Data(const std::string& line) {
    size_t at = line.find("DATA=\"");
    std::string data;
    if (at == std::string::npos) return data;
    for (size_t i = at + 6; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\' || i + 1 >= line.size()) {
            data += line[i];
        } else if (line[i + 1] == 'x' && i + 3 < line.size()) {
            data += (char)std::stoi(line.substr(i + 2, 2), nullptr, 16);
            i += 3;
        } else {
            data += line[++i];
        }
    }
    return data;
}

std::string UnixPath(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    UnixName toUnix;
    std::memcpy(&toUnix, &found, sizeof toUnix);
    if (!toUnix) return "";
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return "";
    char* unix = toUnix(wide);
    if (!unix) return "";
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

} // namespace sim
} // namespace e2e
