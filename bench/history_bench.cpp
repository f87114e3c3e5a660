// The history dialog with a long history: writes RECORDS lines into the program's Historial.csv,
// starts cnfzrt94.exe, and times RUNS openings of "Historial de controladores..." from the
// command to the dialog shown with its list answering.
#include "app/history_line.h"
#include "res/resource.h"

#include "win_timing.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Windows {
    DWORD pid;
    HWND main = nullptr, history = nullptr;
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
    if (!lstrcmpA(cls, "#32770") && !lstrcmpA(title, "Historial de controladores"))
        w->history = window;
    return TRUE;
}

Windows Look(DWORD pid) {
    Windows w{pid};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&w));
    return w;
}

// A history of `records` lines of every operation, as the program writes them.
bool WriteHistory(int records) {
    char appData[MAX_PATH], path[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData) != S_OK)
        return false;
    std::snprintf(path, sizeof path, "%s\\cnfzrt94", appData);
    CreateDirectoryA(path, nullptr);
    std::snprintf(path, sizeof path, "%s\\cnfzrt94\\Historial.csv", appData);
    std::string text = kHistoryHead;
    for (int i = 0; i < records; ++i) {
        const int system = 1 + i % 500;
        char copy[64];
        std::snprintf(copy, sizeof copy, "A%05d_2 2026-12-07 0915.Z94", system);
        const std::string fields[kHistoryFields] = {"2026-12-07 09:15:02",
                                                    "Transmisión",
                                                    std::to_string(system),
                                                    "2",
                                                    "3.7",
                                                    "El controlador fue configurado correctamente.",
                                                    copy};
        text += BuildHistoryLine(fields);
    }
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) &&
              written == text.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    std::printf("history: %d lines, %.1f MB\n", records, text.size() / 1e6);
    return ok;
}

// Milliseconds from the command to the dialog shown with its list filled, or a negative value.
double TimeOpening(DWORD pid, HWND main, int records) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    PostMessageA(main, WM_COMMAND, CMD_HISTORY, 0);
    HWND dialog = nullptr;
    if (!Wait([&] { return (dialog = Look(pid).history) != nullptr; }, 15000)) return -1;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, IDC_HIST_LIST), LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK,
                        15000, &count);
    QueryPerformanceCounter(&end);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!Wait([&] { return !Look(pid).history; }, 5000)) return -1;
    Sleep(50);
    return (int)count == records ? Ms(start, end) : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: history_bench RUNS RECORDS WORKDIR EXE\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]), records = std::atoi(argv[2]);
    std::string workDir = argv[3], exe = argv[4];
    if (!WriteHistory(records)) return std::fprintf(stderr, "cannot write the history\n"), 1;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &info))
        return std::fprintf(stderr, "cannot start %s\n", exe.c_str()), 1;
    HWND main = nullptr;
    WaitForInputIdle(info.hProcess, 30000);
    Wait([&] { return (main = Look(info.dwProcessId).main) != nullptr; }, 30000);
    Sleep(1500); // the splash box goes
    std::vector<double> times;
    int failures = 0;
    for (int run = 1; main && run <= runs; ++run) {
        double ms = TimeOpening(info.dwProcessId, main, records);
        std::printf("run %d  history dialog %8.1f ms\n", run, ms);
        ms < 0 ? (void)++failures : times.push_back(ms);
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        std::printf("history dialog, %d lines: median %.1f ms, min %.1f, max %.1f (goal 300 ms)\n",
                    records, times[times.size() / 2], times.front(), times.back());
    }
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return failures || !main ? 1 : 0;
}
