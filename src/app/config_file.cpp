#include "app/config_file.h"

#include <cstdio>
#include <cstring>

namespace {
const char kMagic[4] = {'9', '4', 'V', 'K'};
}

void EncodeConfigFile(const ControllerConfig& image, unsigned fileVersion,
                      unsigned char (&out)[kConfigFileSize]) {
    char header[16];
    std::snprintf(header, sizeof header, "94VK%02d", fileVersion % 100);
    std::memcpy(out, header, kConfigFileHeaderSize);
    std::memcpy(out + kConfigFileHeaderSize, &image, sizeof image);
}

bool DecodeConfigFile(const unsigned char* bytes, int size, ControllerConfig& image) {
    if (size < 4 || std::memcmp(bytes, kMagic, 4) != 0) return false;
    image = MakeEmptyConfig();
    int body = size - kConfigFileHeaderSize;
    if (body > (int)sizeof image) body = sizeof image;
    if (body > 0) std::memcpy(&image, bytes + kConfigFileHeaderSize, body);
    return true;
}
