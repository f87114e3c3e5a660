// The string list compiled into the native builds and the program's resources must hold the same
// bytes: under Wine this binary carries the resources and LoadResString reads them.
#include "base/date_line.h"
#include "base/res_string.h"
#include "base/text_builder.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(StringTable, ResourcesAndCompiledListAgree) {
    int compared = 0;
    for (unsigned id = 1; id < 40000; ++id) {
        const char* expected = StringTableText(id);
        char loaded[1024];
        int n = LoadResString(id, loaded, sizeof loaded);
        if (!expected) {
            EXPECT_EQ(n, 0) << "string " << id << " is a resource but not in the list";
            continue;
        }
        EXPECT_STREQ(loaded, expected) << "string " << id;
        EXPECT_EQ(n, (int)std::strlen(expected)) << "string " << id;
        ++compared;
    }
    EXPECT_GT(compared, 300);
}

TEST(StringTable, MissingStringsGiveTheLoaderTextAndLongOnesAreCut) {
    char text[256], small[8];
    EXPECT_EQ(LoadResString(30409, text, sizeof text), 0);
    EXPECT_STREQ(text, "Error: Cadena 30409 no encontrada en el recurso");
    EXPECT_EQ(LoadResString(30409, small, sizeof small), 0);
    EXPECT_STREQ(small, "Error: ");
    EXPECT_EQ(LoadResString(20000, small, sizeof small), 7);
    EXPECT_STREQ(small, W1252("Atenció"));
    char edge[3] = "xx"; // a buffer of one takes the terminator, one of none nothing
    EXPECT_EQ(LoadResString(20000, edge, 1) + LoadResString(20000, edge + 1, 0), 0);
    FormatMissingString(1, edge + 1, 0);
    EXPECT_EQ(std::string(edge, 3), std::string("\0x\0", 3));
}

// A day or month outside its table names no string of the next one.
TEST(StringTable, DateLineNamesOnlyItsOwnStrings) {
    char line[256];
    FormatDateLine({2026, 13, 7, 7, 9, 5}, line, sizeof line);
    EXPECT_STREQ(line, "Fecha:         Error: Cadena 30503 no encontrada en el recurso, 07 de "
                       "Error: Cadena 30515 no encontrada en el recurso de 2026, 09:05\r");
}

TEST(TextBuilder, CutsAndStaysTerminated) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    TextBuilder b(buffer, 6);
    EXPECT_STREQ(buffer, "");
    b.Append("ab"), b.Format("%d", 123), b.DropLast('3'), b.DropLast('9');
    EXPECT_STREQ(buffer, "ab12");
    b.Format("%s", "xyz"), b.Append("q");
    EXPECT_EQ(std::string(buffer, 8), std::string("ab12x\0xx", 8));
    EXPECT_TRUE(b.Full());
}

} // namespace
