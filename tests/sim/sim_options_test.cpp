// The simulated controller's answers and options, in process.
#include "sim_options.h"

#include "link/wire_encoding.h"
#include "link_test_support.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

LinkPacket Request(char command, const std::string& data = "") {
    return Packet('o', 'c', command, data);
}

std::string Ask(SimController& sim, const LinkPacket& request, char expectedLetter) {
    LinkPacket answer;
    std::string note;
    EXPECT_TRUE(sim.Respond(request, answer, note)) << note;
    EXPECT_EQ(answer.CD, 'c');
    EXPECT_EQ(answer.CO, 'o');
    EXPECT_EQ(answer.OR, expectedLetter);
    return DataOf(answer);
}

bool Silent(SimController& sim, const LinkPacket& request) {
    LinkPacket answer;
    std::string note;
    return !sim.Respond(request, answer, note) && !note.empty();
}

TEST(SimController, PartTwoAndCountersOnlyFromVersionThree) {
    SimController sim;
    sim.hours = 1234;
    sim.operations = 56;
    EXPECT_EQ(Ask(sim, Request('g'), 'G'), "001234000056");
    EXPECT_EQ(Ask(sim, Request('f'), 'c').size(), (size_t)kPart2Length);
    sim.version = "02.99";
    EXPECT_TRUE(Silent(sim, Request('g')));
    EXPECT_TRUE(Silent(sim, Request('f')));
    EXPECT_EQ(Ask(sim, Request('b'), 'c').size(), (size_t)kPart1Length);
}

TEST(SimController, WritesAreStoredAndReadBack) {
    SimController sim;
    ControllerConfig written = MakeEmptyConfig();
    written.systemNumber = 4321;
    written.carSpeed = 175;
    PartTexts texts = EncodeParts(written);
    EXPECT_EQ(Ask(sim, Request('h', texts.part1), 'e'), "");
    EXPECT_EQ(Ask(sim, Request('e', texts.part2), 'e'), "");
    EXPECT_EQ(Ask(sim, Request('b'), 'c'), texts.part1);
    EXPECT_EQ(Ask(sim, Request('f'), 'c'), texts.part2);
    EXPECT_EQ(sim.config.systemNumber, 4321);

    EXPECT_EQ(Ask(sim, Request('a', std::string(225, '0')), 'M'), "");
    std::string error;
    ASSERT_TRUE(ApplySimOption(sim, "write-answer", "m", error));
    EXPECT_EQ(Ask(sim, Request('a', std::string(226, '0')), 'm'), "");
    EXPECT_EQ(sim.config.systemNumber, 4321) << "a rejected write stores nothing";

    ASSERT_TRUE(ApplySimOption(sim, "write-answer", "e", error));
    ASSERT_TRUE(ApplySimOption(sim, "mismatch", "part2", error));
    Ask(sim, Request('e', texts.part2), 'e');
    EXPECT_NE(Ask(sim, Request('f'), 'c'), texts.part2);
    EXPECT_EQ(Ask(sim, Request('b'), 'c'), texts.part1);
}

// The program's event-log steps against the simulated controller, answer by answer.
TEST(SimController, EventLogRefreshAndClear) {
    SimController sim;
    std::string error;
    ASSERT_TRUE(ApplySimOption(sim, "events", "7:3,4:12", error));
    sim.hours = 1234;
    sim.operations = 56789;
    sim.config.systemNumber = 123;
    sim.config.cabinNumber = 2;
    struct Line {
        SimController* sim;
        std::deque<LinkPacket> answers;
    } line{&sim, {}};
    ExchangeHost host{.context = &line,
                      .sendPacket =
                          [](void* c, const LinkPacket& request) {
                              auto* l = static_cast<Line*>(c);
                              LinkPacket answer;
                              std::string note;
                              if (l->sim->Respond(request, answer, note))
                                  l->answers.push_back(answer);
                              return true;
                          },
                      .receivePacket = [](void*, LinkPacket*) { return false; },
                      .startAnswerTimer = [](void*, unsigned) {},
                      .stopAnswerTimer = [](void*) {},
                      .discardInput = [](void*) {}};
    EventLog log;
    auto run = [&] {
        StepResult r = StepFailed;
        while (!line.answers.empty()) {
            LinkPacket answer = line.answers.front();
            line.answers.pop_front();
            if ((r = EventStep(log, host, answer)) != StepContinue) break;
        }
        return r;
    };
    StartRefresh(log, host);
    ASSERT_EQ(run(), StepFinished) << log.exchange.statusText;
    EXPECT_EQ(log.runningHours, 1234u);
    EXPECT_EQ(log.operationCount, 56789u);
    EXPECT_EQ(log.controllerSystem, 123);
    EXPECT_EQ(log.controllerCabin, 2);
    ASSERT_EQ(log.eventCount, 2u);
    EXPECT_EQ(log.events[1].code, 4);
    EXPECT_EQ(log.events[1].stop, 12);

    StartClear(log, host);
    ASSERT_EQ(run(), StepFinished);
    StartRefresh(log, host);
    ASSERT_EQ(run(), StepFinished);
    EXPECT_EQ(log.eventCount, 0u);
}

TEST(SimOptions, RejectsBadValues) {
    SimController sim;
    std::string error;
    EXPECT_FALSE(ApplySimOption(sim, "colour", "red", error));
    EXPECT_EQ(error, "unknown option colour");
    EXPECT_FALSE(ApplySimOption(sim, "drop", "-1", error));
    EXPECT_FALSE(ApplySimOption(sim, "drop", "2x", error));
    EXPECT_FALSE(ApplySimOption(sim, "write-answer", "x", error));
    EXPECT_FALSE(ApplySimOption(sim, "mismatch", "part3", error));
    EXPECT_FALSE(ApplySimOption(sim, "events", "0:3", error));
    EXPECT_FALSE(ApplySimOption(sim, "events", "7-3", error));
    ASSERT_TRUE(ApplySimOption(sim, "events", "16:1,4:12", error));
    EXPECT_FALSE(ApplySimOption(sim, "events", "7:3,8:x", error));
    ASSERT_EQ(sim.events.size(), 2u) << "a rejected list changes nothing";
    EXPECT_EQ(sim.events[1].code, 4);
    EXPECT_FALSE(ApplySimOption(sim, "version", "003.07", error));
    EXPECT_FALSE(ApplySimOption(sim, "config", "/nonexistent/A00001_1.Z94", error));
    EXPECT_FALSE(ApplySimOption(sim, "config", "/dev/zero", error)) << "read to its end";
    EXPECT_FALSE(ApplySimOption(sim, "hours", "1000000", error));
    EXPECT_FALSE(ApplySimOption(sim, "model", std::string(251, 'K'), error));
    EXPECT_FALSE(ApplySimOption(sim, "short", "x", error));
    EXPECT_TRUE(ApplySimOption(sim, "events", "none", error));
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

TEST(SimLog, PacketsAreDescribedWithEscapes) {
    EXPECT_EQ(DescribePacket("RX", Packet('o', 'c', 'v')), "RX CD=o CO=c OR=v LA=0 DATA=\"\"");
    EXPECT_EQ(DescribePacket("TX", Packet('c', 'o', 'w', std::string("a\"\\\x01 b", 6))),
              "TX CD=c CO=o OR=w LA=6 DATA=\"a\\x22\\x5C\\x01 b\"");
    EXPECT_EQ(DescribePacket("TX", Packet('c', 'o', ' ')), "TX CD=c CO=o OR=\\x20 LA=0 DATA=\"\"");
}

} // namespace
