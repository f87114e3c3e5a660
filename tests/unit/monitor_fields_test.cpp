// What the communications monitor shows for a packet, and the port names of the link's messages.
#include "link/monitor_fields.h"
#include "link/port_number.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorFields, HeaderLettersAndLength) {
    MonitorFields f = FormatMonitorFields(Answer('w', "03.0794VK"));
    EXPECT_STREQ(f.CD, "c");
    EXPECT_STREQ(f.CO, "o");
    EXPECT_STREQ(f.OR, "w");
    EXPECT_STREQ(f.LA, "9");
    EXPECT_STREQ(f.data, "03.0794VK");
}

TEST(MonitorFields, DataIsCutAt250Characters) {
    std::string data;
    for (int i = 0; i < 255; ++i)
        data += (char)('0' + i % 10);
    MonitorFields f = FormatMonitorFields(Answer('c', data));
    EXPECT_STREQ(f.LA, "255");
    EXPECT_EQ(std::string(f.data), data.substr(0, 250));
}

TEST(MonitorFields, DataEndsAtAZeroByteAndIsEmptyWithoutData) {
    EXPECT_STREQ(FormatMonitorFields(Answer('c', std::string("12\0"
                                                             "34",
                                                             5)))
                     .data,
                 "12");
    MonitorFields empty = FormatMonitorFields(Packet('o', 'c', 'b'));
    EXPECT_STREQ(empty.data, "");
    EXPECT_STREQ(empty.LA, "0");
}

TEST(PortNumber, NamesEveryNumberButAcceptsOnlyOneToNine) {
    char name[16];
    FormatPortName(0, name, sizeof name);
    EXPECT_STREQ(name, "COM0");
    FormatPortName(10, name, sizeof name);
    EXPECT_STREQ(name, "COM10");
    FormatPortName(4, name, sizeof name);
    EXPECT_STREQ(name, "COM4");
    EXPECT_FALSE(IsValidPortNumber(0));
    EXPECT_TRUE(IsValidPortNumber(1));
    EXPECT_TRUE(IsValidPortNumber(9));
    EXPECT_FALSE(IsValidPortNumber(10));
    EXPECT_FALSE(IsValidPortNumber(0xFFFFFFFFu));
}

} // namespace
