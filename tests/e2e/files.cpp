// Test folders, files and the settings file.
#include "driver.h"
#include "driver_internal.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>

namespace e2e {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Deletes a folder and everything in it.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = JoinPath(folder, name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string g_testFolderOwner; // the test whose folder was last emptied
} // namespace

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info) return "";
    return std::string(info->test_suite_name()) + "." + info->name();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

std::string TestFolder() {
    std::string base = Environment("ZRT_E2E_WORK");
    if (base.empty()) base = "C:\\e2e";
    std::string test = CurrentTestName();
    if (test.empty()) test = "outside-tests";
    for (char& c : test)
        if (c == '/') c = '_'; // parameterised names
    std::string folder = JoinPath(base, test);
    if (g_testFolderOwner != test) {
        g_testFolderOwner = test;
        RemoveTree(folder);
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<Bytes> ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Bytes bytes;
    unsigned char chunk[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &read, nullptr)) && read > 0)
        bytes.insert(bytes.end(), chunk, chunk + read);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        bytes.empty() || (WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
                          written == bytes.size());
    return CloseHandle(file) && ok;
}

std::string SettingsPath() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    return JoinPath(folder, "cnfzrt94.ini");
}

ExclusiveFile::ExclusiveFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

ExclusiveFile::~ExclusiveFile() {
    Release();
}

void ExclusiveFile::Release() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

BreakingPipe::BreakingPipe(const std::string& name, const Bytes& bytes)
    : path_("\\\\.\\pipe\\" + name) {
    HANDLE pipe = CreateNamedPipeA(path_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                   1, 4096, 4096, 0, nullptr);
    EXPECT_NE(pipe, INVALID_HANDLE_VALUE) << path_;
    if (pipe == INVALID_HANDLE_VALUE) return;
    // No flush before closing: on a pipe it would wait for the reader.
    writer_ = std::thread([pipe, bytes] {
        ConnectNamedPipe(pipe, nullptr);
        DWORD written = 0;
        WriteFile(pipe, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(pipe);
    });
}

BreakingPipe::~BreakingPipe() {
    if (!writer_.joinable()) return;
    // Never read: connect, so that the writer does not wait for ever.
    HANDLE reader = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    writer_.join();
}

} // namespace e2e
