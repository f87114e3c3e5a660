// The version, receive and transmit conversations, driven through the interrogation dialog's
// events with a scripted host.
#include "conversation_fake_host.h"

#include "base/cp1252.h"
#include "base/string_ids.h"
#include "config/config_ranges.h"

#include <gtest/gtest.h>

namespace {

const char* const kNotConfigured = " El controlador no fue configurado.";
const std::string kChanged = W1252(" La configuración del controlador fue modificada y puede ser "
                                   "errónea: transmítala nuevamente.");
const char* const kConfigured = "El controlador fue configurado correctamente.";
const std::string kReceived =
    W1252("La configuración del controlador ha sido recibida correctamente.");
const std::string kOldNotice =
    W1252("\r\nEl controlador es de versión anterior a 3.0 por lo que algunos parámetros no "
          "serán configurables.\r\nConsulte la ayuda por mas información.");

void ExpectProgress(const DialogAction& a, const std::string& text) {
    EXPECT_EQ(a.kind, DialogAction::ShowProgress);
    EXPECT_EQ(a.text ? a.text : "<none>", text);
}

void ExpectEnd(const DialogAction& a, const std::string& text, unsigned flags,
               unsigned caption = 0) {
    EXPECT_EQ(a.kind, DialogAction::EndDialog);
    EXPECT_EQ(a.text ? a.text : "<none>", text);
    EXPECT_EQ(a.boxFlags, flags);
    EXPECT_EQ(a.captionId, caption);
}

void ExpectDone(const DialogAction& a, const std::string& text) {
    ExpectEnd(a, text, mb::IconInformation, str::CaptionConfigurator);
}

struct ConversationTest : ::testing::Test {
    FakeConversationHost fake;
    Conversation conv;
    const LinkPacket v3 = VersionAnswer(), v2 = VersionAnswer("02.07"), ack = Answer('e');

    DialogAction Start(int code) {
        conv.conversationState = code;
        return ConversationStart(conv, fake.host, fake.document);
    }
    DialogAction Give(const LinkPacket& p) { return ConversationAnswer(conv, fake.host, p); }
    DialogAction Timeout() { return ConversationAnswerTimer(conv, fake.host); }
    DialogAction Run(int code, const std::vector<LinkPacket>& answers) {
        DialogAction a = Start(code);
        for (const LinkPacket& p : answers)
            a = Give(p);
        return a;
    }
    LinkPacket P1() const { return Part1Answer(fake.document); }
    LinkPacket P2() const { return Part2Answer(fake.document); }

    // The controller as the document would have it, or as another site has it.
    ControllerConfig Controller(unsigned system, int function, int cabin) {
        ControllerConfig c = fake.document;
        c.systemNumber = (uint16_t)system, c.controllerFunction = (uint8_t)function;
        c.cabinNumber = (uint8_t)cabin;
        return c;
    }
};

std::string Parts(const ControllerConfig& c) {
    return EncodeParts(c).part1 + EncodeParts(c).part2;
}

TEST_F(ConversationTest, StartSendsTheVersionRequestWithItsPeriod) {
    for (int code : {VersionQuery, ReceiveVersionCheck, TransmitVersionCheck}) {
        FakeConversationHost f;
        Conversation c;
        c.conversationState = code;
        ExpectProgress(ConversationStart(c, f.host, f.document), W1252("Solicitando versión."));
        EXPECT_EQ(f.discards, 1) << "what the last command left on the line is gone";
        EXPECT_EQ(f.Letters(), "v");
        EXPECT_EQ(f.TimerLog(), code == VersionQuery ? "start 1000" : "start 2000");
    }
    ExpectEnd(Start(213), W1252("Comando 213 no válido."), mb::IconExclamation);
    EXPECT_EQ(fake.sent.size() + fake.timer.size(), 0u);
}

// A two-digit major version, and an answer when no conversation runs.
TEST_F(ConversationTest, VersionQuery) {
    EXPECT_FALSE(Run(VersionQuery, {VersionAnswer("12.40")}).markSaved);
    EXPECT_EQ(conv.controllerMajor, 12);
    EXPECT_EQ(conv.controllerMinor, 40);
    conv.conversationState = 0;
    ExpectEnd(Give(v3), W1252("Error de secuencia."), mb::IconStop);
    EXPECT_TRUE(fake.replaced.empty());
}

// Each answer the conversation does not take ends it with its text and a stop icon: nothing more
// goes to the line and the document is left alone. That every ending stops the timer is the
// conversation fuzzer's.
TEST_F(ConversationTest, Failures) {
    ControllerConfig otherTEP = fake.document, otherSpeed = fake.document;
    otherTEP.TEP = 9, otherSpeed.carSpeed = 99;
    auto junk = [](char letter, int length) { return Answer(letter, std::string(length, '0')); };
    const std::string model = "El controlador no es un ZRT94VK",
                      cannot = W1252(". No es posible transmitir la configuración."),
                      address = W1252("Error en los códigos de comunicacion."),
                      code = W1252("Código de respuesta erróneo"),
                      length = W1252("Largo de paquete erróneo"),
                      inReceive = W1252(" en la recepción de la configuración."),
                      unverified = "no pudo ser verificada." + kChanged, t3 = "T3- ";
    const int V = VersionQuery, R = ReceiveVersionCheck, T = TransmitVersionCheck;
    const std::tuple<int, std::vector<LinkPacket>, std::string> cases[] = {
        {V, {Answer('x', "03.0794VK")}, W1252("V - Error en la recepción de la versión")},
        {V, {VersionAnswer("03.07", "94vk")}, "V - " + model},
        {V, {Packet('c', 'c', 'w', "03.0794VK")}, address},
        {R, {Answer('x', "03.0794VK")}, W1252("R - Error en la verificación del controlador.")},
        {R, {VersionAnswer("03.07", "94VJ")}, "R - " + model + cannot},
        {R, {v3, junk('d', 226)}, "R1 - " + code + inReceive},
        {R, {v3, P1(), junk('c', 41)}, "R2 - " + length + inReceive},
        {T, {Answer('v', "03.0794VK")}, W1252("T1 - Error en la verificación del controlador. ")},
        {T, {v3, junk('C', 226)}, "T2 - " + code + ". "},
        // The controller's objections to a part.
        {T, {v3, P1(), Answer('f')}, W1252("T3- El controlador tiene configuración fija.")},
        {T, {v3, P1(), Answer('m')}, t3 + W1252("Rango de datos erróneo.") + kNotConfigured},
        {T, {v2, P1(), Answer('M')}, t3 + W1252("Tipo de datos erróneo.") + kNotConfigured},
        {T, {v3, P1(), Answer('x')}, t3 + W1252("Tipo de respuesta erróneo.")},
        {T, {v2, P1(), Answer('e', "ok")}, t3 + length + "."},
        {T, {v3, P1(), ack, Answer('M')}, t3 + W1252("Tipo de datos erróneo.") + kChanged},
        // Read-backs: another image, or a wrong answer.
        {T, {v2, P1(), ack, Part1Answer(otherTEP)}, "La configuracion " + unverified},
        {T, {v3, P1(), ack, ack, Part1Answer(otherTEP)}, "La configuracion 1 " + unverified},
        {T,
         {v3, P1(), ack, ack, P1(), Part2Answer(otherSpeed)},
         "La configuracion 2 " + unverified},
        {T, {v2, P1(), ack, junk('x', 226)}, "T4- " + code + "." + kChanged},
        {T, {v3, P1(), ack, ack, junk('c', 40)}, "T5- " + length + "." + kChanged},
        {T, {v3, P1(), ack, ack, P1(), junk('c', 226)}, "T7- " + length + "." + kChanged},
    };
    for (const auto& [code, answers, text] : cases) {
        fake.sent.clear();
        DialogAction a = Run(code, answers);
        ExpectEnd(a, text, mb::IconStop);
        EXPECT_FALSE(a.markSaved);
        EXPECT_FALSE(conv.verified) << text;
        EXPECT_EQ(fake.sent.size(), answers.size()) << text;
    }
    EXPECT_TRUE(fake.replaced.empty());
}

// A two-part receive, then an older controller, which is not asked for part 2: those fields
// keep the empty configuration's values, not the earlier receive's, and its served range is all
// of its stops (the empty configuration's 1 to 14 would be refused by a transmit).
TEST_F(ConversationTest, ReceiveFromATwoPartControllerThenFromAnOlderOne) {
    ControllerConfig first = Controller(321, 1, 3), old = Controller(6, 2, 1);
    first.carSpeed = 120, first.preOpening = 1, first.lastServedStop = 9;
    old.carSpeed = 60, old.stopCount = 9;
    ExpectProgress(Run(ReceiveVersionCheck, {v3}), W1252("Solicitando configuración (1)."));
    ExpectProgress(Give(Part1Answer(first)), W1252("Solicitando configuración (2)."));
    EXPECT_TRUE(fake.replaced.empty()) << "replaced only once part 2 arrived";
    DialogAction a = Give(Part2Answer(first));
    ExpectDone(a, kReceived);
    EXPECT_TRUE(a.markSaved);
    ASSERT_EQ(fake.replaced.size(), 1u);
    EXPECT_EQ(Parts(fake.replaced[0]), Parts(first));
    EXPECT_EQ(fake.Letters(), "vbf");
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, start 4000, stop, stop");

    fake.sent.clear();
    a = Run(ReceiveVersionCheck, {VersionAnswer("02.15"), Part1Answer(old)});
    ExpectDone(a, kReceived + kOldNotice);
    EXPECT_TRUE(a.markSaved);
    EXPECT_EQ(fake.Letters(), "vb");
    ASSERT_EQ(fake.replaced.size(), 2u);
    const ControllerConfig &got = fake.replaced[1], empty = MakeEmptyConfig();
    EXPECT_EQ((std::vector<int>{got.systemNumber, got.carSpeed, got.preOpening, got.firstServedStop,
                                got.lastServedStop, got.stopCallsNotServed[9]}),
              (std::vector<int>{6, empty.carSpeed, empty.preOpening, 1, 9, kNotServedAll}));
    FieldOutOfRange out;
    EXPECT_FALSE(FindFieldOutOfRange(got, out)) << out.name;
}

// However long the document's refusal stays on screen, no time-out and no stray answer comes
// between; the document has shown its own box, so the dialog shows none.
TEST_F(ConversationTest, RefusedImageEndsAsAFailureWithoutASecondMessage) {
    fake.acceptImage = false;
    std::function<void()> during = [&] {
        fake.duringReplace = nullptr; // a step taken again would show the box again
        EXPECT_EQ(fake.timer.back(), "stop");
        fake.incoming.push_back(P2());
        EXPECT_EQ(ConversationPoll(conv, fake.host).kind, DialogAction::Nothing);
        EXPECT_EQ(Timeout().kind, DialogAction::Nothing);
        fake.incoming.clear();
    };
    for (const std::vector<LinkPacket>& answers :
         {std::vector<LinkPacket>{v3, P1(), P2()}, {v2, P1()}}) {
        fake.duringReplace = during;
        DialogAction a = Run(ReceiveVersionCheck, answers);
        EXPECT_EQ(a.kind, DialogAction::EndDialog);
        EXPECT_EQ(a.text, nullptr);
        EXPECT_FALSE(a.markSaved);
        EXPECT_EQ(conv.exchange.statusText[0], '\0');
    }
}

// The parts sent are the Link scenario's, read from the simulator's log.
TEST_F(ConversationTest, TwoPartTransmitWithVerification) {
    fake.document.systemNumber = 77;
    ExpectProgress(Run(TransmitVersionCheck, {v3}), W1252("Solicitando configuración"));
    ExpectProgress(Give(P1()), W1252("Transmitiendo configuración (1)."));
    EXPECT_TRUE(fake.questions.empty()) << "same system and cabin: no question";
    ExpectProgress(Give(ack), W1252("Transmitiendo configuración (2)."));
    ExpectProgress(Give(ack), W1252("Verificando configuración (1) - 5."));
    ExpectProgress(Give(P1()), W1252("Verificando configuración (2)."));
    DialogAction a = Give(P2());
    ExpectDone(a, kConfigured);
    EXPECT_FALSE(a.markSaved);
    EXPECT_TRUE(conv.verified);
    EXPECT_EQ(fake.Letters(), "vbhebf");
    EXPECT_EQ(fake.TimerLog(), "start 2000, start 2000, start 2000, start 1000, start 5000, stop");
    EXPECT_TRUE(fake.replaced.empty()) << "a transmit leaves the document alone";
}

// An older controller takes part 1 alone; a site name without its terminator goes out and is
// verified as its first forty characters.
TEST_F(ConversationTest, OnePartTransmitToAnOlderController) {
    std::memset(fake.document.siteName, 'L', sizeof fake.document.siteName);
    ExpectProgress(Run(TransmitVersionCheck, {VersionAnswer("02.40"), P1()}),
                   W1252("Transmitiendo configuración."));
    ASSERT_EQ(fake.Letters(), "vba");
    EXPECT_EQ(DataOf(fake.sent[2]).substr(kPart1SiteName, 41), std::string(40, 'L') + "?");
    ExpectProgress(Give(ack), W1252("Verificando configuración - 4."));
    ExpectDone(Give(P1()), kConfigured + kOldNotice);
    EXPECT_EQ(fake.Letters(), "vbab");
    EXPECT_EQ(fake.TimerLog(), "start 2000, start 2000, start 1000, stop");
}

// Five read-backs in all for a two-part transmit; a one-part one starts at four.
TEST_F(ConversationTest, ReadBackRetriesRunOut) {
    Run(TransmitVersionCheck, {v3, P1(), ack, ack});
    size_t before = fake.sent.size();
    fake.timer.clear();
    std::string timers;
    for (int left = 4; left >= 1; --left) {
        char text[128];
        std::snprintf(text, sizeof text, "%s (1) - %d.", W1252("Verificando configuración"), left);
        ExpectProgress(Timeout(), text);
        timers += "start 1000, ";
    }
    ExpectEnd(Timeout(), "El controlador no contesta." + kChanged, mb::IconExclamation);
    EXPECT_EQ(fake.sent.size() - before, 4u);
    EXPECT_EQ(fake.TimerLog(), timers + "stop");
}

// While the question is open the answer timer is stopped and nothing is read: a second answer
// would ask again. Nothing goes to the line after a Yes once the dialog was cancelled meanwhile,
// and a late repeat of a read-back is dropped: the conversation fuzzer's.
TEST_F(ConversationTest, IdentityQuestionAnsweredYesGoesOn) {
    fake.document.systemNumber = 12;
    Run(TransmitVersionCheck, {v3});
    fake.incoming = {Part1Answer(Controller(345, 2, 1)), Part1Answer(Controller(345, 2, 1))};
    fake.duringQuestion = [&] {
        EXPECT_EQ(fake.TimerLog(), "start 2000, stop");
        EXPECT_EQ(ConversationPoll(conv, fake.host).kind, DialogAction::Nothing);
        EXPECT_EQ(fake.incoming.size(), 1u) << "the second answer waits";
    };
    ExpectProgress(ConversationPoll(conv, fake.host), W1252("Transmitiendo configuración (1)."));
    ASSERT_EQ(fake.questions.size(), 1u);
    EXPECT_EQ(fake.questions[0],
              W1252("El controlador está configurado para Sistema 345, Cabina 1. ¿Desea "
                    "configurarlo para Sistema 12, Cabina 1?"));
    EXPECT_EQ(fake.Letters(), "vbh");
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, start 2000");
}

} // namespace
