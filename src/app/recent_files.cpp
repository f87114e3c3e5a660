#include "app/recent_files.h"

#include <cstdio>
#include <cstring>

namespace {

const char kSection[] = "Recientes";
constexpr int kMenuPathLength = 60;

// Upper case as the file system compares names: a to z and the accented letters of
// Windows-1252 (but the division sign), a slash as a backslash.
unsigned char Folded(unsigned char c) {
    if (c >= 'a' && c <= 'z') return (unsigned char)(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return (unsigned char)(c - 32);
    return c == '/' ? '\\' : c;
}

bool Usable(const char* path) {
    size_t length = std::strlen(path);
    if (length == 0 || length >= (size_t)kRecentPathSize) return false;
    for (const char* p = path; *p; ++p)
        if ((unsigned char)*p < 32 || std::strchr("<>\"|?*", *p)) return false;
    return true;
}

void Key(int index, char* key, int size) {
    std::snprintf(key, size, "Archivo%d", index + 1);
}

} // namespace

bool SameWindowsPath(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (Folded((unsigned char)*a) != Folded((unsigned char)*b)) return false;
    return *a == *b;
}

void RecentFiles::Remove(const char* path) {
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (!SameWindowsPath(paths[i], path))
            std::memmove(paths[kept++], paths[i], kRecentPathSize);
    for (int i = kept; i < count; ++i)
        paths[i][0] = '\0';
    count = kept;
}

void RecentFiles::Add(const char* path) {
    if (!Usable(path)) return;
    char copy[kRecentPathSize];
    std::snprintf(copy, sizeof copy, "%s", path);
    Remove(copy);
    if (count == kRecentFileCount) --count;
    std::memmove(paths[1], paths[0], (size_t)count * kRecentPathSize);
    std::memcpy(paths[0], copy, sizeof copy);
    ++count;
}

void LoadRecentFiles(RecentFiles& files, const ProfileStore& store) {
    files = RecentFiles();
    // One more than a path may hold: a longer text fills it and is refused whole.
    char path[kRecentPathSize + 1];
    for (int i = kRecentFileCount - 1; i >= 0; --i) { // oldest first, so the newest ends first
        char key[16];
        Key(i, key, sizeof key);
        store.read(store.context, kSection, key, "", path, sizeof path);
        files.Add(path);
    }
}

void SaveRecentFiles(const RecentFiles& files, const ProfileStore& store) {
    for (int i = 0; i < kRecentFileCount; ++i) {
        char key[16];
        Key(i, key, sizeof key);
        store.write(store.context, kSection, key, i < files.count ? files.paths[i] : "");
    }
}

void RecentMenuText(int index, const char* path, char* out, int size) {
    if (size <= 0) return;
    int n = std::snprintf(out, size, "&%d ", index + 1);
    if (n < 0 || n >= size) n = size - 1;
    size_t length = std::strlen(path);
    // The start (the drive or server) and the end (the file's name), "..." between them.
    size_t head = length > kMenuPathLength ? 3 : length;
    size_t tail = length > kMenuPathLength ? kMenuPathLength - 6 : 0;
    auto put = [&](char c) {
        if (n < size - 1) out[n++] = c;
    };
    auto copy = [&](const char* from, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            if (from[i] == '&') put('&');
            put(from[i]);
        }
    };
    copy(path, head);
    if (tail) {
        copy("...", 3);
        copy(path + length - tail, tail);
    }
    out[n < size ? n : size - 1] = '\0';
}
