#pragma once
// The program file's version information as the about box and start-up use it.
#include <cstdint>

// The fixed part of a version block, in the platform's order.
struct FixedVersionInfo {
    uint32_t signature, structVersion;
    uint32_t fileVersionMS, fileVersionLS;
    uint32_t productVersionMS, productVersionLS;
    uint32_t fileFlagsMask, fileFlags;
    uint32_t fileOS, fileType, fileSubtype;
    uint32_t fileDateMS, fileDateLS;
};

constexpr uint32_t kVersionFlagDebug = 1;
constexpr uint32_t kVersionFlagPrerelease = 2;

// The product version's first two numbers: the configuration files' format version and its
// minor number.
inline uint32_t ProductMajor(const FixedVersionInfo& v) {
    return v.productVersionMS >> 16;
}
inline uint32_t ProductMinor(const FixedVersionInfo& v) {
    return v.productVersionMS & 0xFFFF;
}

// "4.2.1", then " Beta" for a pre-release and " (D)" for a debug build.
void FormatVersionText(const FixedVersionInfo& v, char* out, int size);

// The query of a string of the version block: "\StringFileInfo\0C0A04E4\Comments".
void FormatVersionQuery(uint16_t language, uint16_t codePage, const char* key, char* out, int size);
