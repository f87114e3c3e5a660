#pragma once
// What the program remembers between runs: window placement, serial port and company lines.
#include <cstdint>

constexpr int kWindowMaximized = 0;
constexpr int kWindowMinimized = 1;
constexpr int kWindowNormal = 2;
constexpr int kCompanyLineSize = 20;
constexpr int kCompanyLineMax = 15;

struct ProgramSettings {
    int32_t windowState = kWindowNormal;
    int32_t left = 10, top = 10, right = 630, bottom = 470; // last normal rectangle
    int8_t port = 2;
    char companyLine1[kCompanyLineSize] = "BRIVALT";
    char companyLine2[kCompanyLineSize] = "S.A.";
};
