// Frames on the wire and the receiver that assembles them.
#include "link_test_support.h"

#include <gtest/gtest.h>

#include <random>

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

// Everything the receiver makes of `bytes`, calling it until it finds nothing more, as the poll
// timer would over time.
std::vector<LinkPacket> ReceiveAll(const std::string& bytes) {
    PacketReceiver receiver;
    BufferSource line;
    line.Add(bytes);
    std::vector<LinkPacket> packets;
    for (LinkPacket p; ReceivePacket(receiver, line.source, p);)
        packets.push_back(p);
    return packets;
}

TEST(Framing, RequestAndDoubledUBytes) {
    std::string body = std::string("VU") + "ocv" + "oUV";
    EXPECT_EQ(Frame(Packet('o', 'c', 'v')), Framed(body));
    // The bytes add up to 0x30D; the two's complement of 0x0D is 0xF3.
    EXPECT_EQ(CheckOf(body), "F3");
    // A data 'U' goes out doubled and counts twice in the check.
    EXPECT_EQ(Frame(Packet('c', 'o', 'w', "aUb")), Framed("VUcowaUUbcUV"));
    EXPECT_EQ(Frame(Packet('U', 'U', 'U', std::string(255, 'U'))).size(), (size_t)kMaxFrameSize);
    EXPECT_EQ(kMaxFrameSize, 525);
}

TEST(Receiver, AcceptedFrames) {
    std::string version = Frame(Answer('w', "03.0794VK"));
    struct Case {
        const char* what;
        std::string bytes;
        std::string letters;
    } cases[] = {
        {"doubled U", Frame(Answer('w', "aUb")), "w"},
        {"'V' 'V' 'U' restarts", "VV" + version.substr(1), "w"},
        {"noise between frames",
         "xyz\n\rVq" + Frame(Answer('e')) + std::string("\x00\xffV", 3) + version, "ew"},
        {"255 data bytes", Frame(Answer('c', std::string(255, 'U'))), "c"},
    };
    for (const Case& c : cases) {
        std::vector<LinkPacket> got = ReceiveAll(c.bytes);
        std::string letters;
        for (const LinkPacket& p : got)
            letters += (char)p.OR;
        EXPECT_EQ(letters, c.letters) << c.what;
    }
    EXPECT_EQ(DataOf(ReceiveAll(Frame(Answer('w', "aUb")))[0]), "aUb");
    EXPECT_EQ(DataOf(ReceiveAll(Frame(Answer('c', std::string(255, 'U'))))[0]),
              std::string(255, 'U'));
}

// Each of these frames is dropped, and the whole frame after it is read.
TEST(Receiver, DroppedFrames) {
    std::string version = Frame(Answer('w', "03.0794VK"));
    std::string check = version.substr(version.size() - 4, 2);
    ASSERT_NE(check.find_first_of("ABCDEF"), std::string::npos) << check;
    std::string lower = version, wrong = version;
    for (size_t i = version.size() - 4; i < version.size() - 2; ++i)
        lower[i] = (char)std::tolower(lower[i]);
    wrong[version.size() - 3] = wrong[version.size() - 3] == '0' ? '1' : '0';
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"right check, wrong trailer code", Framed("VUcowdataxUV")},
        {"lower-case check digits", lower},
        {"wrong check", wrong},
        {"'U' followed by another byte", Framed("VUcowaUxcUV")},
        {"256 data bytes", Framed("VUcow" + std::string(256, 'd') + "cUV")},
        {"294 data bytes, the body's limit", Framed("VUcow" + std::string(294, 'd') + "cUV")},
        {"body full at the end mark", Framed("VUcow" + std::string(295, 'd') + "cUV")},
        {"body overflow", Framed("VUcow" + std::string(400, 'd') + "cUV")},
        {"three stored bytes", Framed("VUcUV")},
    };
    for (const Case& c : cases) {
        std::vector<LinkPacket> got = ReceiveAll(c.bytes + Frame(Answer('e')));
        ASSERT_EQ(got.size(), 1u) << c.what;
        EXPECT_EQ(got[0].OR, 'e') << c.what;
    }
}

TEST(Receiver, FrameInPiecesAndTwoFramesInOneBurst) {
    std::string frame = Frame(Answer('c', std::string(226, '7')));
    PacketReceiver receiver;
    BufferSource line;
    LinkPacket p;
    for (size_t i = 0; i < frame.size(); i += 17) {
        line.Add(frame.substr(i, 17));
        EXPECT_EQ(ReceivePacket(receiver, line.source, p), i + 17 >= frame.size()) << i;
    }
    EXPECT_EQ(p.LA, 226);

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

TEST(Receiver, RandomPacketsSurviveTheRoundTrip) {
    std::mt19937 random(1234);
    PacketReceiver receiver;
    BufferSource line;
    for (int n = 0; n < 500; ++n) {
        LinkPacket sent{};
        sent.CD = random() % 2 ? 'c' : 'o';
        sent.CO = (uint8_t)random();
        sent.OR = (uint8_t)(random() % 4 == 0 ? 'U' : random());
        sent.LA = (uint8_t)random();
        for (int i = 0; i < sent.LA; ++i)
            sent.data[i] = (uint8_t)(random() % 3 == 0 ? 'U' : random());
        line.Add(Frame(sent));
        LinkPacket got;
        ASSERT_TRUE(ReceivePacket(receiver, line.source, got)) << n;
        EXPECT_EQ(Frame(got), Frame(sent)) << n;
    }
}

} // namespace
