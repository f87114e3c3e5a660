#include "app/win32/history_file.h"

#include "app/win32/receive_archive_win32.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/text_encoding.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kLockAttempts = 100;
constexpr DWORD kLockRetryMs = 20;

bool WriteAll(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) &&
           written == text.size();
}

std::string Number(int n) {
    return n < 0 ? std::string() : std::to_string(n);
}

} // namespace

bool HistoryPath(const char* chosen, char* path, int size) {
    char folder[MAX_PATH];
    if (!ProgramDataFolder(chosen, folder, sizeof folder)) return false;
    int n = std::snprintf(path, size, "%s\\%s", folder, kHistoryFileName);
    return n > 0 && n < size;
}

HistoryAppend AppendHistoryLine(const char* path, const std::string& line) {
    // Append-only access: every write goes to the end of the file as it is then.
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA | GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HistoryAppend::Failed;
    OVERLAPPED whole{};
    bool locked = false;
    for (int attempt = 0; attempt < kLockAttempts && !locked; ++attempt) {
        locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                            MAXDWORD, &whole);
        if (!locked) Sleep(kLockRetryMs);
    }
    if (!locked) {
        CloseHandle(file);
        return HistoryAppend::Locked;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size);
    std::string text = ok && size.QuadPart == 0 ? kHistoryHead + line : line;
    ok = ok && WriteAll(file, text) && FlushFileBuffers(file);
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(file);
    return ok ? HistoryAppend::Written : HistoryAppend::Failed;
}

HistoryAppend RecordExchange(const char* chosen, const HistoryExchange& e) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char when[32], version[32] = "";
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    if (e.versionMajor > 0)
        std::snprintf(version, sizeof version, "%d.%d", e.versionMajor, e.versionMinor);
    const std::string fields[kHistoryFields] = {
        when,
        Cp1252ToUtf8(ResString(e.operationId)),
        Number(e.system),
        Number(e.cabin),
        version,
        Cp1252ToUtf8(e.result ? e.result : ""),
        Cp1252ToUtf8(e.copyName ? e.copyName : ""),
    };
    char path[MAX_PATH];
    if (!HistoryPath(chosen, path, sizeof path)) return HistoryAppend::Failed;
    return AppendHistoryLine(path, BuildHistoryLine(fields));
}
