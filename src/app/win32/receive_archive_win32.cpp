#include "app/win32/receive_archive_win32.h"

#include "app/config_file.h"
#include "app/receive_archive.h"
#include "base/win32/local_time.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

// Far more receives than one minute can hold; past them the folder is not what it seems.
constexpr int kMaxCopiesPerMinute = 100;

// A folder that is there already counts as made; anything else of that name does not.
bool MakeFolder(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool ReceiveArchiveFolder(char* folder, int size) {
    char user[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, user) != S_OK)
        return false;
    char program[MAX_PATH];
    int n = std::snprintf(program, sizeof program, "%s\\cnfzrt94", user);
    if (n <= 0 || n >= (int)sizeof program || !MakeFolder(program)) return false;
    n = std::snprintf(folder, size, "%s\\%s", user, kReceiveArchiveFolder);
    return n > 0 && n < size && MakeFolder(folder);
}

bool ArchiveReceivedImage(const ConfigDocument& document, const ControllerConfig& image) {
    char folder[MAX_PATH], name[64], path[MAX_PATH];
    if (!ReceiveArchiveFolder(folder, sizeof folder)) return false;
    const LocalDateTime now = LocalNow();
    for (int copy = 1;; ++copy) {
        if (copy > kMaxCopiesPerMinute) return false;
        ReceiveArchiveName(image, now, copy, name, sizeof name);
        int n = std::snprintf(path, sizeof path, "%s\\%s", folder, name);
        if (n <= 0 || n >= (int)sizeof path) return false;
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) break;
    }
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, document.fileVersion, bytes);
    return document.host->writeFile(document.host->context, path, bytes, sizeof bytes);
}
