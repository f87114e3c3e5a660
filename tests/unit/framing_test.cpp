// Frames on the wire, the receiver that assembles them and the monitor that shows them.
#include "link/monitor_fields.h"
#include "link_test_support.h"

#include "base/string_ids.h"
#include "link/port_number.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// The check text of a frame's bytes before the check.
std::string CheckOf(const std::string& bytes) {
    uint8_t sum = 0;
    for (char c : bytes)
        sum = (uint8_t)(sum + (uint8_t)c);
    char text[3];
    FormatFrameCheck(sum, text);
    return text;
}

// A frame around `body` (start to end mark) with its right check.
std::string Framed(const std::string& body) {
    return body + CheckOf(body) + "\n\r";
}

TEST(Framing, RequestAndDoubledUBytes) {
    std::string body = std::string("VU") + "ocv" + "oUV";
    EXPECT_EQ(Frame(Packet('o', 'c', 'v')), Framed(body));
    // The bytes add up to 0x30D; the two's complement of 0x0D is 0xF3.
    EXPECT_EQ(CheckOf(body), "F3");
    // A data 'U' goes out doubled and counts twice in the check.
    EXPECT_EQ(Frame(Packet('c', 'o', 'w', "aUb")), Framed("VUcowaUUbcUV"));
    EXPECT_EQ(Frame(Packet('U', 'U', 'U', std::string(255, 'U'))).size(), (size_t)kMaxFrameSize);
}

// Each packet taken comes out as it went in; a frame dropped leaves the next one whole.
TEST(Receiver, FramesTakenAndDropped) {
    const LinkPacket version = Answer('w', "03.0794VK"), ack = Answer('e'),
                     doubled = Packet('c', 'U', 'U', "aUb"),
                     longest = Answer('c', std::string(255, 'U'));
    const std::string good = Frame(version), next = Frame(ack);
    ASSERT_NE(good.substr(good.size() - 4, 2).find_first_of("ABCDEF"), std::string::npos);
    std::string lower = good, wrong = good;
    for (size_t i = good.size() - 4; i < good.size() - 2; ++i)
        lower[i] = (char)std::tolower(lower[i]);
    wrong[good.size() - 3] = wrong[good.size() - 3] == '0' ? '1' : '0';
    auto body = [](size_t bytes) { return Framed("VUcow" + std::string(bytes, 'd') + "cUV"); };
    const std::tuple<const char*, std::string, std::vector<LinkPacket>> cases[] = {
        {"doubled U in the header and the data", Frame(doubled), {doubled}},
        {"'V' 'V' 'U' restarts", "VV" + good.substr(1), {version}},
        {"noise between frames",
         "xyz\n\rVq" + next + std::string("\x00\xffV", 3) + good,
         {ack, version}},
        {"255 data bytes", Frame(longest), {longest}},
        {"right check, wrong trailer code", Framed("VUcowdataxUV") + next, {ack}},
        {"lower-case check digits", lower + next, {ack}},
        {"wrong check", wrong + next, {ack}},
        {"'U' followed by another byte", Framed("VUcowaUxcUV") + next, {ack}},
        {"256 data bytes", body(256) + next, {ack}},
        {"294 data bytes, the body's limit", body(294) + next, {ack}},
        {"body full at the end mark", body(295) + next, {ack}},
        {"body overflow", body(400) + next, {ack}},
        {"three stored bytes", Framed("VUcUV") + next, {ack}},
    };
    // Called until it finds nothing more, as the poll timer would over time.
    for (const auto& [what, bytes, packets] : cases) {
        PacketReceiver receiver;
        BufferSource line;
        line.Add(bytes);
        std::string got, expected;
        for (LinkPacket p; ReceivePacket(receiver, line.source, p);)
            got += Frame(p);
        for (const LinkPacket& p : packets)
            expected += Frame(p);
        EXPECT_EQ(got, expected) << what;
    }
}

// A frame in pieces gives what it gives whole: the receiver's fuzzer checks that.
TEST(Receiver, TwoFramesInOneBurstAndACutFrame) {
    PacketReceiver receiver;
    LinkPacket p;
    std::string first = Frame(Answer('w', "03.0794VK"));
    BufferSource burst;
    burst.Add(first + Frame(Answer('e')));
    ASSERT_TRUE(ReceivePacket(receiver, burst.source, p));
    EXPECT_EQ(p.OR, 'w');
    // Reading stopped at the check: the line end and the second frame wait for the next call.
    EXPECT_EQ(burst.pos, first.size() - 2);
    ASSERT_TRUE(ReceivePacket(receiver, burst.source, p));
    EXPECT_EQ(p.OR, 'e');
    EXPECT_FALSE(ReceivePacket(receiver, burst.source, p));

    // A frame cut short would swallow the start of the next one, unless the receiver is reset.
    burst.Add(first.substr(0, 8));
    EXPECT_FALSE(ReceivePacket(receiver, burst.source, p));
    receiver.Reset();
    burst.Add(first);
    EXPECT_TRUE(ReceivePacket(receiver, burst.source, p));
}

// The monitor: letters, length, data up to the length, 250 characters or a zero byte.
TEST(MonitorFields, LettersLengthAndData) {
    LinkPacket cut = Answer('w', "a\x01"
                                 "bcdef");
    cut.LA = 3;
    const std::pair<LinkPacket, std::string> cases[] = {
        {Packet('o', 'c', 'v'), "o|c|v|0|"},
        {cut, "c|o|w|3|a\x01"
              "b"},
        {Answer('c', std::string("03.0\0"
                                 "94VK",
                                 9)),
         "c|o|c|9|03.0"},
        {Answer('c', std::string(255, 'U')), "c|o|c|255|" + std::string(250, 'U')},
    };
    for (const auto& [packet, shown] : cases) {
        MonitorFields f = FormatMonitorFields(packet);
        EXPECT_EQ(std::string(f.CD) + "|" + f.CO + "|" + f.OR + "|" + f.LA + "|" + f.data, shown);
    }
}

} // namespace

// The port a setting or the user names: its name, its device, and the typed numbers refused.
TEST(PortNumber, NamesAndTypedNumbers) {
    const struct {
        const char* typed;
        uint32_t port;
        unsigned refusal;
        const char *name, *device;
    } cases[] = {
        {"1", 1, 0, "COM1", "\\\\.\\COM1"},
        {" COM12 ", 12, 0, "COM12", "\\\\.\\COM12"},
        {"com255", 255, 0, "COM255", "\\\\.\\COM255"},
        {"0", 0, str::TypedPortOutOfRange, "COM0", "\\\\.\\COM0"},
        {"256", 0, str::TypedPortOutOfRange, "COM256", "\\\\.\\COM256"},
        {"99999999999999999999", 0, str::TypedPortOutOfRange, nullptr, nullptr},
        {"", 0, str::TypedPortNotNumber, nullptr, nullptr},
        {"COM", 0, str::TypedPortNotNumber, nullptr, nullptr},
        {"-3", 0, str::TypedPortNotNumber, nullptr, nullptr},
        {"12a", 0, str::TypedPortNotNumber, nullptr, nullptr},
        {"1 2", 0, str::TypedPortNotNumber, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TypedPort typed = ParseTypedPort(c.typed);
        EXPECT_EQ(typed.port, c.port);
        EXPECT_EQ(typed.refusal, c.refusal);
        if (!c.name) continue;
        uint32_t number = c.refusal ? (uint32_t)std::atoi(c.typed) : c.port;
        char name[16], device[16];
        FormatPortName(number, name, sizeof name);
        FormatPortDevice(number, device, sizeof device);
        EXPECT_EQ(std::string(name) + " " + device, std::string(c.name) + " " + c.device);
    }
    // The settings' signed byte: 200 is stored as -56, 256 truncates to the invalid 0.
    EXPECT_EQ(PortOfSetting((int8_t)200), 200u);
    EXPECT_FALSE(IsValidPortNumber(PortOfSetting((int8_t)256)));
}
