// Settings files through the private-profile functions, in the user's application-data folder,
// which is always writable: a name without a folder would put the file in the Windows folder,
// where an ordinary user may not write.
#include "app/win32/settings_file.h"

#include "app/settings_store.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

const char kFileName[] = "cnfzrt94.ini";

struct SettingsPaths {
    char user[MAX_PATH + 16];
    char legacy[MAX_PATH + 16];
};

const SettingsPaths& Paths() {
    static SettingsPaths paths;
    static bool ready = false;
    if (!ready) {
        char folder[MAX_PATH];
        UINT n = GetWindowsDirectoryA(folder, sizeof folder);
        if (n == 0 || n >= sizeof folder)
            std::snprintf(paths.legacy, sizeof paths.legacy, "%s", kFileName);
        else
            std::snprintf(paths.legacy, sizeof paths.legacy, "%s\\%s", folder, kFileName);
        if (SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder) ==
            S_OK)
            std::snprintf(paths.user, sizeof paths.user, "%s\\%s", folder, kFileName);
        else
            std::snprintf(paths.user, sizeof paths.user, "%s", paths.legacy);
        ready = true;
    }
    return paths;
}

const char* PathOf(void* context) {
    return static_cast<const char*>(context);
}

bool Exists(void* context) {
    return GetFileAttributesA(PathOf(context)) != INVALID_FILE_ATTRIBUTES;
}

void Read(void* context, const char* section, const char* key, const char* fallback, char* out,
          int size) {
    GetPrivateProfileStringA(section, key, fallback, out, size, PathOf(context));
}

void Write(void* context, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, PathOf(context));
}

ProfileStore Store(const char* path) {
    return {.context = const_cast<char*>(path), .exists = Exists, .read = Read, .write = Write};
}

} // namespace

void LoadSettingsFile(ProgramSettings& settings) {
    LoadProgramSettings(settings, Store(Paths().user), Store(Paths().legacy));
}

void SaveSettingsFile(const ProgramSettings& settings) {
    SaveProgramSettings(settings, Store(Paths().user));
}

void LoadRecentFilesFile(RecentFiles& files) {
    LoadRecentFiles(files, Store(Paths().user));
}

void SaveRecentFilesFile(const RecentFiles& files) {
    SaveRecentFiles(files, Store(Paths().user));
}
