#include "app/config_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Written with its format version; read whatever its version digits say and without checking
// the values; a short body keeps the empty configuration's values past its end.
TEST(ConfigFile, HeaderVersionDigitsImageAndShortFiles) {
    ControllerConfig image, loaded, empty = MakeEmptyConfig();
    std::memset(&image, 0xAB, sizeof image);
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, 0, bytes);
    EXPECT_EQ(0, std::memcmp(bytes, "94VK00", 6));
    EncodeConfigFile(image, 4, bytes);
    EXPECT_EQ(0, std::memcmp(bytes, "94VK04", 6));
    EXPECT_EQ(0, std::memcmp(bytes + 6, &image, 256));
    for (const char* digits : {"03", "99", "xx"}) {
        std::memcpy(bytes + 4, digits, 2);
        ASSERT_TRUE(DecodeConfigFile(bytes, sizeof bytes, loaded)) << digits;
        EXPECT_EQ(0, std::memcmp(&loaded, &image, sizeof image)) << digits;
    }
    ASSERT_TRUE(DecodeConfigFile(bytes, 100, loaded));
    EXPECT_EQ(0, std::memcmp(&loaded, &image, 94));
    EXPECT_EQ(0, std::memcmp((char*)&loaded + 94, (char*)&empty + 94, 162));
    ASSERT_TRUE(DecodeConfigFile(bytes, 4, loaded)); // a header alone
    EXPECT_EQ(0, std::memcmp(&loaded, &empty, sizeof empty));
    // Shorter than the mark, or another mark: refused, the image untouched.
    EXPECT_FALSE(DecodeConfigFile(bytes, 3, loaded));
    EXPECT_FALSE(DecodeConfigFile(bytes, 0, loaded));
    bytes[3] = 'k';
    EXPECT_FALSE(DecodeConfigFile(bytes, sizeof bytes, loaded));
    EXPECT_EQ(0, std::memcmp(&loaded, &empty, sizeof empty));
}

} // namespace
