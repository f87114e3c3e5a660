#include "app/win32/recent_menu.h"

#include "app/win32/app_globals.h"
#include "app/win32/settings_file.h"
#include "res/resource.h"

namespace {

const UINT kRecentIds[kRecentFileCount] = {CMD_RECENT_FILE_1, CMD_RECENT_FILE_2, CMD_RECENT_FILE_3,
                                           CMD_RECENT_FILE_4};
// The items of "Archivo" before the list, counted when the list is first shown.
int g_fixedItems = -1;

HMENU FileMenu(HWND window) {
    return GetSubMenu(GetMenu(window), 0);
}

void ShowRecentFiles(HWND window) {
    HMENU menu = FileMenu(window);
    if (!menu || g_fixedItems < 0) return;
    while (GetMenuItemCount(menu) > g_fixedItems)
        DeleteMenu(menu, g_fixedItems, MF_BYPOSITION);
    if (g_recentFiles.count > 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < g_recentFiles.count; ++i) {
        char text[kRecentPathSize * 2 + 8];
        RecentMenuText(i, g_recentFiles.paths[i], text, sizeof text);
        AppendMenuA(menu, MF_STRING, kRecentIds[i], text);
    }
}

} // namespace

void InitRecentFiles(HWND window) {
    HMENU menu = FileMenu(window);
    g_fixedItems = menu ? GetMenuItemCount(menu) : -1;
    LoadRecentFilesFile(g_recentFiles);
    ShowRecentFiles(window);
}

void RememberRecentFile(HWND window, const char* path) {
    // A file saved under its recommended name has no folder: the list keeps where it is.
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return;
    g_recentFiles.Add(full);
    SaveRecentFilesFile(g_recentFiles);
    ShowRecentFiles(window);
}

void OpenRecentFile(HWND window, int index) {
    if (index < 0 || index >= g_recentFiles.count) return;
    if (!g_document.QuerySave(true)) return;
    char path[kRecentPathSize];
    lstrcpynA(path, g_recentFiles.paths[index], sizeof path);
    if (g_document.OpenPath(path)) return;
    // A file that is there but refused (not a configuration) stays; a name that is no file goes.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    g_recentFiles.Remove(path);
    SaveRecentFilesFile(g_recentFiles);
    ShowRecentFiles(window);
}
