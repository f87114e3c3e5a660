#pragma once
// ProgramSettings in the settings file: every key in a fixed order, with its default.
//
//   [General] CommPort (2), Empresa1 ("BRIVALT"), Empresa2 ("S.A.")
//   [Desktop] Status (2), OrgWinL (10), OrgWinR (630), OrgWinT (10), OrgWinB (470)
//   [Historial] Carpeta ("")
//
// The file itself is reached through a profile store, so the logic runs with a fake in tests.
#include "app/program_settings.h"

struct ProfileStore {
    void* context;
    // True when the file exists.
    bool (*exists)(void* context);
    // The key's text, at most size - 1 characters, or `fallback` when the key is missing.
    void (*read)(void* context, const char* section, const char* key, const char* fallback,
                 char* out, int size);
    void (*write)(void* context, const char* section, const char* key, const char* value);
};

// Reads every key into `settings`. The user's own file is read when it exists; until it does, an
// older installation's file (`legacy`) is read instead, so its company lines and port carry over.
void LoadProgramSettings(ProgramSettings& settings, const ProfileStore& user,
                         const ProfileStore& legacy);

// Writes every key, in order, into the user's file.
void SaveProgramSettings(const ProgramSettings& settings, const ProfileStore& user);

// A profile integer as the platform reads it: leading blanks, an optional sign and the decimal
// digits that follow; no digits read as 0, an empty text as `fallback`.
int ProfileInteger(const char* text, int fallback);
