// Start-up benchmark, run inside Wine so that Wine's own start-up of this launcher is not counted:
// the time from CreateProcess to the program's main window being idle (its thread waiting for
// input for the first time, with the window of the given class on screen), for several programs
// started alternately, then each program's median and spread and the ratio of the medians to
// the first program's.
//
//   startup_bench.exe RUNS WORKDIR EXE CLASS [EXE CLASS ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string path, windowClass;
    std::vector<double> ms;
};

struct Search {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    char cls[128] = "";
    GetWindowThreadProcessId(window, &pid);
    GetClassNameA(window, cls, sizeof cls);
    if (pid == s->pid && !lstrcmpA(cls, s->cls)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One start: returns milliseconds to idle with the main window up, or a negative value.
double TimeStart(const Program& program, const std::string& workDir) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::string commandLine = "\"" + program.path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &info))
        return -1;
    // The first idle comes when the thread first waits on its queue; the window must exist by
    // then for this to be the main window's loop (and not, say, a message box before it).
    Search search{info.dwProcessId, program.windowClass.c_str(), nullptr};
    DWORD idle = WaitForInputIdle(info.hProcess, 30000);
    for (int i = 0; i < 3000 && !search.found; ++i) {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    QueryPerformanceCounter(&end);
    double ms = (idle == 0 && search.found) ? 1000.0 * Seconds(start, end, frequency) : -1;
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ms;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    double rank = p * double(values.size() - 1);
    size_t low = size_t(rank);
    size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (rank - double(low)) * (values[high] - values[low]);
}

const char* BaseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc % 2 != 1) {
        std::fprintf(stderr, "usage: %s RUNS WORKDIR EXE CLASS [EXE CLASS ...]\n", argv[0]);
        return 2;
    }
    int runs = std::atoi(argv[1]);
    std::string workDir = argv[2];
    std::vector<Program> programs;
    for (int i = 3; i + 1 < argc; i += 2)
        programs.push_back({argv[i], argv[i + 1], {}});

    // One unmeasured start each fills the caches.
    for (const Program& p : programs)
        if (TimeStart(p, workDir) < 0) {
            std::fprintf(stderr, "%s did not start or showed no window of class %s\n",
                         p.path.c_str(), p.windowClass.c_str());
            return 1;
        }
    for (int run = 0; run < runs; ++run) {
        for (Program& p : programs) {
            double ms = TimeStart(p, workDir);
            if (ms < 0) {
                std::fprintf(stderr, "run %d of %s failed\n", run + 1, p.path.c_str());
                return 1;
            }
            p.ms.push_back(ms);
            std::printf("run %2d  %-20s %8.1f ms\n", run + 1, BaseName(p.path), ms);
        }
    }
    std::printf("\nstart-up to main window idle, %d runs each, interleaved:\n", runs);
    double reference = 0;
    for (const Program& p : programs) {
        double median = Percentile(p.ms, 0.5);
        if (reference == 0) reference = median;
        std::printf("%-20s median %7.1f ms  min %7.1f  max %7.1f  IQR %6.1f  ratio %.2f\n",
                    BaseName(p.path), median, *std::min_element(p.ms.begin(), p.ms.end()),
                    *std::max_element(p.ms.begin(), p.ms.end()),
                    Percentile(p.ms, 0.75) - Percentile(p.ms, 0.25), median / reference);
    }
    return 0;
}
