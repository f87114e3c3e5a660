#include "app/settings_store.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const char kGeneral[] = "General";
const char kDesktop[] = "Desktop";
const char kHistory[] = "Historial";

int ReadInteger(const ProfileStore& p, const char* section, const char* key, int fallback) {
    char text[32];
    p.read(p.context, section, key, "", text, sizeof text);
    return ProfileInteger(text, fallback);
}

void ReadCompanyLine(const ProfileStore& p, const char* key, const char* fallback,
                     char (&line)[kCompanyLineSize]) {
    char text[kCompanyLineMax + 1];
    p.read(p.context, kGeneral, key, fallback, text, sizeof text);
    text[kCompanyLineMax] = '\0';
    std::snprintf(line, sizeof line, "%s", text);
}

void WriteInteger(const ProfileStore& p, const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    p.write(p.context, section, key, text);
}

} // namespace

int ProfileInteger(const char* text, int fallback) {
    while (*text == ' ' || *text == '\t')
        ++text;
    if (!*text) return fallback;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + (uint32_t)(*text - '0');
    return (int)(negative ? 0u - value : value);
}

void LoadProgramSettings(ProgramSettings& s, const ProfileStore& user, const ProfileStore& legacy) {
    const ProfileStore& p =
        !user.exists(user.context) && legacy.exists(legacy.context) ? legacy : user;
    s.port = (int8_t)ReadInteger(p, kGeneral, "CommPort", 2);
    ReadCompanyLine(p, "Empresa1", "BRIVALT", s.companyLine1);
    ReadCompanyLine(p, "Empresa2", "S.A.", s.companyLine2);
    s.windowState = ReadInteger(p, kDesktop, "Status", kWindowNormal);
    s.left = ReadInteger(p, kDesktop, "OrgWinL", 10);
    s.right = ReadInteger(p, kDesktop, "OrgWinR", 630);
    s.top = ReadInteger(p, kDesktop, "OrgWinT", 10);
    s.bottom = ReadInteger(p, kDesktop, "OrgWinB", 470);
    p.read(p.context, kHistory, "Carpeta", "", s.dataFolder, sizeof s.dataFolder);
}

void SaveProgramSettings(const ProgramSettings& s, const ProfileStore& p) {
    WriteInteger(p, kGeneral, "CommPort", s.port);
    p.write(p.context, kGeneral, "Empresa1", s.companyLine1);
    p.write(p.context, kGeneral, "Empresa2", s.companyLine2);
    WriteInteger(p, kDesktop, "Status", s.windowState);
    WriteInteger(p, kDesktop, "OrgWinL", s.left);
    WriteInteger(p, kDesktop, "OrgWinR", s.right);
    WriteInteger(p, kDesktop, "OrgWinT", s.top);
    WriteInteger(p, kDesktop, "OrgWinB", s.bottom);
    p.write(p.context, kHistory, "Carpeta", s.dataFolder);
}
