// The command line: one enclosing pair of quotes comes off, nothing else, nothing past the line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CommandLine, OneEnclosingPairOfQuotesComesOff) {
    const char* const cases[][2] = {
        {"\"C:\\Obras\\A00123_2.Z94\"", "C:\\Obras\\A00123_2.Z94"},
        {"a00123_2.z94", "a00123_2.z94"},
        {"\"\"", ""},
        {"\"", "\""},
        {"\"C:\\Mis documentos\\obra.z94", "\"C:\\Mis documentos\\obra.z94"},
        {"x.Z94\"", "x.Z94\""},
        {"\"x.Z94\" \"y.Z94\"", "x.Z94\" \"y.Z94"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char line[64];
        std::memset(line, '#', sizeof line);
        std::strcpy(line, c[0]);
        StripEnclosingQuotes(line);
        EXPECT_EQ(std::string(line), c[1]);
        size_t end = std::strlen(c[0]); // the line's terminator stays, and all past it
        EXPECT_EQ(std::string(line + end, sizeof line - end),
                  '\0' + std::string(sizeof line - end - 1, '#'))
            << c[0];
    }
}
