#include "app/config_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Written with its format version; read whatever its version digits say, and without checking
// the values.
TEST(ConfigFile, HeaderVersionDigitsAndImage) {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = 777;
    image.stopCount = 30;
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, 0, bytes);
    EXPECT_EQ(0, std::memcmp(bytes, "94VK00", 6));
    EncodeConfigFile(image, 4, bytes);
    EXPECT_EQ(0, std::memcmp(bytes, "94VK04", 6));
    EXPECT_EQ(0, std::memcmp(bytes + 6, &image, 256));
    for (const char* digits : {"03", "99", "xx"}) {
        std::memcpy(bytes + 4, digits, 2);
        ControllerConfig loaded{};
        ASSERT_TRUE(DecodeConfigFile(bytes, sizeof bytes, loaded)) << digits;
        EXPECT_EQ(0, std::memcmp(&loaded, &image, sizeof image)) << digits;
    }
}

TEST(ConfigFile, ShortBodyKeepsTheEmptyValues) {
    ControllerConfig image;
    std::memset(&image, 0xAB, sizeof image);
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, 4, bytes);
    ControllerConfig loaded, empty = MakeEmptyConfig();
    ASSERT_TRUE(DecodeConfigFile(bytes, 100, loaded));
    const unsigned char* got = reinterpret_cast<const unsigned char*>(&loaded);
    for (int i = 0; i < 94; ++i)
        EXPECT_EQ(got[i], 0xAB) << i;
    EXPECT_EQ(0, std::memcmp(got + 94, reinterpret_cast<const unsigned char*>(&empty) + 94, 162));
    // A header alone loads the empty configuration.
    ASSERT_TRUE(DecodeConfigFile(bytes, 4, loaded));
    EXPECT_EQ(0, std::memcmp(&loaded, &empty, sizeof empty));
}

TEST(ConfigFile, RefusesShortFilesAndOtherMagic) {
    unsigned char bytes[kConfigFileSize] = {'9', '4', 'V', 'K'};
    ControllerConfig loaded = MakeEmptyConfig();
    loaded.systemNumber = 55;
    EXPECT_FALSE(DecodeConfigFile(bytes, 3, loaded));
    EXPECT_FALSE(DecodeConfigFile(bytes, 0, loaded));
    bytes[3] = 'k';
    EXPECT_FALSE(DecodeConfigFile(bytes, sizeof bytes, loaded));
    EXPECT_EQ(loaded.systemNumber, 55); // untouched
}

} // namespace
