#pragma once
// What the end-to-end tests (driver.h) do beside the program: waits, test folders and files,
// and Linux programs run from Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kDefaultTimeoutMs = 10000;

inline std::string programPath, artefactDir; // set by main.cpp

// Polls `condition()` every 20 ms; false on time-out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

// "" when not set.
inline std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

inline std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// The folder of this test program.
inline std::string ExeFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    *std::strrchr(path, '\\') = '\0';
    return path;
}

// A file or a folder with all it holds; nothing when there is none.
inline void RemoveAll(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// <ZRT_E2E_WORK>\<Suite>.<Test>, emptied at the first call in each test and kept afterwards.
// App::Launch() starts the program in it.
inline std::string TestFolder() {
    static std::string owner; // the folder last emptied
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string base =
        Environment("ZRT_E2E_WORK").empty() ? "C:\\e2e" : Environment("ZRT_E2E_WORK");
    std::string folder =
        JoinPath(base, info ? std::string(info->test_suite_name()) + "." + info->name() : "other");
    if (owner != folder) {
        owner = folder;
        RemoveAll(folder);
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// "" when missing.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), (std::streamsize)bytes.size()).flush().good();
}

// The program's settings file, in the user's roaming application-data folder.
inline std::string SettingsPath() {
    return JoinPath(Environment("APPDATA"), "cnfzrt94.ini");
}

// The names of the files in a folder.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    return names;
}

inline std::string UnixPath(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    UnixName toUnix;
    std::memcpy(&toUnix, &found, sizeof toUnix);
    WCHAR wide[MAX_PATH];
    char* unix = toUnix && MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)
                     ? toUnix(wide)
                     : nullptr;
    std::string path = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// Starts a program (the first word of `commandLine`) in `folder` (nullptr: this one's); false
// when it cannot. `process` gets its handle, which Wine does not give of a Linux program.
inline bool Start(std::string commandLine, const char* folder = nullptr,
                  HANDLE* process = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &info))
        return false;
    // For a Linux program Wine gives no process handle and leaves any value in hThread: closing
    // it would close a handle of this process (the program's, say) that happens to have it.
    if (!info.hProcess) return true;
    CloseHandle(info.hThread);
    process ? (void)(*process = info.hProcess) : (void)CloseHandle(info.hProcess);
    return true;
}

// Runs a shell command as Linux runs it, and waits until it is done (Wine gives no exit status).
inline bool RunLinux(const std::string& command) {
    std::string done = JoinPath(TestFolder(), "linux.done");
    DeleteFileA(done.c_str());
    return Start("Z:\\bin\\sh -c \"" + command + "; /bin/touch '" + UnixPath(done) + "'\"") &&
           WaitUntil([&] { return FileExists(done); }, 30000);
}

// artefactDir/<name>.png of `window` (nullptr: the screen), which nothing may cover.
inline bool SaveScreenshot(HWND window, const std::string& name) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &r)) return false;
    char crop[80];
    std::snprintf(crop, sizeof crop, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top,
                  std::max(r.left, 0L), std::max(r.top, 0L));
    CreateDirectoryA(artefactDir.c_str(), nullptr);
    return RunLinux("/usr/bin/import -window root -crop " + std::string(crop) + " '" +
                    UnixPath(JoinPath(artefactDir, name + ".png")) + "'");
}

} // namespace e2e
