#pragma once
// Test folders, files, the settings file, and Linux programs run from Wine: what the end-to-end
// tests (driver.h) do beside the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    if (folder.empty()) return name;
    char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

// The folder of this test program.
inline std::string ExeFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    *std::strrchr(path, '\\') = '\0';
    return path;
}

inline void RemoveTree(const std::string& folder) {
    std::string from = folder + '\0'; // a list of names, ended by an empty one
    SHFILEOPSTRUCTA remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
}

inline std::string AppData(const char* name) {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    return JoinPath(folder, name);
}

// <ZRT_E2E_WORK>\<Suite>.<Test>, emptied at the first call in each test and kept afterwards.
// App::Launch() starts the program in it.
inline std::string TestFolder() {
    static std::string owner; // the test whose folder was last emptied
    std::string base = Environment("ZRT_E2E_WORK");
    if (base.empty()) base = "C:\\e2e";
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test =
        info ? std::string(info->test_suite_name()) + "." + info->name() : "outside-tests";
    std::string folder = JoinPath(base, test);
    if (owner != test) {
        owner = test;
        RemoveTree(folder);
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
    file.write(bytes.data(), (std::streamsize)bytes.size());
    file.close();
    return !file.fail();
}

// The program's settings file, cnfzrt94.ini in the user's roaming application-data folder.
inline std::string SettingsPath() {
    return AppData("cnfzrt94.ini");
}

// The program's folder of received copies beside it, removed (or a file of its name).
inline std::string RemoveReceiveArchive() {
    std::string archive = AppData("cnfzrt94\\Recibidas");
    DeleteFileA(archive.c_str());
    RemoveTree(archive);
    return archive;
}

inline std::string UnixPath(const std::string& windowsPath) {
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

// Runs a shell command as Linux runs it, and waits until it is done (Wine starts a Linux program
// as it is, but gives no exit status).
inline bool RunLinux(const std::string& command) {
    std::string done = JoinPath(TestFolder(), "linux.done");
    DeleteFileA(done.c_str());
    std::string line = "Z:\\bin\\sh -c \"" + command + "; /bin/touch '" + UnixPath(done) + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil([&] { return FileExists(done); }, 30000);
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

inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

} // namespace e2e
