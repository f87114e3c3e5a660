#include "app/receive_archive.h"

#include "app/config_document.h"

#include <cstdio>
#include <cstring>

void ReceiveArchiveName(const ControllerConfig& image, const LocalDateTime& when, int copy,
                        char* name, int size) {
    char stem[64];
    RecommendedName(image, stem, sizeof stem);
    char* dot = std::strrchr(stem, '.');
    if (dot) *dot = '\0';
    char number[16] = "";
    if (copy > 1) std::snprintf(number, sizeof number, " (%d)", copy);
    std::snprintf(name, size, "%s %04d-%02d-%02d %02d%02d%s.Z94", stem, when.year, when.month,
                  when.day, when.hour, when.minute, number);
}
