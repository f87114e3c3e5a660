#pragma once
// The settings file on disk: "cnfzrt94.ini" in the user's roaming application-data folder.
#include "app/program_settings.h"
#include "app/recent_files.h"

// Reads the settings; until the user's file exists, an older installation's file in the Windows
// folder is read instead.
void LoadSettingsFile(ProgramSettings& settings);
// Writes every key into the user's file. Failures are not reported.
void SaveSettingsFile(const ProgramSettings& settings);

// The recent files, in the user's file only (the older installation's never had them).
void LoadRecentFilesFile(RecentFiles& files);
void SaveRecentFilesFile(const RecentFiles& files);
