#pragma once
// The last configuration files opened or saved, newest first, as the "Archivo" menu numbers them
// (1 to 4) and the settings file keeps them: keys Archivo1 to Archivo4 of a section of their own,
// [Recientes], which older versions of the program do not read.
#include "app/settings_store.h"

constexpr int kRecentFileCount = 4;
constexpr int kRecentPathSize = 260; // the longest path the platform opens, and its NUL

struct RecentFiles {
    char paths[kRecentFileCount][kRecentPathSize] = {};
    int count = 0;

    // Puts `path` first. The same file named before (letters of either case, either slash)
    // leaves its old place; beyond four the oldest goes. A path that cannot name a file (empty,
    // too long to keep whole, with a character no file name has) changes nothing.
    void Add(const char* path);
    // Takes the file out of the list, wherever it is.
    void Remove(const char* path);
};

// Whether two paths name the same file as Windows compares them.
bool SameWindowsPath(const char* a, const char* b);

// The list as the file keeps it, in its order; a key missing, empty or unusable is skipped.
void LoadRecentFiles(RecentFiles& files, const ProfileStore& store);
// Every key, the ones beyond the list empty.
void SaveRecentFiles(const RecentFiles& files, const ProfileStore& store);

// The menu text of item `index` (0-based): its number as the access key, then the path with its
// ampersands doubled, its middle left out when it is longer than a menu should be.
void RecentMenuText(int index, const char* path, char* out, int size);
