// Windows-1252 and UTF-8: data/cp1252.txt holds every character Windows-1252 defines from the
// blank on, in UTF-8 as a reference codec wrote it. Arbitrary bytes are the help book fuzzer's,
// whose sources go through the same conversion.
#include "base/text_encoding.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

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
