// The report of an arbitrary 256-byte image, company lines and date, into the 10000-character
// buffer the print command uses; the buffer is allocated to size so that any overflow is caught.
// Then the image compared with the empty configuration, and with itself, which differs in nothing.
#include "app/config_compare.h"
#include "config/config_report.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ControllerConfig image;
    std::memset(&image, 0, sizeof image);
    std::memcpy(&image, data, size < sizeof image ? size : sizeof image);
    size_t at = size < sizeof image ? size : sizeof image;
    // Whatever follows: two company lines (a settings file may hold long ones) and a date.
    std::string rest((const char*)data + at, size - at);
    size_t cut = rest.find('\0');
    std::string line1 = rest.substr(0, cut);
    std::string line2 = cut == std::string::npos ? "" : rest.substr(cut + 1);
    line2 = line2.substr(0, line2.find('\0'));
    int seed = size ? data[size - 1] : 0;
    ReportHeading heading{line1.c_str(),
                          line2.c_str(),
                          (uint32_t)seed * 65599u,
                          (uint32_t)seed << 16,
                          {1900 + seed, seed % 14 - 1, seed % 32, seed % 9 - 1, seed % 24, seed}};

    std::vector<char> out(kReportBufferSize);
    int length = BuildConfigReport(image, heading, out.data(), (int)out.size());
    // An image text may hold a NUL only where its field ends; the report never does.
    if (length < 0 || length >= kReportBufferSize || out[length] != '\0' ||
        std::strlen(out.data()) != (size_t)length)
        std::abort();
    CompareConfigs(MakeEmptyConfig(), image);
    if (!CompareConfigs(image, image).empty()) std::abort();
    return 0;
}
