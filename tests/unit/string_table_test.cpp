// The base texts. The native string list and the resources hold the same bytes (under Wine this
// binary carries the resources). data/cp1252.txt: Windows-1252 from the blank on, in UTF-8 as a
// reference codec wrote it; arbitrary bytes are the help book fuzzer's.
#include "base/date_line.h"
#include "base/res_string.h"
#include "base/text_builder.h"
#include "base/text_encoding.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
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
    char edge[3] = "xx"; // a buffer of none takes nothing, one of one the terminator
    FormatMissingString(1, edge + 1, 0);
    EXPECT_EQ(LoadResString(30409, edge + 1, 1) + LoadResString(20000, edge + 2, 0), 0);
    EXPECT_EQ(std::string(edge, 3), std::string("x\0\0", 3));
    // A day or month outside its table names no string of the next one.
    FormatDateLine({2026, 13, 7, 7, 9, 5}, text, sizeof text);
    EXPECT_STREQ(text, "Fecha:         Error: Cadena 30503 no encontrada en el recurso, 07 de "
                       "Error: Cadena 30515 no encontrada en el recurso de 2026, 09:05\r");
}

TEST(TextBuilder, CutsAndStaysTerminated) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    TextBuilder b(buffer, 6);
    EXPECT_STREQ(buffer, "");
    b.Append("ab"), b.Format("%d", 123), b.DropLast('3'), b.DropLast('9');
    EXPECT_STREQ(buffer, "ab12");
    b.Format("%s", "xy"), b.Append("q"); // the first fills it
    EXPECT_EQ(std::string(buffer, 8), std::string("ab12x\0xx", 8));
    EXPECT_TRUE(b.Full());
}

TEST(TextEncoding, EveryDefinedCharacterBothWays) {
    std::ifstream in(std::string(ZRT_SOURCE_DIR) + "/tests/unit/data/cp1252.txt");
    std::string utf8, cp1252;
    std::getline(in, utf8);
    for (int c = 0x20; c <= 0xFF; ++c)
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) cp1252 += (char)c;
    EXPECT_EQ(Utf8ToCp1252(utf8.data(), utf8.size()), cp1252);
    EXPECT_EQ(Cp1252ToUtf8(cp1252.c_str()), utf8);
    // Cut, overlong for Windows-1252 or outside it: one '?' each.
    const std::string odd = "a\xE2\x82|\xF0\x9F\x98\x80|\xC4\x80|\xC2\x80|\xC3";
    EXPECT_EQ(Utf8ToCp1252(odd.data(), odd.size()), "a?|?|?|?|?");
    std::string folded;
    for (char c : std::string("AZaz09\xC1\xE1\xD1\xF1\xC6\xFF\x8A\x9E\xD7\xBF-\x83"))
        folded += FoldForSearch(c);
    EXPECT_EQ(folded, "azaz09aannaysz    ");
}

} // namespace
