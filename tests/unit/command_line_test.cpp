#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, OneEnclosingPairOfQuotesIsRemoved) {
    struct {
        const char* given;
        const char* path;
    } cases[] = {
        {"\"C:\\Mis datos\\A00001_1.Z94\"", "C:\\Mis datos\\A00001_1.Z94"},
        {"C:\\A00001_1.Z94", "C:\\A00001_1.Z94"},
        {"\"\"x.z94\"\"", "\"x.z94\""},
        {"\"", "\""},
        {"\"\"", ""},
        {"\"a.z94", "\"a.z94"},
        {"/switch", "/switch"},
    };
    for (auto& c : cases) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%s", c.given);
        StripEnclosingQuotes(buffer);
        EXPECT_STREQ(buffer, c.path) << c.given;
    }
}

} // namespace
