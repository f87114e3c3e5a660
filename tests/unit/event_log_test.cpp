// Reading and clearing the controller's event log.
#include "events/event_log.h"

#include "app/cp1252.h"
#include "conversation_fake_host.h"

#include <gtest/gtest.h>

namespace {

struct EventLogTest : ::testing::Test {
    std::vector<LinkPacket> sent;
    std::vector<std::string> timer;
    EventHost host{};
    EventLog log;

    void SetUp() override {
        host.context = this;
        host.sendPacket = [](void* c, const LinkPacket& p) {
            static_cast<EventLogTest*>(c)->sent.push_back(p);
            return true;
        };
        host.startAnswerTimer = [](void* c, unsigned ms) {
            static_cast<EventLogTest*>(c)->timer.push_back("start " + std::to_string(ms));
        };
        host.stopAnswerTimer = [](void* c) {
            static_cast<EventLogTest*>(c)->timer.push_back("stop");
        };
    }
    StepResult Give(const LinkPacket& p) { return EventStep(log, host, p); }
    std::string Letters() const {
        std::string s;
        for (auto& p : sent)
            s += (char)p.OR;
        return s;
    }
    // Identity of the controller as its part 1 carries it.
    LinkPacket Identity(unsigned system, int function, int cabin) {
        ControllerConfig c = MakeEmptyConfig();
        c.systemNumber = (uint16_t)system;
        c.controllerFunction = (uint8_t)function;
        c.cabinNumber = (uint8_t)cabin;
        return Part1Answer(c);
    }
    void RefreshUpToEvents(const std::string& version) {
        StartRefresh(log, host);
        Give(VersionAnswer(version));
        if (log.eventState == AwaitCounters) Give(Answer('G', "000010000020"));
        Give(Identity(1, 2, 1));
    }
};

std::string Records(const std::string& records) {
    return records + std::string(kEventsAnswerLength - records.size(), '0');
}

TEST_F(EventLogTest, RefreshFromACurrentController) {
    StartRefresh(log, host);
    EXPECT_EQ(log.eventState, AwaitVersion);
    EXPECT_EQ(Give(VersionAnswer("03.07")), StepContinue);
    EXPECT_EQ(log.eventState, AwaitCounters);
    EXPECT_EQ(Give(Answer('G', "001234056789")), StepContinue);
    EXPECT_EQ(log.runningHours, 1234u);
    EXPECT_EQ(log.operationCount, 56789u);
    EXPECT_EQ(log.eventState, AwaitIdentity);
    EXPECT_EQ(Give(Identity(123, 1, 2)), StepContinue);
    EXPECT_EQ(log.controllerSystem, 123);
    EXPECT_EQ(log.controllerCabin, 2);
    EXPECT_EQ(log.eventState, AwaitEvents);
    EXPECT_EQ(Give(Answer('C', Records("07030412"))), StepFinished);
    EXPECT_EQ(log.eventState, EventIdle);
    ASSERT_EQ(log.eventCount, 2u);
    EXPECT_EQ(log.events[0].code, 7);
    EXPECT_EQ(log.events[0].stop, 3);
    EXPECT_EQ(log.events[1].code, 4);
    EXPECT_EQ(log.events[1].stop, 12);

    EXPECT_EQ(Letters(), "vgbc");
    for (const LinkPacket& p : sent) {
        EXPECT_EQ(p.CD, 'o');
        EXPECT_EQ(p.CO, 'c');
        EXPECT_EQ(p.LA, 0);
    }
    // One period for the whole refresh, never restarted.
    EXPECT_EQ(timer, (std::vector<std::string>{"start 3000", "stop"}));
}

TEST_F(EventLogTest, OlderControllerRefreshesInThreeExchangesAndKeepsTheCounters) {
    log.runningHours = 77;
    log.operationCount = 88;
    StartRefresh(log, host);
    Give(VersionAnswer("02.40"));
    Give(Identity(9, 0, 0));
    EXPECT_EQ(log.controllerCabin, 0) << "a hall-call controller's 'E'";
    EXPECT_EQ(Give(Answer('C', Records("1601"))), StepFinished);
    EXPECT_EQ(Letters(), "vbc");
    EXPECT_EQ(log.runningHours, 77u);
    EXPECT_EQ(log.operationCount, 88u);
    EXPECT_EQ(log.eventCount, 1u);
}

TEST_F(EventLogTest, RecordsEndAtTheFirstZeroCodeOrAfterFifty) {
    std::string full;
    for (int i = 0; i < kMaxEvents; ++i) {
        char record[5];
        std::snprintf(record, sizeof record, "%02d%02d", 1 + i % 17, i % 24 + 1);
        full += record;
    }
    RefreshUpToEvents("03.07");
    Give(Answer('C', full));
    ASSERT_EQ(log.eventCount, 50u);
    EXPECT_EQ(log.events[49].code, 1 + 49 % 17);
    EXPECT_EQ(log.events[49].stop, 49 % 24 + 1);

    RefreshUpToEvents("03.07");
    Give(Answer('C', "0003" + full.substr(4)));
    EXPECT_EQ(log.eventCount, 0u);

    RefreshUpToEvents("03.07");
    Give(Answer('C', full.substr(0, 12) + "0005" + full.substr(16)));
    EXPECT_EQ(log.eventCount, 3u);
}

TEST_F(EventLogTest, ClearEmptiesTheTableAndKeepsTheRest) {
    RefreshUpToEvents("03.07");
    Give(Answer('C', Records("0703")));
    sent.clear();
    timer.clear();
    StartClear(log, host);
    EXPECT_EQ(Letters(), "d");
    EXPECT_EQ(log.eventState, AwaitClear);
    EXPECT_EQ(Give(Answer('D')), StepFinished);
    EXPECT_EQ(log.eventCount, 0u);
    EXPECT_EQ(log.controllerSystem, 1);
    EXPECT_EQ(log.runningHours, 10u);
    EXPECT_EQ(timer, (std::vector<std::string>{"start 1000", "stop"}));
}

TEST_F(EventLogTest, TaggedFailures) {
    struct Case {
        std::string version; // "" for a clear
        std::vector<LinkPacket> before;
        LinkPacket answer;
        std::string text;
    } cases[] = {
        {"x", {}, Answer('v', "03.0794VK"), W1252("V- Error en la verificación del controlador.")},
        {"x", {}, VersionAnswer("03.07", "94VL"), "V- El controlador no es un ZRT94VK."},
        {"x",
         {VersionAnswer()},
         Answer('g', "000000000000"),
         W1252("C- Error en la verificación del controlador.")},
        {"x", {VersionAnswer()}, Answer('G', "00000000000"), W1252("C- Largo de paquete erróneo.")},
        {"x",
         {VersionAnswer(), Answer('G', "000000000000")},
         Answer('C', std::string(226, '0')),
         W1252("C- Código de respuesta erróneo.")},
        {"x",
         {VersionAnswer("02.00")},
         Answer('c', std::string(200, '0')),
         W1252("C- Largo de paquete erróneo.")},
        {"x",
         {VersionAnswer("02.00"), Identity(1, 2, 1)},
         Answer('c', std::string(200, '0')),
         W1252("U- Código de respuesta erróneo.")},
        {"x",
         {VersionAnswer("02.00"), Identity(1, 2, 1)},
         Answer('C', std::string(199, '0')),
         W1252("U- Largo de paquete erróneo.")},
        {"", {}, Answer('d'), W1252("B- Código de respuesta erróneo.")},
        {"", {}, Answer('D', "0"), W1252("B- Largo de paquete erróneo.")},
        {"x",
         {},
         Packet('c', 'c', 'w', "03.0794VK"),
         W1252("Error en los códigos de comunicacion.")},
    };
    for (const Case& c : cases) {
        if (c.version.empty())
            StartClear(log, host);
        else
            StartRefresh(log, host);
        for (const LinkPacket& p : c.before)
            ASSERT_EQ(Give(p), StepContinue) << c.text;
        timer.clear();
        EXPECT_EQ(Give(c.answer), StepFailed);
        EXPECT_EQ(std::string(log.eventStatusText), c.text);
        EXPECT_EQ(log.eventState, EventIdle);
        EXPECT_EQ(timer, std::vector<std::string>{"stop"});
    }
}

TEST_F(EventLogTest, AnswerWhileIdleIsASequenceError) {
    EXPECT_EQ(Give(VersionAnswer()), StepFailed);
    EXPECT_STREQ(log.eventStatusText, "Error de secuencia.");

    // An answer that comes after its time-out was reported.
    StartRefresh(log, host);
    EventTimeout(log);
    EXPECT_EQ(log.eventState, EventIdle);
    EXPECT_EQ(Give(VersionAnswer()), StepFailed);
    EXPECT_STREQ(log.eventStatusText, "Error de secuencia.");
    EXPECT_EQ(Letters(), "v");
}

TEST(EventTexts, MnemonicsAndTexts) {
    char mnemonic[256], text[256];
    EventMnemonic(4, mnemonic, sizeof mnemonic);
    EventText(4, text, sizeof text);
    EXPECT_STREQ(mnemonic, "NC");
    EXPECT_STREQ(text, "La puerta no cierra luego del segundo intento.");
    EventMnemonic(8, mnemonic, sizeof mnemonic);
    EventText(8, text, sizeof text);
    EXPECT_STREQ(mnemonic, "AT");
    EXPECT_STREQ(text, W1252("El sensor PTC señala alta temperatura del motor."));
    EventMnemonic(17, mnemonic, sizeof mnemonic);
    EXPECT_STREQ(mnemonic, "CC");
    EventMnemonic(0, mnemonic, sizeof mnemonic);
    EventText(0, text, sizeof text);
    EXPECT_STREQ(mnemonic, "00");
    EXPECT_STREQ(text, " ");

    EventMnemonic(10, mnemonic, sizeof mnemonic);
    EventText(10, text, sizeof text);
    EXPECT_STREQ(mnemonic, "--");
    EXPECT_STREQ(text, "Error: Cadena 30410 no encontrada en el recurso");
    EventText(18, text, sizeof text);
    EXPECT_STREQ(text, "Error: Cadena 30418 no encontrada en el recurso");
    // The numbers past the table belong to the day and month names; a code there must not
    // borrow them.
    EventMnemonic(64, mnemonic, sizeof mnemonic);
    EventText(96, text, sizeof text);
    EXPECT_STREQ(mnemonic, "Error: Cadena 30496 no encontrada en el recurso");
    EXPECT_STREQ(text, "Error: Cadena 30496 no encontrada en el recurso");
}

} // namespace
