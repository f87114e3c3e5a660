// A bad line in one start: garbage, every answer twice, answers meant for another request,
// answers after the time-out and the port vanishing mid-exchange. Each fault ends in its
// message, the program goes on working, and the document stays as it was.
#include "sim_control.h"
#include "steps.h"

namespace {

using namespace e2e;

struct Fault {
    const char* what;
    const char* control; // simulator options for the fault; Reset() clears them after it
    int command;
    const char* caption;
    std::string text;
};

const char* const kSilent = "El controlador no contesta.";

const Fault kFaults[] = {
    {"a burst of garbage instead of the answer", "noise 600\ndrop 1\n", CMD_RECEIVE_VERSION,
     kDefaultCaption, kSilent},
    {"a burst of garbage before each answer", "noise 300\n", CMD_TRANSMIT_CONFIG, kConfigurator,
     kConfigured},
    // The second version answer comes while the identity is awaited.
    {"every answer twice", "twice 1000\n", CMD_TRANSMIT_CONFIG, kDefaultCaption,
     W1252("T2 - Código de respuesta erróneo. ")},
    // Part 1 is answered with the version.
    {"answers meant for another request", "stale 1000\n", CMD_RECEIVE_CONFIG, kDefaultCaption,
     W1252("R1 - Código de respuesta erróneo en la recepción de la configuración.")},
    {"answers after the time-out", "delay 2500\n", CMD_TRANSMIT_CONFIG, kDefaultCaption, kSilent},
};

TEST(LineFaults, EachEndsInItsMessage) {
    if (!sim::Available()) GTEST_SKIP() << "needs the controller simulator (scripts/test.sh)";
    ASSERT_TRUE(sim::Reset());
    App app;
    ASSERT_TRUE(LaunchWith(app, Identity(1, 1)));
    const std::string version = W1252("El controlador es un ZR94VK con programa versión 3.7");
    auto expectUntouched = [&](const char* after) {
        EXPECT_EQ(app.Title(), Title(1)) << after;
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << after << " marked the document modified";
    };

    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(fault.what);
        ASSERT_TRUE(sim::Control(fault.control));
        RunToEnd(app, fault.command, fault.caption, fault.text);
        ASSERT_TRUE(sim::Reset());
        expectUntouched(fault.what);
        // Whatever the fault left on the line, the next exchange reads only its own answer.
        RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, version);
    }

    // The port vanishes while the controller is still to answer: the program reports a silent
    // controller, and goes on doing so on the dead port.
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    size_t mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(sim::Control("hang-up\n"));
    ExpectEnd(app, kDefaultCaption, kSilent);
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, kSilent);
    expectUntouched("the vanished port");
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
    ASSERT_TRUE(sim::Reset());
}

} // namespace
