#include "app/win32/receive_archive_win32.h"

#include "app/config_file.h"
#include "app/receive_archive.h"
#include "base/win32/local_time.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

// Far more copies than one minute can hold; past them the folder is not what it seems.
constexpr int kMaxCopiesPerMinute = 100;

// A folder that is there already counts as made; anything else of that name does not.
bool MakeFolder(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CopyFolder(const char* chosen, const char* subfolder, char* folder, int size) {
    char program[MAX_PATH];
    if (!ProgramDataFolder(chosen, program, sizeof program)) return false;
    int n = std::snprintf(folder, size, "%s\\%s", program, subfolder);
    return n > 0 && n < size && MakeFolder(folder);
}

} // namespace

bool ProgramDataFolder(const char* chosen, char* folder, int size) {
    while (chosen && *chosen == ' ')
        ++chosen;
    if (chosen && *chosen) {
        int n = std::snprintf(folder, size, "%s", chosen);
        while (n > 1 && (folder[n - 1] == '\\' || folder[n - 1] == '/'))
            folder[--n] = '\0';
        return n > 0 && n < size && MakeFolder(folder);
    }
    char user[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, user) != S_OK)
        return false;
    int n = std::snprintf(folder, size, "%s\\cnfzrt94", user);
    return n > 0 && n < size && MakeFolder(folder);
}

bool ReceiveArchiveFolder(const char* chosen, char* folder, int size) {
    return CopyFolder(chosen, kReceivedFolder, folder, size);
}

bool ArchiveImage(const char* chosen, const ConfigDocument& document, const ControllerConfig& image,
                  const char* subfolder, char* kept, int keptSize) {
    char folder[MAX_PATH], name[64], path[MAX_PATH];
    if (!CopyFolder(chosen, subfolder, folder, sizeof folder)) return false;
    const LocalDateTime now = LocalNow();
    for (int copy = 1;; ++copy) {
        if (copy > kMaxCopiesPerMinute) return false;
        ReceiveArchiveName(image, now, copy, name, sizeof name);
        int n = std::snprintf(path, sizeof path, "%s\\%s", folder, name);
        if (n <= 0 || n >= (int)sizeof path) return false;
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            break;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, document.fileVersion, bytes);
    if (!document.host->writeFile(document.host->context, path, bytes, sizeof bytes)) {
        DeleteFileA(path); // the empty file that held the name
        return false;
    }
    if (kept) std::snprintf(kept, keptSize, "%s", name);
    return true;
}
