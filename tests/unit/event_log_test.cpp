// Reading and clearing the controller's event log, and the texts shown and printed of it. Whole
// refreshes of a 3.x and a 2.x controller, their counters and their time limit are the Events
// scenario's (tests/e2e/events_test.cpp).
#include "events/event_log.h"
#include "events/event_log_texts.h"

#include "base/cp1252.h"
#include "conversation_fake_host.h"

#include <gtest/gtest.h>

namespace {

struct EventLogTest : ::testing::Test {
    FakeConversationHost fake;
    const ExchangeHost& host = fake.host.exchange;
    EventLog log;

    StepResult Give(const LinkPacket& p) { return EventStep(log, host, p); }
    void RefreshUpToEvents(const std::string& version) {
        StartRefresh(log, host);
        Give(VersionAnswer(version));
        if (log.eventState == AwaitCounters) Give(Answer('G', "000010000020"));
        Give(Part1Answer(MakeEmptyConfig()));
    }
};

std::string Records(const std::string& records) {
    return records + std::string(kEventsAnswerLength - records.size(), '0');
}

// A full log of fifty is the Events scenario's and the event log fuzzer's.
TEST_F(EventLogTest, RecordsEndAtTheFirstZeroCode) {
    RefreshUpToEvents("03.07");
    Give(Answer('C', Records("0703"
                             "1712"
                             "0124"
                             "0005"
                             "0404")));
    EXPECT_EQ(log.eventCount, 3u);
    const int read[][2] = {{7, 3}, {17, 12}, {1, 24}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(log.events[i].code == read[i][0] && log.events[i].stop == read[i][1]) << i;
    EXPECT_TRUE(log.countersRead && log.runningHours == 10 && log.operationCount == 20);
}

// The request, the emptied table and what the dialog keeps showing are the Events scenario's.
TEST_F(EventLogTest, ClearWaitsASecondOnAnEmptiedLine) {
    RefreshUpToEvents("03.07");
    Give(Answer('C', Records("0703")));
    fake.timer.clear();
    StartClear(log, host);
    EXPECT_EQ(Give(Answer('D')), StepFinished);
    EXPECT_EQ(fake.timer, (std::vector<std::string>{"start 1000", "stop"}));
    EXPECT_EQ(fake.discards, 2) << "a refresh and a clear start with the line emptied";
}

// That each ending leaves the timer stopped and the log idle is the event log fuzzer's.
TEST_F(EventLogTest, TaggedFailures) {
    // What comes before the faulty answer: '3' a version 3 answer, 'G' the counters, '2' a
    // version 2 answer, 'b' the identity. "d" is a clear instead of a refresh.
    const std::tuple<const char*, LinkPacket, std::string> cases[] = {
        {"", Answer('v', "03.0794VK"), W1252("V- Error en la verificación del controlador.")},
        {"", VersionAnswer("03.07", "94VL"), "V- El controlador no es un ZRT94VK."},
        {"3", Answer('g', "000000000000"), W1252("C- Error en la verificación del controlador.")},
        {"3G", Answer('C', std::string(226, '0')), W1252("C- Código de respuesta erróneo.")},
        {"2", Answer('c', std::string(200, '0')), W1252("C- Largo de paquete erróneo.")},
        {"2b", Answer('c', std::string(200, '0')), W1252("U- Código de respuesta erróneo.")},
        {"d", Answer('d'), W1252("B- Código de respuesta erróneo.")},
        {"", Packet('c', 'c', 'w', "03.0794VK"), W1252("Error en los códigos de comunicacion.")},
    };
    for (const auto& [before, answer, text] : cases) {
        if (before[0] == 'd')
            StartClear(log, host);
        else
            StartRefresh(log, host);
        for (const char* b = before; *b && *b != 'd'; ++b) {
            LinkPacket p = *b == '3'   ? VersionAnswer()
                           : *b == '2' ? VersionAnswer("02.00")
                           : *b == 'G' ? Answer('G', "000000000000")
                                       : Part1Answer(MakeEmptyConfig());
            ASSERT_EQ(Give(p), StepContinue) << text;
        }
        EXPECT_EQ(Give(answer), StepFailed);
        EXPECT_EQ(std::string(log.exchange.statusText), text);
    }
}

TEST(EventTexts, MnemonicsAndTexts) {
    const std::string missing = "Error: Cadena 304";
    const std::tuple<int, std::string, std::string> cases[] = {
        // "": not compared
        {8, "AT", W1252("El sensor PTC señala alta temperatura del motor.")},
        {0, "00", " "},
        {10, "--", missing + "10 no encontrada en el recurso"},
        {17, "", W1252("Cambio de configuración del controlador.")}, // the last with a text
        {18, "", missing + "18 no encontrada en el recurso"},
        // The numbers past the table belong to the day and month names; a code there must not
        // borrow them.
        {64, missing + "96 no encontrada en el recurso", ""},
        {96, "", missing + "96 no encontrada en el recurso"},
    };
    for (const auto& [code, mnemonic, text] : cases) {
        char shown[256], line[256];
        EventMnemonic(code, shown, sizeof shown);
        EventText(code, line, sizeof line);
        EXPECT_TRUE(mnemonic.empty() || shown == mnemonic) << code << ": " << shown;
        EXPECT_TRUE(text.empty() || line == text) << code << ": " << line;
    }
    char line[kEventTextSize];
    FormatEventLine(3, {4, 12}, line, sizeof line);
    EXPECT_EQ(std::string(line),
              W1252("03 - Parada 12 Código NC La puerta no cierra luego del segundo intento."));
    char count[32], title[128], hours[16], unknown[16], print[128];
    FormatEventCount(7, count, sizeof count);
    FormatEventTitle(123, 2, title, sizeof title);
    FormatCounter(true, 1520, hours, sizeof hours), FormatCounter(false, 1520, unknown, 16);
    FormatEventPrintTitle(123, print, sizeof print);
    EXPECT_EQ(std::string(count) + "|" + title + "|" + hours + "|" + unknown + "|" + print,
              "07 Eventos|Archivo de eventos - Controlador 123, Cabina 2|1520|??????|"
              "Configurador ZRT94 - Lista de eventos controlador 123");
    FormatEventTitle(123, 0, title, sizeof title);
    EXPECT_STREQ(title, "Archivo de eventos - Controlador 123, Llamadas exteriores");
}

TEST(EventLogTexts, PrintedList) {
    // Sunday 7 September 2008, 09:05.
    const EventPrintHeading heading = {"BRIVALT", "S.A.", {2008, 9, 7, 0, 9, 5}, 123, 0};
    const char* const lines[] = {"01 - a", "02 - b"};
    char text[kEventPrintBufferSize];
    int length = BuildEventPrintText(heading, lines, 2, text, sizeof text);
    EXPECT_EQ(std::string(text, length),
              "\r                           BRIVALT S.A.      \r"
              "\r                LISTA DE EVENTOS CONTROLADOR ZRT94VK     \r\r\r"
              "Fecha:         Domingo, 07 de Setiembre de 2008, 09:05\r"
              "Controlador:       123\r"
              "Cabina:              0\r"
              "Cantidad de eventos: 2\r"
              "\r\r"
              "01 - a\r"
              "02 - b\r");
}

} // namespace
