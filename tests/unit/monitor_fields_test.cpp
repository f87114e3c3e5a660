// What the communications monitor shows for a packet.
#include "link/monitor_fields.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorFields, DataEndsAtAZeroByteAndTheLongestShowsItsFirst250) {
    EXPECT_STREQ(FormatMonitorFields(Answer('c', std::string("12\0x34", 6))).data, "12");
    MonitorFields empty = FormatMonitorFields(Packet('o', 'c', 'b'));
    EXPECT_STREQ(empty.data, "");
    EXPECT_STREQ(empty.LA, "0");
    MonitorFields longest = FormatMonitorFields(Answer('w', std::string(254, 'K') + "Z"));
    EXPECT_STREQ(longest.LA, "255");
    EXPECT_EQ(std::string(longest.data), std::string(250, 'K'));
}

} // namespace
