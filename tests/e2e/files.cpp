// Test folders, files and the settings file.
#include "driver.h"
#include "driver_internal.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

// Deletes a folder and everything in it.
void RemoveTree(const std::string& folder) {
    std::string from = folder + '\0'; // a list of names, ended by an empty one
    SHFILEOPSTRUCTA remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&remove);
}

std::string g_testFolderOwner; // the test whose folder was last emptied

} // namespace

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

std::string TestFolder() {
    std::string base = Environment("ZRT_E2E_WORK");
    if (base.empty()) base = "C:\\e2e";
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test =
        info ? std::string(info->test_suite_name()) + "." + info->name() : "outside-tests";
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
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
    file.close();
    return !file.fail();
}

std::string SettingsPath() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    return JoinPath(folder, "cnfzrt94.ini");
}

std::string RemoveReceiveArchive() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder);
    std::string archive = JoinPath(folder, "cnfzrt94\\Recibidas");
    DeleteFileA(archive.c_str());
    RemoveTree(archive);
    return archive;
}

std::vector<std::string> FilesIn(const std::string& folder) {
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

ExclusiveFile::ExclusiveFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

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
