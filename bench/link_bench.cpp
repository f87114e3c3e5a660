// Controller exchanges benchmark, run inside Wine against the controller simulator answering at
// once on the program's serial port: for the version query, a two-part receive and a two-part
// transmit with verification, the time from the menu command to the box with the result, and
// its ratio to the floor of that exchange. The interrogation dialog reads the line every 200 ms,
// so each answer costs at least one poll period; the floor is the number of answers times
// 200 ms plus the time the exchange's bytes take on the line at 19200 baud (10 bits a byte).
//
//   link_bench.exe RUNS WORKDIR EXE
#include "config/controller_config.h"
#include "link/framing.h"
#include "link/wire_encoding.h"
#include "link_test_support.h"

#include "win_timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kPollPeriodMs = 200;
constexpr double kBytesPerSecond = 19200.0 / 10.0;
constexpr UINT kReceiveVersion = 10021, kReceiveConfig = 10023, kTransmitConfig = 10025;

int FrameBytes(const LinkPacket& p) {
    uint8_t frame[kMaxFrameSize];
    return EncodeFrame(p, frame);
}

struct Exchange {
    const char* name;
    UINT command;
    std::vector<LinkPacket> requests, answers;
    std::vector<double> ms;

    int Bytes() const {
        int n = 0;
        for (const LinkPacket& p : requests)
            n += FrameBytes(p);
        for (const LinkPacket& p : answers)
            n += FrameBytes(p);
        return n;
    }
    double PollMs() const { return answers.size() * kPollPeriodMs; }
    double FloorMs() const { return PollMs() + Bytes() * 1000.0 / kBytesPerSecond; }
};

// The exchanges as they go on the line between a new document and the simulator's empty
// configuration (the same identity, so the transmit asks no question).
std::vector<Exchange> Exchanges() {
    ControllerConfig image = MakeEmptyConfig();
    char part1[kPart1Length], part2[kPart2Length];
    EncodePart1(image, part1);
    EncodePart2(image, part2);
    std::string p1(part1, sizeof part1), p2(part2, sizeof part2);
    LinkPacket v = Packet('o', 'c', 'v'), b = Packet('o', 'c', 'b'), f = Packet('o', 'c', 'f');
    LinkPacket w = Packet('c', 'o', 'w', "03.0794VK");
    LinkPacket c1 = Packet('c', 'o', 'c', p1), c2 = Packet('c', 'o', 'c', p2);
    LinkPacket ack = Packet('c', 'o', 'e');
    return {
        {"version query", kReceiveVersion, {v}, {w}, {}},
        {"receive, two parts", kReceiveConfig, {v, b, f}, {w, c1, c2}, {}},
        {"transmit, two parts, verified",
         kTransmitConfig,
         {v, b, Packet('o', 'c', 'h', p1), Packet('o', 'c', 'e', p2), b, f},
         {w, c1, ack, ack, c1, c2},
         {}},
    };
}

struct Windows {
    DWORD pid;
    HWND main = nullptr, result = nullptr, interrogation = nullptr;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* w = reinterpret_cast<Windows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != w->pid || !IsWindowVisible(window)) return TRUE;
    char cls[64] = "", title[128] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    if (!lstrcmpA(cls, "ClaseCNFZRT94")) w->main = window;
    if (lstrcmpA(cls, "#32770")) return TRUE;
    if (!lstrcmpA(title, "Interrogando controlador...")) w->interrogation = window;
    if (!lstrcmpA(title, "Configurador ZRT94")) w->result = window;
    return TRUE;
}

Windows Look(DWORD pid) {
    Windows w{pid};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&w));
    return w;
}

// One exchange: milliseconds from the command to its result box, or a negative value.
double TimeExchange(DWORD pid, HWND main, UINT command) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    PostMessageA(main, WM_COMMAND, command, 0);
    HWND result = nullptr;
    if (!Wait([&] { return (result = Look(pid).result) != nullptr; }, 15000)) return -1;
    QueryPerformanceCounter(&end);
    PostMessageA(result, WM_COMMAND, IDOK, 0);
    if (!Wait([&] { return !Look(pid).interrogation && !Look(pid).result; }, 5000)) return -1;
    Sleep(50); // the main window takes its refresh
    return Ms(start, end);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: link_bench RUNS WORKDIR EXE\n");
        return 2;
    }
    int runs = std::atoi(argv[1]);
    std::string workDir = argv[2], exe = argv[3];
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &info)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 1;
    }
    HWND main = nullptr;
    WaitForInputIdle(info.hProcess, 30000);
    Wait([&] { return (main = Look(info.dwProcessId).main) != nullptr; }, 30000);
    Sleep(1500); // the splash box goes
    if (!main) {
        std::fprintf(stderr, "the program's window did not come\n");
        TerminateProcess(info.hProcess, 1);
        return 1;
    }

    std::vector<Exchange> exchanges = Exchanges();
    int failures = 0;
    for (int run = 1; run <= runs; ++run) {
        for (Exchange& e : exchanges) {
            double ms = TimeExchange(info.dwProcessId, main, e.command);
            std::printf("run %d  %-30s %8.1f ms\n", run, e.name, ms);
            if (ms < 0)
                ++failures;
            else
                e.ms.push_back(ms);
        }
    }
    // A pseudo-terminal carries the bytes at once, without the 19200 baud of a serial line, so
    // the ratio to the poll periods alone is printed too.
    std::printf("\n%-30s %7s %5s %8s %9s %8s %8s %6s %9s\n", "exchange", "answers", "bytes",
                "floor ms", "median ms", "min ms", "max ms", "ratio", "/ polls");
    for (const Exchange& e : exchanges) {
        if (e.ms.empty()) continue;
        double median = Median(e.ms);
        std::printf(
            "%-30s %7zu %5d %8.1f %9.1f %8.1f %8.1f %6.3f %9.3f\n", e.name, e.answers.size(),
            e.Bytes(), e.FloorMs(), median, *std::min_element(e.ms.begin(), e.ms.end()),
            *std::max_element(e.ms.begin(), e.ms.end()), median / e.FloorMs(), median / e.PollMs());
    }
    std::printf("floor: answers x %d ms + bytes at 19200 baud (10 bits a byte); "
                "/ polls: median / (answers x %d ms)\n",
                kPollPeriodMs, kPollPeriodMs);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return failures ? 1 : 0;
}
