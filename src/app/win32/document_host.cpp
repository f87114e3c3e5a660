#include "app/win32/document_host.h"

#include "app/win32/app_globals.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "app/win32/recent_menu.h"

#include <commdlg.h>

namespace {

HWND Owner(void* context) {
    return static_cast<HWND>(context);
}

int ShowMessageBox(void* context, const char* text, const char* caption, unsigned flags) {
    return MessageBoxA(Owner(context), text, caption, flags);
}

OPENFILENAMEA FileDialogBlock(void* context, const char* title, const char* filter, char* path,
                              int pathSize) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner(context);
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = pathSize;
    ofn.lpstrTitle = title;
    return ofn;
}

bool OpenFileDialog(void* context, const char* title, const char* filter, const char* folder,
                    char* path, int pathSize) {
    OPENFILENAMEA ofn = FileDialogBlock(context, title, filter, path, pathSize);
    ofn.lpstrInitialDir = folder;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&ofn) != 0;
}

bool SaveFileDialog(void* context, const char* title, const char* filter, char* path,
                    int pathSize) {
    OPENFILENAMEA ofn = FileDialogBlock(context, title, filter, path, pathSize);
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    // A name typed without an extension gets the one Open asks for.
    char extension[16];
    LoadResString(str::FileExtension, extension, sizeof extension);
    ofn.lpstrDefExt = extension;
    return GetSaveFileNameA(&ofn) != 0;
}

bool ReadFileStart(void*, const char* path, unsigned char* buffer, int size, int* read) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Only a read of nothing is the end of the file: a failed read would otherwise load part of
    // the file over the empty configuration as if the file were short.
    *read = 0;
    bool ok = true;
    while (*read < size) {
        DWORD got = 0;
        ok = ReadFile(file, buffer + *read, size - *read, &got, nullptr) != 0;
        if (!ok || got == 0) break;
        *read += (int)got;
    }
    CloseHandle(file);
    return ok;
}

bool FileExists(void*, const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool WriteAll(HANDLE file, const unsigned char* data, int size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == (DWORD)size &&
           FlushFileBuffers(file);
}

// The new contents go to a temporary file beside the target, which replaces the target only
// once every byte is on disk: a full disk or a failed write never costs the old file.
bool WriteFileSafely(void*, const char* path, const unsigned char* data, int size) {
    char full[MAX_PATH], *namePart = nullptr;
    DWORD n = GetFullPathNameA(path, sizeof full, full, &namePart);
    if (n == 0 || n >= sizeof full || !namePart) return false;
    char folder[MAX_PATH];
    lstrcpynA(folder, full, (int)(namePart - full) + 1);
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder, "z94", 0, temp)) return false;
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE && WriteAll(file, data, size);
    if (file != INVALID_HANDLE_VALUE) ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp);
    return ok;
}

void PostChanged(void* context) {
    PostMessageA(Owner(context), WM_DOC_CHANGED, 0, 0);
}

void FullPath(void*, const char* path, char* full, int size) {
    DWORD n = GetFullPathNameA(path, size, full, nullptr);
    if (n == 0 || n >= (DWORD)size) lstrcpynA(full, path, size);
}

void ShowStatus(void*, const char* text) {
    g_statusBar.SetText(0, text);
}

void FileUsed(void* context, const char* path) {
    RememberRecentFile(Owner(context), path);
}

} // namespace

const DocumentHost* Win32DocumentHost(HWND owner) {
    static DocumentHost host;
    host = DocumentHost{
        .context = owner,
        .messageBox = ShowMessageBox,
        .openFileDialog = OpenFileDialog,
        .saveFileDialog = SaveFileDialog,
        .readFile = ReadFileStart,
        .fileExists = FileExists,
        .writeFile = WriteFileSafely,
        .postChanged = PostChanged,
        .fullPath = FullPath,
        .showStatus = ShowStatus,
        .fileUsed = FileUsed,
    };
    return &host;
}
