#include "app/version_info.h"

#include <cstdio>
#include <cstring>

void FormatVersionText(const FixedVersionInfo& v, char* out, int size) {
    std::snprintf(out, size, "%d.%d.%d", (int)(v.productVersionMS >> 16),
                  (int)(v.productVersionMS & 0xFFFF), (int)(v.productVersionLS >> 16));
    size_t n = std::strlen(out);
    if (v.fileFlags & kVersionFlagPrerelease) n += std::snprintf(out + n, size - n, " Beta");
    if ((v.fileFlags & kVersionFlagDebug) && n < (size_t)size)
        std::snprintf(out + n, size - n, " (D)");
}

void FormatVersionQuery(uint16_t language, uint16_t codePage, const char* key, char* out,
                        int size) {
    unsigned long id = (unsigned long)language * 65536ul + codePage;
    std::snprintf(out, size, "\\StringFileInfo\\%08lX\\%s", id, key);
}
