#pragma once
// What the program remembers between runs: window placement, serial port, company lines and the
// folder of the history and the copies.
#include <cstdint>

constexpr int kWindowMaximized = 0;
constexpr int kWindowMinimized = 1;
constexpr int kWindowNormal = 2;
constexpr int kCompanyLineSize = 20;
constexpr int kCompanyLineMax = 15;
constexpr int kDataFolderSize = 260;

struct ProgramSettings {
    int32_t windowState = kWindowNormal;
    int32_t left = 10, top = 10, right = 630, bottom = 470; // last normal rectangle
    int8_t port = 2;
    char companyLine1[kCompanyLineSize] = "BRIVALT";
    char companyLine2[kCompanyLineSize] = "S.A.";
    // The folder of the history and the copies, for a team sharing them; empty: the user's own.
    char dataFolder[kDataFolderSize] = "";
};
