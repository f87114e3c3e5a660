// The version, receive and transmit conversations, driven through the interrogation dialog's
// events with a scripted host.
#include "conversation_fake_host.h"

#include "base/cp1252.h"
#include "base/string_ids.h"
#include "config/config_ranges.h"

#include <gtest/gtest.h>

namespace {

const char* const kNotThisModelText = "El controlador no es un ZRT94VK";
const char* const kNotConfigured = " El controlador no fue configurado.";
const char* Received() {
    return W1252("La configuración del controlador ha sido recibida correctamente.");
}
const char* OldNotice() {
    return W1252("\r\nEl controlador es de versión anterior a 3.0 por lo que algunos parámetros "
                 "no serán configurables.\r\nConsulte la ayuda por mas información.");
}

struct ConversationTest : ::testing::Test {
    FakeConversationHost fake;
    Conversation conv;

    DialogAction Start(int code) {
        conv.conversationState = code;
        return ConversationStart(conv, fake.host);
    }
    DialogAction Give(const LinkPacket& p) { return ConversationAnswer(conv, fake.host, p); }
    DialogAction Timeout() { return ConversationAnswerTimer(conv, fake.host); }

    // The controller as the document would have it, or as another site has it.
    ControllerConfig Controller(unsigned system, int function, int cabin) {
        ControllerConfig c = fake.document;
        c.systemNumber = (uint16_t)system;
        c.controllerFunction = (uint8_t)function;
        c.cabinNumber = (uint8_t)cabin;
        return c;
    }

    // Runs a transmit to the point where the controller has taken part 1 ('h' or 'a' answered).
    void TransmitUpToFirstAnswer(const std::string& version) {
        Start(TransmitVersionCheck);
        Give(VersionAnswer(version));
        Give(Part1Answer(fake.document));
    }
};

void ExpectProgress(const DialogAction& a, const std::string& text) {
    EXPECT_EQ(a.kind, DialogAction::ShowProgress);
    ASSERT_NE(a.text, nullptr);
    EXPECT_EQ(std::string(a.text), text);
}

void ExpectEnd(const DialogAction& a, const std::string& text, unsigned flags,
               unsigned caption = 0) {
    EXPECT_EQ(a.kind, DialogAction::EndDialog);
    ASSERT_NE(a.text, nullptr);
    EXPECT_EQ(std::string(a.text), text);
    EXPECT_EQ(a.boxFlags, flags);
    EXPECT_EQ(a.captionId, caption);
}

void ExpectFailure(const DialogAction& a, const std::string& text) {
    ExpectEnd(a, text, mb::IconStop);
    EXPECT_FALSE(a.markSaved);
}

// --- Start and version query ----------------------------------------------------------------

TEST_F(ConversationTest, StartSendsTheVersionRequestWithItsPeriod) {
    for (int code : {VersionQuery, ReceiveVersionCheck, TransmitVersionCheck}) {
        FakeConversationHost f;
        Conversation c;
        c.conversationState = code;
        DialogAction a = ConversationStart(c, f.host);
        ExpectProgress(a, W1252("Solicitando versión."));
        EXPECT_EQ(f.discards, 1) << "what the last command left on the line is gone";
        ASSERT_EQ(f.sent.size(), 1u);
        EXPECT_EQ(Frame(f.sent[0]), Frame(Packet('o', 'c', 'v')));
        EXPECT_EQ(f.TimerLog(), code == VersionQuery ? "start 1000" : "start 2000");
    }
}

TEST_F(ConversationTest, UnknownCommandIsRefusedWithoutSending) {
    ExpectEnd(Start(213), W1252("Comando 213 no válido."), mb::IconExclamation);
    EXPECT_TRUE(fake.sent.empty());
    EXPECT_TRUE(fake.timer.empty());
}

TEST_F(ConversationTest, VersionQueryReportsTheVersion) {
    Start(VersionQuery);
    DialogAction a = Give(VersionAnswer("03.07"));
    ExpectEnd(a, W1252("El controlador es un ZR94VK con programa versión 3.7"), mb::IconInformation,
              str::CaptionConfigurator);
    EXPECT_FALSE(a.markSaved);
    EXPECT_EQ(conv.controllerMajor, 3);
    EXPECT_EQ(conv.controllerMinor, 7);
    EXPECT_EQ(fake.TimerLog(), "start 1000, stop");
    EXPECT_TRUE(fake.replaced.empty());

    Start(VersionQuery);
    Give(VersionAnswer("12.40"));
    EXPECT_EQ(conv.controllerMajor, 12);
    EXPECT_EQ(conv.controllerMinor, 40);
}

TEST_F(ConversationTest, VersionQueryFailures) {
    const std::string notThisModel = std::string("V - ") + kNotThisModelText;
    const std::string wrongAddress = W1252("Error en los códigos de comunicacion.");
    std::pair<LinkPacket, std::string> cases[] = {
        {Answer('x', "03.0794VK"), W1252("V - Error en la recepción de la versión")},
        {VersionAnswer("03.07", "94vk"), notThisModel},
        {VersionAnswer("03.0", "94VK"), notThisModel},
        {Packet('o', 'c', 'w', "03.0794VK"), wrongAddress},
        {Packet('c', 'c', 'w', "03.0794VK"), wrongAddress},
    };
    for (const auto& [answer, text] : cases) {
        Start(VersionQuery);
        ExpectFailure(Give(answer), text);
    }
}

TEST_F(ConversationTest, TimeoutOutsideTheReadBackAndAnAnswerWhileIdle) {
    Start(VersionQuery);
    ExpectEnd(Timeout(), "El controlador no contesta.", mb::IconExclamation);
    EXPECT_EQ(fake.TimerLog(), "start 1000, stop");
    EXPECT_EQ(fake.Letters(), "v");
    // An answer after that, with no conversation running.
    conv.conversationState = 0;
    ExpectFailure(Give(VersionAnswer()), W1252("Error de secuencia."));
}

// --- Receive ------------------------------------------------------------------------------------

TEST_F(ConversationTest, ReceiveFromATwoPartController) {
    ControllerConfig controller = Controller(321, 1, 3);
    controller.carSpeed = 120;
    controller.preOpening = 1;

    Start(ReceiveVersionCheck);
    ExpectProgress(Give(VersionAnswer("03.07")), W1252("Solicitando configuración (1)."));
    EXPECT_EQ(fake.Letters(), "vb");
    EXPECT_EQ(conv.conversationState, ReceivePart1);

    ExpectProgress(Give(Part1Answer(controller)), W1252("Solicitando configuración (2)."));
    EXPECT_EQ(fake.Letters(), "vbf");
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, start 4000");
    EXPECT_TRUE(fake.replaced.empty()) << "replaced only once part 2 arrived";

    DialogAction a = Give(Part2Answer(controller));
    ExpectEnd(a, Received(), mb::IconInformation, str::CaptionConfigurator);
    EXPECT_TRUE(a.markSaved);
    ASSERT_EQ(fake.replaced.size(), 1u);
    EXPECT_EQ(fake.replaced[0].systemNumber, 321);
    EXPECT_EQ(fake.replaced[0].cabinNumber, 3);
    EXPECT_EQ(fake.replaced[0].carSpeed, 120);
    EXPECT_EQ(fake.replaced[0].preOpening, 1);
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, start 4000, stop, stop");
}

TEST_F(ConversationTest, ReceiveFromAnOlderControllerTakesTheEmptyPartTwo) {
    const ControllerConfig empty = MakeEmptyConfig();
    Start(ReceiveVersionCheck);
    Give(VersionAnswer("02.01"));
    Give(Part1Answer(Controller(8, 2, 1)));
    ASSERT_EQ(fake.replaced.size(), 1u);
    EXPECT_EQ(fake.replaced[0].carSpeed, empty.carSpeed);
    EXPECT_EQ(fake.replaced[0].closeAttempts, empty.closeAttempts);

    // Not another controller's part 2, received before.
    ControllerConfig first = Controller(5, 2, 1);
    first.carSpeed = 150;
    first.lastServedStop = 9;
    Start(ReceiveVersionCheck);
    Give(VersionAnswer("03.00"));
    Give(Part1Answer(first));
    Give(Part2Answer(first));

    ControllerConfig old = Controller(6, 2, 1);
    old.carSpeed = 60;
    old.stopCount = 9;
    Start(ReceiveVersionCheck);
    Give(VersionAnswer("02.15"));
    EXPECT_EQ(conv.controllerMajor, 2);
    DialogAction a = Give(Part1Answer(old));
    ExpectEnd(a, std::string(Received()) + OldNotice(), mb::IconInformation,
              str::CaptionConfigurator);
    EXPECT_TRUE(a.markSaved);
    EXPECT_EQ(fake.Letters(), "vbvbfvb") << "an older controller is not asked for part 2";
    ASSERT_EQ(fake.replaced.size(), 3u);
    EXPECT_EQ(fake.replaced[2].systemNumber, 6);
    EXPECT_EQ(fake.replaced[2].carSpeed, empty.carSpeed);
    // It serves all of its stops: a range of the empty configuration's 14 would be refused.
    EXPECT_EQ(fake.replaced[2].firstServedStop, 1);
    EXPECT_EQ(fake.replaced[2].lastServedStop, 9);
    EXPECT_EQ(fake.replaced[2].stopCallsNotServed[9], kNotServedAll);
    FieldOutOfRange out;
    EXPECT_FALSE(FindFieldOutOfRange(fake.replaced[2], out)) << out.name;
}

TEST_F(ConversationTest, ReceiveFailures) {
    const std::string inReceive = W1252("en la recepción de la configuración.");
    struct Case {
        std::vector<LinkPacket> answers;
        std::string text;
    } cases[] = {
        {{Answer('x', "03.0794VK")}, W1252("R - Error en la verificación del controlador.")},
        {{VersionAnswer("03.07", "94VJ")},
         std::string("R - ") + kNotThisModelText +
             W1252(". No es posible transmitir la configuración.")},
        {{VersionAnswer(), Answer('d', std::string(226, '0'))},
         W1252("R1 - Código de respuesta erróneo ") + inReceive},
        {{VersionAnswer(), Answer('c', std::string(225, '0'))},
         W1252("R1 - Largo de paquete erróneo ") + inReceive},
        {{VersionAnswer(), Part1Answer(fake.document), Answer('C', std::string(40, '0'))},
         W1252("R2 - Código de respuesta erróneo ") + inReceive},
        {{VersionAnswer(), Part1Answer(fake.document), Answer('c', std::string(41, '0'))},
         W1252("R2 - Largo de paquete erróneo ") + inReceive},
    };
    for (const Case& c : cases) {
        Start(ReceiveVersionCheck);
        DialogAction a;
        for (const LinkPacket& p : c.answers)
            a = Give(p);
        ExpectFailure(a, c.text);
    }
    EXPECT_TRUE(fake.replaced.empty()) << "a failed receive leaves the document alone";
}

TEST_F(ConversationTest, RefusedImageEndsAsAFailureWithoutASecondMessage) {
    fake.acceptImage = false;
    ControllerConfig controller = fake.document;
    controller.stopCount = 30;
    Start(ReceiveVersionCheck);
    Give(VersionAnswer("03.07"));
    Give(Part1Answer(controller));
    // However long the refusal stays on screen, no time-out and no stray answer comes between.
    fake.duringReplace = [&] {
        EXPECT_EQ(fake.timer.back(), "stop");
        fake.incoming.push_back(Part2Answer(controller));
        EXPECT_EQ(ConversationPoll(conv, fake.host).kind, DialogAction::Nothing);
        EXPECT_EQ(Timeout().kind, DialogAction::Nothing);
        fake.incoming.clear();
    };
    DialogAction a = Give(Part2Answer(controller));
    fake.duringReplace = nullptr;
    EXPECT_EQ(a.kind, DialogAction::EndDialog);
    EXPECT_EQ(a.text, nullptr) << "the document has shown its own box";
    EXPECT_FALSE(a.markSaved);
    EXPECT_EQ(conv.exchange.statusText[0], '\0');
    EXPECT_EQ(fake.timer.back(), "stop");

    Start(ReceiveVersionCheck);
    Give(VersionAnswer("02.07"));
    a = Give(Part1Answer(controller));
    EXPECT_EQ(a.kind, DialogAction::EndDialog);
    EXPECT_EQ(a.text, nullptr);
    EXPECT_FALSE(a.markSaved);
}

// --- Transmit -----------------------------------------------------------------------------------

TEST_F(ConversationTest, TwoPartTransmitWithVerification) {
    fake.document.systemNumber = 77;
    Start(TransmitVersionCheck);
    ExpectProgress(Give(VersionAnswer("03.07")), W1252("Solicitando configuración"));
    EXPECT_EQ(conv.conversationState, TransmitIdentityCheck);

    ExpectProgress(Give(Part1Answer(fake.document)), W1252("Transmitiendo configuración (1)."));
    EXPECT_TRUE(fake.questions.empty()) << "same system and cabin: no question";
    ASSERT_EQ(fake.Letters(), "vbh");
    EXPECT_EQ(fake.sent[2].LA, kPart1Length);
    EXPECT_EQ(DataOf(fake.sent[2]), DataOf(Part1Answer(fake.document)));

    ExpectProgress(Give(Answer('e')), W1252("Transmitiendo configuración (2)."));
    ASSERT_EQ(fake.Letters(), "vbhe");
    EXPECT_EQ(DataOf(fake.sent[3]), DataOf(Part2Answer(fake.document)));

    ExpectProgress(Give(Answer('e')), W1252("Verificando configuración (1) - 5."));
    EXPECT_EQ(conv.retriesLeft, 5);
    ExpectProgress(Give(Part1Answer(fake.document)), W1252("Verificando configuración (2)."));
    DialogAction a = Give(Part2Answer(fake.document));
    ExpectEnd(a, "El controlador fue configurado correctamente.", mb::IconInformation,
              str::CaptionConfigurator);
    EXPECT_FALSE(a.markSaved);
    EXPECT_EQ(fake.Letters(), "vbhebf");
    EXPECT_EQ(fake.TimerLog(), "start 2000, start 2000, start 2000, start 1000, start 5000, stop");
    EXPECT_TRUE(fake.replaced.empty()) << "a transmit leaves the document alone";
}

TEST_F(ConversationTest, OnePartTransmitToAnOlderController) {
    Start(TransmitVersionCheck);
    Give(VersionAnswer("02.40"));
    ExpectProgress(Give(Part1Answer(fake.document)), W1252("Transmitiendo configuración."));
    ASSERT_EQ(fake.Letters(), "vba");
    EXPECT_EQ(fake.sent[2].LA, kPart1Length);
    ExpectProgress(Give(Answer('e')), W1252("Verificando configuración - 4."));
    EXPECT_EQ(conv.conversationState, VerifySinglePart);
    DialogAction a = Give(Part1Answer(fake.document));
    ExpectEnd(a, std::string("El controlador fue configurado correctamente.") + OldNotice(),
              mb::IconInformation, str::CaptionConfigurator);
    EXPECT_EQ(fake.Letters(), "vbab");
    EXPECT_EQ(fake.TimerLog(), "start 2000, start 2000, start 1000, stop");
}

TEST_F(ConversationTest, LongSiteNameIsSentAndVerifiedWithItsFirstForty) {
    std::memset(fake.document.siteName, 'L', sizeof fake.document.siteName);
    Start(TransmitVersionCheck);
    Give(VersionAnswer("02.40"));
    Give(Part1Answer(fake.document));
    EXPECT_EQ(DataOf(fake.sent[2]).substr(kPart1SiteName, 41), std::string(40, 'L') + "?");
    Give(Answer('e'));
    EXPECT_EQ(Give(Part1Answer(fake.document)).boxFlags, mb::IconInformation);
}

TEST_F(ConversationTest, TransmitRejectionsAndFailures) {
    const std::string t3 = "T3- ";
    struct Case {
        std::string version;
        LinkPacket answer;
        std::string text;
    } cases[] = {
        {"03.07", Answer('f'), W1252("T3- El controlador tiene configuración fija.")},
        {"03.07", Answer('m'), t3 + W1252("Rango de datos erróneo.") + kNotConfigured},
        {"02.07", Answer('M'), t3 + W1252("Tipo de datos erróneo.") + kNotConfigured},
        {"03.07", Answer('x'), t3 + W1252("Tipo de respuesta erróneo.")},
        {"02.07", Answer('e', "ok"), t3 + W1252("Largo de paquete erróneo.")},
    };
    for (const Case& c : cases) {
        fake.sent.clear();
        TransmitUpToFirstAnswer(c.version);
        ExpectFailure(Give(c.answer), c.text);
        EXPECT_EQ(fake.sent.size(), 3u) << "nothing more is sent after a rejection";
    }
    // The same table answers part 2.
    TransmitUpToFirstAnswer("03.07");
    Give(Answer('e'));
    ExpectFailure(Give(Answer('m')), t3 + W1252("Rango de datos erróneo.") + kNotConfigured);
}

TEST_F(ConversationTest, TransmitVersionAndIdentityFailures) {
    std::pair<std::vector<LinkPacket>, std::string> cases[] = {
        {{Answer('v', "03.0794VK")}, W1252("T1 - Error en la verificación del controlador. ")},
        {{VersionAnswer("03.07", "94VX")},
         std::string("T1 - ") + kNotThisModelText +
             W1252(". No es posible transmitir la configuración.")},
        {{VersionAnswer(), Answer('C', std::string(226, '1'))},
         W1252("T2 - Código de respuesta erróneo. ")},
        {{VersionAnswer(), Answer('c', std::string(40, '1'))},
         W1252("T2 - Largo de paquete erróneo. ")},
    };
    for (const auto& [answers, text] : cases) {
        Start(TransmitVersionCheck);
        DialogAction a;
        for (const LinkPacket& p : answers)
            a = Give(p);
        ExpectFailure(a, text);
    }
}

TEST_F(ConversationTest, VerificationMismatchesAndWrongReadBacks) {
    ControllerConfig other = fake.document;
    other.TEP = 9;
    ControllerConfig otherSpeed = fake.document;
    otherSpeed.carSpeed = 99;

    const std::string unverified = "no pudo ser verificada." + std::string(kNotConfigured);
    struct Case {
        std::string version;
        int acks;
        bool part1Verified;
        LinkPacket answer;
        std::string text;
    } cases[] = {
        {"02.07", 1, false, Part1Answer(other), "La configuracion " + unverified},
        {"03.07", 2, false, Part1Answer(other), "La configuracion 1 " + unverified},
        {"03.07", 2, true, Part2Answer(otherSpeed), "La configuracion 2 " + unverified},
        {"02.07", 1, false, Answer('x', std::string(226, '0')),
         W1252("T4- Código de respuesta erróneo.")},
        {"02.07", 1, false, Answer('c', std::string(40, '0')),
         W1252("T4- Largo de paquete erróneo.")},
        {"03.07", 2, false, Answer('x', std::string(226, '0')),
         W1252("T5- Código de respuesta erróneo.")},
        {"03.07", 2, false, Answer('c', std::string(40, '0')),
         W1252("T5- Largo de paquete erróneo.")},
        {"03.07", 2, true, Answer('x', std::string(40, '0')),
         W1252("T7- Código de respuesta erróneo.")},
        {"03.07", 2, true, Answer('c', std::string(226, '0')),
         W1252("T7- Largo de paquete erróneo.")},
    };
    for (const Case& c : cases) {
        TransmitUpToFirstAnswer(c.version);
        for (int i = 0; i < c.acks; ++i)
            Give(Answer('e'));
        if (c.part1Verified) Give(Part1Answer(fake.document));
        ExpectFailure(Give(c.answer), c.text);
    }
}

TEST_F(ConversationTest, ReadBackRetriesRunOut) {
    // Five read-backs in all for a two-part transmit, four for a one-part one.
    for (auto [version, requests, format] :
         {std::tuple<const char*, int, const char*>{"03.07", 5, "%s (1) - %d."},
          {"02.07", 4, "%s - %d."}}) {
        fake.sent.clear();
        TransmitUpToFirstAnswer(version);
        Give(Answer('e'));
        if (version[1] == '3') Give(Answer('e'));
        size_t before = fake.sent.size();
        fake.timer.clear();
        std::string timers;
        for (int left = requests - 1; left >= 1; --left) {
            char text[128];
            std::snprintf(text, sizeof text, format, W1252("Verificando configuración"), left);
            ExpectProgress(Timeout(), text);
            timers += "start 1000, ";
        }
        ExpectEnd(Timeout(), "El controlador no contesta.", mb::IconExclamation);
        EXPECT_EQ(fake.sent.size() - before, (size_t)requests - 1);
        EXPECT_EQ(fake.TimerLog(), timers + "stop");
    }
}

// A slow controller answers the read-back and its retry: that repeat is dropped, not taken for
// part 2's answer. Without a retry, a second part 1 is a wrong answer.
TEST_F(ConversationTest, RepeatedReadBackAfterARetryIsDropped) {
    for (bool retried : {true, false}) {
        TransmitUpToFirstAnswer("03.07");
        Give(Answer('e'));
        Give(Answer('e'));
        if (retried) Timeout();
        fake.incoming = {Part1Answer(fake.document), Part1Answer(fake.document),
                         Part2Answer(fake.document)};
        ExpectProgress(ConversationPoll(conv, fake.host), W1252("Verificando configuración (2)."));
        DialogAction a = ConversationPoll(conv, fake.host);
        EXPECT_EQ(a.boxFlags, retried ? mb::IconInformation : mb::IconStop) << a.text;
    }
}

TEST_F(ConversationTest, IdentityQuestionAnsweredNo) {
    fake.document.systemNumber = 1;
    fake.document.controllerFunction = 1;
    fake.document.cabinNumber = 2;
    fake.reply = mb::IdNo;
    Start(TransmitVersionCheck);
    Give(VersionAnswer());
    DialogAction a = Give(Part1Answer(Controller(1, 0, 0)));
    ASSERT_EQ(fake.questions.size(), 1u);
    EXPECT_EQ(fake.questions[0].text,
              W1252("El controlador está configurado para Sistema 1, Cabina E. ¿Desea "
                    "configurarlo para Sistema 1, Cabina 2?"));
    EXPECT_EQ(fake.questions[0].caption, "Configurador ZRT94");
    EXPECT_EQ(fake.questions[0].flags, mb::YesNo | mb::IconQuestion);
    ExpectEnd(a, W1252("Transmisión de datos interrumpida"), mb::IconInformation,
              str::CaptionConfigurator);
    EXPECT_EQ(fake.Letters(), "vb");
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, stop");
}

TEST_F(ConversationTest, IdentityQuestionAnsweredYesGoesOn) {
    fake.document.systemNumber = 12;
    Start(TransmitVersionCheck);
    Give(VersionAnswer());
    fake.duringQuestion = [&] { EXPECT_EQ(fake.TimerLog(), "start 2000, stop"); };
    ExpectProgress(Give(Part1Answer(Controller(345, 2, 1))),
                   W1252("Transmitiendo configuración (1)."));
    ASSERT_EQ(fake.questions.size(), 1u);
    EXPECT_EQ(fake.questions[0].text,
              W1252("El controlador está configurado para Sistema 345, Cabina 1. ¿Desea "
                    "configurarlo para Sistema 12, Cabina 1?"));
    EXPECT_EQ(fake.Letters(), "vbh");
    EXPECT_EQ(fake.TimerLog(), "start 2000, stop, start 2000");
}

TEST_F(ConversationTest, YesAfterTheDialogWasCancelledSendsNothing) {
    fake.document.cabinNumber = 4;
    Start(TransmitVersionCheck);
    Give(VersionAnswer());
    fake.duringQuestion = [&] { ConversationEnded(conv); };
    fake.timer.clear();
    DialogAction a = Give(Part1Answer(Controller(1, 2, 1)));
    EXPECT_EQ(a.kind, DialogAction::Nothing);
    EXPECT_EQ(fake.Letters(), "vb");
    EXPECT_EQ(fake.TimerLog(), "stop") << "only the stop before the question";
    EXPECT_EQ(ConversationAnswerTimer(conv, fake.host).kind, DialogAction::Nothing);
}

TEST_F(ConversationTest, NoAnswerIsReadWhileTheQuestionIsOpen) {
    fake.document.cabinNumber = 4;
    Start(TransmitVersionCheck);
    Give(VersionAnswer());
    fake.incoming.push_back(Part1Answer(Controller(1, 2, 1)));
    fake.incoming.push_back(Part1Answer(Controller(1, 2, 1)));
    fake.duringQuestion = [&] {
        EXPECT_EQ(ConversationPoll(conv, fake.host).kind, DialogAction::Nothing);
        EXPECT_EQ(fake.incoming.size(), 1u) << "the second answer waits";
    };
    ExpectProgress(ConversationPoll(conv, fake.host), W1252("Transmitiendo configuración (1)."));
    EXPECT_EQ(fake.questions.size(), 1u);
}

} // namespace
