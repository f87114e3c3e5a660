// The simulated controller's answers and options, in process.
#include "sim_options.h"

#include "link/wire_encoding.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

namespace {

// The data of the answer to a request of the program, which must come with `letter`.
std::string Ask(SimController& sim, char command, char letter, const std::string& data = "") {
    LinkPacket answer;
    std::string note;
    EXPECT_TRUE(sim.Respond(Packet('o', 'c', command, data), answer, note)) << note;
    EXPECT_EQ(Frame(answer), Frame(Answer(letter, DataOf(answer))));
    return DataOf(answer);
}

// A write stored and read back is the Link scenario's transmit and the simulator options
// fuzzer's; here the faults it can play.
TEST(SimController, RefusedWritesAndMismatchedReadBacks) {
    SimController sim;
    ControllerConfig written = MakeEmptyConfig();
    written.systemNumber = 4321;
    PartTexts texts = EncodeParts(written);
    EXPECT_EQ(Ask(sim, 'h', 'e', texts.part1), "");
    Ask(sim, 'a', 'M', std::string(225, '0'));
    std::string error;
    ASSERT_TRUE(ApplySimOption(sim, "write-answer", "m", error));
    Ask(sim, 'a', 'm', std::string(226, '0'));
    EXPECT_EQ(sim.config.systemNumber, 4321) << "a rejected write stores nothing";

    ASSERT_TRUE(ApplySimOption(sim, "write-answer", "e", error));
    ASSERT_TRUE(ApplySimOption(sim, "mismatch", "part2", error));
    Ask(sim, 'e', 'e', texts.part2);
    EXPECT_NE(Ask(sim, 'f', 'c'), texts.part2);
    EXPECT_EQ(Ask(sim, 'b', 'c'), texts.part1);
}

TEST(SimOptions, RejectsBadValues) {
    SimController sim;
    std::string error;
    EXPECT_FALSE(ApplySimOption(sim, "colour", "red", error));
    EXPECT_EQ(error, "unknown option colour");
    // A version, a mark, a write answer, a mismatch or event codes the simulator could not play
    // are the simulator options fuzzer's.
    std::pair<const char*, std::string> bad[] = {
        {"drop", "-1"}, {"drop", "2x"},       {"events", "7-3"},
        {"short", "x"}, {"hours", "1000000"}, {"config", "/nonexistent/A00001_1.Z94"},
    };
    for (const auto& [name, value] : bad)
        EXPECT_FALSE(ApplySimOption(sim, name, value, error)) << name << " " << value;
    ASSERT_TRUE(ApplySimOption(sim, "events", "16:1,4:12", error));
    EXPECT_FALSE(ApplySimOption(sim, "events", "7:3,8:x", error));
    ASSERT_EQ(sim.events.size(), 2u) << "a rejected list changes nothing";
    EXPECT_EQ(sim.events[1].code, 4);
    EXPECT_FALSE(ApplySimOption(sim, "config", "/dev/zero", error)) << "read to its end";
    EXPECT_TRUE(ApplySimOption(sim, "events", "none", error));
    EXPECT_TRUE(sim.events.empty());
    EXPECT_TRUE(ApplySimOption(sim, "system", "65535", error));
    EXPECT_EQ(sim.config.systemNumber, 65535);
}

TEST(SimOptions, CommandLineInOrderAndStartOnlyOptions) {
    SimController sim;
    SimStartOptions start;
    std::string error;
    const char* argv[] = {"zrt94sim", "--system=345", "--empty", "--cabin", "2", "--link", "/l"};
    EXPECT_EQ(ParseSimArguments(7, const_cast<char**>(argv), sim, start, error), SimArguments::Run)
        << error;
    EXPECT_EQ(sim.config.systemNumber, 1) << "--empty comes later and takes no value";
    EXPECT_EQ(sim.config.cabinNumber, 2);
    EXPECT_EQ(start.link, "/l");
    EXPECT_FALSE(ApplySimOption(sim, "link", "/l", error)) << "the control file cannot move it";
}

} // namespace
