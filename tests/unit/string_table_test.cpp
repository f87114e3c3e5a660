// The string list compiled into the native builds and the program's resources must hold the same
// bytes: under Wine this binary carries the resources and LoadResString reads them.
#include "base/res_string.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>

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
}

} // namespace
