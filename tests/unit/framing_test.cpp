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

struct Received {
    PacketReceiver receiver;
    BufferSource line;
    std::vector<LinkPacket> packets;
    // Calls ReceivePacket until it finds nothing more, as the poll timer would over time.
    void Poll() {
        LinkPacket p;
        while (ReceivePacket(receiver, line.source, p))
            packets.push_back(p);
    }
};

TEST(Framing, VersionRequestBytes) {
    std::string body = std::string("VU") + "ocv" + "oUV";
    EXPECT_EQ(Frame(Packet('o', 'c', 'v')), body + CheckOf(body) + "\n\r");
    // The bytes add up to 0x30D; the two's complement of 0x0D is 0xF3.
    EXPECT_EQ(CheckOf(body), "F3");
}

TEST(Framing, DataUIsDoubledAndCountedTwice) {
    std::string frame = Frame(Packet('c', 'o', 'w', "aUb"));
    std::string body = std::string("VU") + "cow" + "aUUb" + "cUV";
    EXPECT_EQ(frame, body + CheckOf(body) + "\n\r");

    Received r;
    r.line.Add(frame);
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(DataOf(r.packets[0]), "aUb");
    EXPECT_EQ(r.packets[0].LA, 3);
}

TEST(Framing, WorstCaseFrameFillsTheBuffer) {
    LinkPacket p = Packet('U', 'U', 'U', std::string(255, 'U'));
    EXPECT_EQ(Frame(p).size(), (size_t)kMaxFrameSize);
    EXPECT_EQ(kMaxFrameSize, 525);
}

TEST(Receiver, RepeatedStartRestartsTheFrame) {
    Received r;
    r.line.Add("VV" + Frame(Answer('w', "03.0794VK")).substr(1));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(DataOf(r.packets[0]), "03.0794VK");
}

TEST(Receiver, NoiseBetweenFramesIsSkipped) {
    Received r;
    r.line.Add("xyz\n\rVq" + Frame(Answer('e')) + "\x00\xffV" + Frame(Answer('D')));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 2u);
    EXPECT_EQ(r.packets[0].OR, 'e');
    EXPECT_EQ(r.packets[1].OR, 'D');
}

TEST(Receiver, RightCheckButWrongTrailerCodeIsDropped) {
    std::string body = std::string("VU") + "cow" + "data" + "xUV";
    Received r;
    r.line.Add(body + CheckOf(body) + "\n\r");
    r.line.Add(Frame(Answer('e')));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].OR, 'e');
}

TEST(Receiver, CheckDigitsMustBeExactUpperCase) {
    LinkPacket p = Answer('w', "03.0794VK");
    std::string frame = Frame(p);
    std::string check = frame.substr(frame.size() - 4, 2);
    ASSERT_TRUE(check.find_first_of("ABCDEF") != std::string::npos) << check;
    std::string lower = frame;
    for (size_t i = frame.size() - 4; i < frame.size() - 2; ++i)
        lower[i] = (char)std::tolower(lower[i]);
    std::string wrong = frame;
    wrong[frame.size() - 3] = wrong[frame.size() - 3] == '0' ? '1' : '0';

    Received r;
    r.line.Add(lower + wrong + frame);
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(DataOf(r.packets[0]), "03.0794VK");
}

TEST(Receiver, UFollowedByAnotherByteDropsTheFrame) {
    std::string body = std::string("VU") + "cowaUxcUV";
    Received r;
    r.line.Add(body + CheckOf(body) + "\n\r" + Frame(Answer('e')));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].OR, 'e');
}

TEST(Receiver, FrameInPiecesAcrossCalls) {
    std::string frame = Frame(Answer('c', std::string(226, '7')));
    Received r;
    for (size_t i = 0; i < frame.size(); i += 17) {
        r.line.Add(frame.substr(i, 17));
        r.Poll();
        if (i + 17 < frame.size()) {
            EXPECT_TRUE(r.packets.empty());
        }
    }
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].LA, 226);
}

TEST(Receiver, TwoFramesInOneBurstComeFromTwoCalls) {
    std::string first = Frame(Answer('w', "03.0794VK"));
    Received r;
    r.line.Add(first + Frame(Answer('e')));
    LinkPacket p;
    ASSERT_TRUE(ReceivePacket(r.receiver, r.line.source, p));
    EXPECT_EQ(p.OR, 'w');
    // Reading stopped at the check: the line end and the second frame wait for the next call.
    EXPECT_EQ(r.line.pos, first.size() - 2);
    ASSERT_TRUE(ReceivePacket(r.receiver, r.line.source, p));
    EXPECT_EQ(p.OR, 'e');
    EXPECT_FALSE(ReceivePacket(r.receiver, r.line.source, p));
}

TEST(Receiver, LongestPacketsAndTheBodyLimit) {
    Received r;
    r.line.Add(Frame(Answer('c', std::string(255, 'U'))));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(DataOf(r.packets[0]), std::string(255, 'U'));

    // 256 to 294 data bytes fit the 300-byte body but not a packet: dropped.
    for (int length : {256, 294}) {
        std::string body = "VUcow" + std::string(length, 'd') + "cUV";
        r.line.Add(body + CheckOf(body) + "\n\r");
    }
    // 295 and more data bytes overflow the body itself.
    std::string body = "VUcow" + std::string(400, 'd') + "cUV";
    r.line.Add(body + CheckOf(body) + "\n\r");
    r.line.Add(Frame(Answer('e')));
    r.packets.clear();
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].OR, 'e');
}

TEST(Receiver, BodyFullAtTheEndMarkIsDropped) {
    // "cow", 295 bytes, 'c' and 'U' fill the 300-byte body: no room for the end mark.
    std::string body = "VUcow" + std::string(295, 'd') + "cUV";
    Received r;
    r.line.Add(body + CheckOf(body) + "\n\r" + Frame(Answer('e')));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].OR, 'e');
}

TEST(Receiver, TooShortBodyIsDropped) {
    std::string body = "VUcUV"; // three stored bytes
    Received r;
    r.line.Add(body + CheckOf(body) + "\n\r" + Frame(Answer('e')));
    r.Poll();
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_EQ(r.packets[0].OR, 'e');
}

TEST(Receiver, RandomPacketsSurviveTheRoundTrip) {
    std::mt19937 random(1234);
    Received r;
    for (int n = 0; n < 500; ++n) {
        LinkPacket sent{};
        sent.CD = random() % 2 ? 'c' : 'o';
        sent.CO = (uint8_t)random();
        sent.OR = (uint8_t)(random() % 4 == 0 ? 'U' : random());
        sent.LA = (uint8_t)random();
        for (int i = 0; i < sent.LA; ++i)
            sent.data[i] = (uint8_t)(random() % 3 == 0 ? 'U' : random());
        r.line.Add(Frame(sent));
        LinkPacket got;
        ASSERT_TRUE(ReceivePacket(r.receiver, r.line.source, got)) << n;
        EXPECT_EQ(got.CD, sent.CD);
        EXPECT_EQ(got.CO, sent.CO);
        EXPECT_EQ(got.OR, sent.OR);
        ASSERT_EQ(got.LA, sent.LA);
        EXPECT_EQ(std::memcmp(got.data, sent.data, sent.LA), 0) << n;
    }
}

} // namespace
