#pragma once
// The configuration report: the plain text printed for a configuration, lines ended by a single
// carriage return, columns aligned for a fixed-pitch font.
#include "base/date_line.h"
#include "config/controller_config.h"

#include <cstdint>

constexpr int kReportBufferSize = 10000;

// What the report shows besides the configuration.
struct ReportHeading {
    const char* companyLine1;
    const char* companyLine2;
    // The program's product version as the version resource holds it: the most and the least
    // significant 32-bit halves. The report prints "%d.%d.%d" of MS high, MS low, LS high.
    uint32_t productVersionMS;
    uint32_t productVersionLS;
    LocalDateTime now;
};

// Builds the report of `config` into `out` (`size` characters, terminator included) and returns
// its length. Every text of the image is bounded by its field and the stops by the 24 that exist,
// and nothing is written past the buffer: whatever the image holds, the text is cut rather than
// overflowing.
int BuildConfigReport(const ControllerConfig& config, const ReportHeading& heading, char* out,
                      int size);
