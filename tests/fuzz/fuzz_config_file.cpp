// Loading arbitrary bytes as a configuration file.
#include "app/config_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ControllerConfig image;
    DecodeConfigFile(data, (int)(size > 100000 ? 100000 : size), image);
    return 0;
}
