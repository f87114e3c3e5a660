// The program's conversations against zrt94sim over a real pseudo-terminal: the steps send
// frames to the line, a loop polls for answers and fires the answer timer on real time.
#include "events/event_log.h"
#include "link/interrogation.h"

#include "app/config_file.h"
#include "app/cp1252.h"
#include "conversation_fake_host.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string TempPath(const std::string& name) {
    return "/tmp/zrt94sim_test_" + std::to_string(getpid()) + "_" + name;
}

// zrt94sim running as a child process; its stdout (the path, then the log) is read back.
struct SimProcess {
    pid_t pid = -1;
    int out = -1;
    std::string path;
    std::string pending;
    std::vector<std::string> log;
    std::string controlPath = TempPath("control");

    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), {ZRT94SIM_PATH, "--control", controlPath});
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(pipeFds[1], 1);
            close(pipeFds[0]);
            close(pipeFds[1]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(pipeFds[1]);
        out = pipeFds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
        WaitFor([&] { return !log.empty(); }, 5000);
        if (!log.empty()) path = log.front();
    }

    ~SimProcess() { Stop(); }

    // Stops it as a user would; its exit status.
    int Stop() {
        if (pid <= 0) return -1;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        ReadLog();
        close(out);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    void ReadLog() {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out, buffer, sizeof buffer)) > 0)
            pending.append(buffer, n);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            log.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }

    template <typename Done> bool WaitFor(Done done, int ms) {
        auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < deadline) {
            ReadLog();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // Changes options while it runs, and waits until it has taken them.
    void Control(const std::string& lines) {
        std::string temporary = controlPath + ".tmp";
        std::ofstream(temporary) << lines;
        ASSERT_EQ(rename(temporary.c_str(), controlPath.c_str()), 0);
        ASSERT_TRUE(WaitFor([&] { return access(controlPath.c_str(), F_OK) != 0; }, 3000));
    }

    // Log lines that begin with `prefix`.
    std::vector<std::string> Lines(const std::string& prefix) {
        ReadLog();
        std::vector<std::string> found;
        for (auto& line : log)
            if (line.rfind(prefix, 0) == 0) found.push_back(line);
        return found;
    }
};

// The program's side: the serial line as the poll timer reads it and a clock for the answer
// timer. The rest of the host (question, document) is the scripted fake's.
struct LiveLine {
    int fd = -1;
    PacketReceiver receiver;
    ByteSource source{
        this, [](void* c, uint8_t* b) { return read(static_cast<LiveLine*>(c)->fd, b, 1) == 1; }};
    Clock::time_point timerDue{};
    bool timerRunning = false;
    std::vector<unsigned> periods;

    explicit LiveLine(const std::string& path) {
        fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t;
        if (fd >= 0 && tcgetattr(fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fd, TCSANOW, &t);
        }
    }
    ~LiveLine() {
        if (fd >= 0) close(fd);
    }
    bool Send(const LinkPacket& p) {
        uint8_t frame[kMaxFrameSize];
        int n = EncodeFrame(p, frame);
        return write(fd, frame, n) == n;
    }
    bool Receive(LinkPacket* p) { return ReceivePacket(receiver, source, *p); }
    void StartTimer(unsigned ms) {
        periods.push_back(ms);
        timerDue = Clock::now() + std::chrono::milliseconds(ms);
        timerRunning = true;
    }
    bool TimerFired() {
        if (!timerRunning || Clock::now() < timerDue) return false;
        timerRunning = false;
        return true;
    }
};

// What the dialog would show: its progress texts and its last box.
struct DialogRun {
    std::vector<std::string> progress;
    DialogAction::Kind kind = DialogAction::Nothing;
    std::string box;
    unsigned boxFlags = 0;
    bool markSaved = false;
};

struct LiveConversation {
    FakeConversationHost fake;
    LiveLine line;
    Conversation conv;
    std::function<void(const LinkPacket&)> beforeSend;

    explicit LiveConversation(const std::string& path) : line(path) {
        fake.host.context = this;
        fake.host.sendPacket = [](void* c, const LinkPacket& p) {
            auto* self = static_cast<LiveConversation*>(c);
            if (self->beforeSend) self->beforeSend(p);
            self->fake.sent.push_back(p);
            return self->line.Send(p);
        };
        fake.host.receivePacket = [](void* c, LinkPacket* p) {
            return static_cast<LiveConversation*>(c)->line.Receive(p);
        };
        fake.host.startAnswerTimer = [](void* c, unsigned ms) {
            static_cast<LiveConversation*>(c)->line.StartTimer(ms);
        };
        fake.host.stopAnswerTimer = [](void* c) {
            static_cast<LiveConversation*>(c)->line.timerRunning = false;
        };
        fake.host.askQuestion = [](void* c, const char* text, const char* caption, unsigned f) {
            auto* self = static_cast<LiveConversation*>(c);
            self->fake.questions.push_back({text, caption, f});
            return self->fake.reply;
        };
        fake.host.replaceImage = [](void* c, const ControllerConfig& image) {
            auto* self = static_cast<LiveConversation*>(c);
            self->fake.replaced.push_back(image);
            self->fake.document = image;
            return true;
        };
        fake.host.readImage = [](void* c, ControllerConfig* image) {
            *image = static_cast<LiveConversation*>(c)->fake.document;
        };
    }

    // Runs one dialog from its start to its end, polling every 20 ms.
    DialogRun Run(int code) {
        DialogRun run;
        conv.conversationState = code;
        DialogAction a = ConversationStart(conv, fake.host);
        auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            if (a.kind == DialogAction::ShowProgress) run.progress.push_back(a.text);
            if (a.kind == DialogAction::EndDialog) {
                run.kind = a.kind;
                run.box = a.text ? a.text : "";
                run.boxFlags = a.boxFlags;
                run.markSaved = a.markSaved;
                ConversationEnded(conv);
                return run;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            a = ConversationPoll(conv, fake.host);
            if (a.kind == DialogAction::Nothing && line.TimerFired())
                a = ConversationAnswerTimer(conv, fake.host);
        }
        ADD_FAILURE() << "the conversation did not end";
        return run;
    }
};

std::string Part1Of(const ControllerConfig& c) {
    return DataOf(Part1Answer(c));
}
std::string Part2Of(const ControllerConfig& c) {
    return DataOf(Part2Answer(c));
}

ControllerConfig SampleConfig() {
    ControllerConfig c = MakeEmptyConfig();
    c.systemNumber = 2345;
    c.controllerFunction = 1;
    c.cabinNumber = 3;
    c.stopCount = 10;
    c.lastServedStop = 10;
    rebuildServedStopFlags(c);
    c.relayFunction[4] = 20;
    c.carSpeed = 120;
    c.doorMode = 4;
    std::memset(c.siteName, 0, sizeof c.siteName);
    std::strcpy(c.siteName, W1252("Edificio Güemes"));
    std::memcpy(c.stopNames[0], "PB", 3);
    std::memcpy(c.stopNames[1], "1", 2);
    return c;
}

std::string WriteConfigFile(const ControllerConfig& c) {
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(c, 4, bytes);
    std::string path = TempPath("A02345_3.Z94");
    std::ofstream(path, std::ios::binary).write((const char*)bytes, sizeof bytes);
    return path;
}

TEST(SimLink, VersionQuery) {
    SimProcess sim({"--version", "03.07"});
    ASSERT_FALSE(sim.path.empty());
    EXPECT_EQ(sim.path.rfind("/dev/pts/", 0), 0u) << sim.path;
    LiveConversation live(sim.path);
    DialogRun run = live.Run(VersionQuery);
    EXPECT_EQ(run.box, W1252("El controlador es un ZR94VK con programa versión 3.7"));
    EXPECT_EQ(run.boxFlags, mb::IconInformation);
    EXPECT_EQ(sim.Lines("RX"), std::vector<std::string>{"RX CD=o CO=c OR=v LA=0 DATA=\"\""});
    EXPECT_EQ(sim.Lines("TX"),
              std::vector<std::string>{"TX CD=c CO=o OR=w LA=9 DATA=\"03.0794VK\""});
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(sim.log.back(), "STOP");
}

TEST(SimLink, TwoPartReceive) {
    ControllerConfig stored = SampleConfig();
    std::string file = WriteConfigFile(stored);
    SimProcess sim({"--config", file});
    LiveConversation live(sim.path);
    DialogRun run = live.Run(ReceiveVersionCheck);
    EXPECT_EQ(run.box, W1252("La configuración del controlador ha sido recibida correctamente."));
    EXPECT_TRUE(run.markSaved);
    ASSERT_EQ(live.fake.replaced.size(), 1u);
    EXPECT_EQ(Part1Of(live.fake.replaced[0]), Part1Of(stored));
    EXPECT_EQ(Part2Of(live.fake.replaced[0]), Part2Of(stored));
    EXPECT_EQ(live.fake.replaced[0].systemNumber, 2345);
    EXPECT_EQ(live.fake.replaced[0].carSpeed, 120);
    EXPECT_EQ(live.line.periods, (std::vector<unsigned>{2000, 4000}));
    EXPECT_EQ(sim.Lines("RX").size(), 3u);
    unlink(file.c_str());
}

TEST(SimLink, TwoPartTransmitIsVerifiedAndReadBack) {
    SimProcess sim({});
    LiveConversation live(sim.path);
    ControllerConfig document = SampleConfig();
    document.systemNumber = 1; // the simulator's empty configuration: no question
    document.cabinNumber = 1;
    live.fake.document = document;
    DialogRun run = live.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, "El controlador fue configurado correctamente.");
    EXPECT_TRUE(live.fake.questions.empty());
    EXPECT_EQ(live.fake.Letters(), "vbhebf");
    EXPECT_EQ(run.progress.back(), W1252("Verificando configuración (2)."));

    // What the controller now holds comes back in a receive.
    LiveConversation again(sim.path);
    run = again.Run(ReceiveVersionCheck);
    ASSERT_EQ(again.fake.replaced.size(), 1u);
    EXPECT_EQ(Part1Of(again.fake.replaced[0]), Part1Of(document));
    EXPECT_EQ(Part2Of(again.fake.replaced[0]), Part2Of(document));
}

TEST(SimLink, OnePartTransmitToAnOlderController) {
    SimProcess sim({"--version", "02.40"});
    LiveConversation live(sim.path);
    live.fake.document.TEP = 42;
    DialogRun run = live.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, std::string("El controlador fue configurado correctamente.") +
                           W1252("\r\nEl controlador es de versión anterior a 3.0 por lo que "
                                 "algunos parámetros no serán configurables.\r\nConsulte la "
                                 "ayuda por mas información."));
    EXPECT_EQ(live.fake.Letters(), "vbab");
    for (const std::string& line : sim.Lines("RX")) {
        EXPECT_EQ(line.find("OR=e"), std::string::npos);
        EXPECT_EQ(line.find("OR=f"), std::string::npos);
    }
}

TEST(SimLink, LostReadBacksAreAskedAgainOneSecondApart) {
    SimProcess sim({});
    LiveConversation live(sim.path);
    // The controller goes quiet for the first two read-backs after taking both parts.
    live.beforeSend = [&](const LinkPacket& p) {
        if (p.OR == 'b' && live.fake.Letters() == "vbhe") sim.Control("drop 2\n");
    };
    auto start = Clock::now();
    DialogRun run = live.Run(TransmitVersionCheck);
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_EQ(run.box, "El controlador fue configurado correctamente.");
    EXPECT_EQ(live.fake.Letters(), "vbhebbbf");
    EXPECT_GE(elapsed.count(), 2000);
    std::vector<std::string> expected = {W1252("Solicitando versión."),
                                         W1252("Solicitando configuración"),
                                         W1252("Transmitiendo configuración (1)."),
                                         W1252("Transmitiendo configuración (2)."),
                                         W1252("Verificando configuración (1) - 5."),
                                         W1252("Verificando configuración (1) - 4."),
                                         W1252("Verificando configuración (1) - 3."),
                                         W1252("Verificando configuración (2).")};
    EXPECT_EQ(run.progress, expected);
    EXPECT_EQ(sim.Lines("DROP").size(), 2u);
    EXPECT_EQ(sim.Lines("CONTROL drop 2").size(), 1u);
}

TEST(SimLink, RejectedAndUnverifiedWrites) {
    SimProcess sim({"--write-answer", "m"});
    LiveConversation live(sim.path);
    DialogRun run = live.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, W1252("T3- Rango de datos erróneo. El controlador no fue configurado."));
    EXPECT_EQ(run.boxFlags, mb::IconStop);

    sim.Control("write-answer e\nmismatch part2\n");
    LiveConversation second(sim.path);
    run = second.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, "La configuracion 2 no pudo ser verificada. El controlador no fue "
                       "configurado.");

    sim.Control("mismatch part1\n");
    LiveConversation third(sim.path);
    run = third.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, "La configuracion 1 no pudo ser verificada. El controlador no fue "
                       "configurado.");
}

TEST(SimLink, SlowSplitNoisyAnswersStillArrive) {
    SimProcess sim({"--delay", "300", "--split", "40", "--gap", "30", "--noise", "7"});
    LiveConversation live(sim.path);
    DialogRun run = live.Run(ReceiveVersionCheck);
    EXPECT_EQ(run.box, W1252("La configuración del controlador ha sido recibida correctamente."));
    EXPECT_EQ(sim.Lines("NOISE 7").size(), 3u);
    EXPECT_GE(sim.Lines("PIECE").size(), 6u);
}

TEST(SimLink, CorruptAnswersAreNotAnswers) {
    SimProcess sim({"--bad-check", "1"});
    LiveConversation live(sim.path);
    DialogRun run = live.Run(VersionQuery);
    EXPECT_EQ(run.box, "El controlador no contesta.");
    EXPECT_EQ(run.boxFlags, mb::IconExclamation);
    EXPECT_EQ(sim.Lines("TX").size(), 1u);
    EXPECT_NE(sim.Lines("TX")[0].find("BADCHECK"), std::string::npos);

    sim.Control("wrong-address 1\n");
    LiveConversation second(sim.path);
    run = second.Run(VersionQuery);
    EXPECT_EQ(run.box, W1252("Error en los códigos de comunicacion."));
}

TEST(SimLink, ShortAnswersAndTheLongestModelMark) {
    SimProcess sim({"--short", "1"});
    LiveConversation live(sim.path);
    EXPECT_EQ(live.Run(VersionQuery).box, "V - El controlador no es un ZRT94VK");
    EXPECT_EQ(sim.Lines("TX")[0], "TX CD=c CO=o OR=w LA=8 DATA=\"03.0794V\"");

    // Five version characters and a mark of 250 fill a packet; the next answer is whole again.
    sim.Control("model " + std::string(250, 'K') + "\n");
    LiveConversation second(sim.path);
    EXPECT_EQ(second.Run(VersionQuery).box, "V - El controlador no es un ZRT94VK");
    EXPECT_EQ(sim.Lines("TX")[1].rfind("TX CD=c CO=o OR=w LA=255 DATA=\"03.07KKK", 0), 0u);
}

TEST(SimLink, EventLogRefreshAndClear) {
    SimProcess sim({"--events", "7:3,4:12", "--hours", "1234", "--operations", "56789", "--system",
                    "123", "--cabin", "2"});
    LiveLine line(sim.path);
    EventLog log;
    EventHost host{&line,
                   [](void* c, const LinkPacket& p) { return static_cast<LiveLine*>(c)->Send(p); },
                   [](void* c, unsigned ms) { static_cast<LiveLine*>(c)->StartTimer(ms); },
                   [](void* c) { static_cast<LiveLine*>(c)->timerRunning = false; }};
    auto run = [&] {
        for (int i = 0; i < 500; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            LinkPacket p;
            if (line.Receive(&p)) {
                StepResult r = EventStep(log, host, p);
                if (r != StepContinue) return r;
            }
            if (line.TimerFired()) {
                EventTimeout(log);
                return StepFailed;
            }
        }
        return StepFailed;
    };
    StartRefresh(log, host);
    ASSERT_EQ(run(), StepFinished) << log.eventStatusText;
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

TEST(SimLink, LinkAndDeviceOptions) {
    std::string link = TempPath("com1");
    {
        SimProcess sim({"--link", link});
        char target[256] = {};
        ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), sim.path);
        LiveConversation live(link);
        EXPECT_EQ(live.Run(VersionQuery).boxFlags, mb::IconInformation);
        EXPECT_EQ(sim.Stop(), 0);
    }
    struct stat st;
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link goes when the simulator stops";

    // An existing device: here the terminal end of a pseudo-terminal the test made.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string terminal = ptsname(master);
    SimProcess sim({"--device", terminal, "--version", "02.11"});
    EXPECT_EQ(sim.path, terminal);
    LiveLine line("/dev/null");
    close(line.fd);
    line.fd = master;
    fcntl(master, F_SETFL, O_NONBLOCK);
    ASSERT_TRUE(line.Send(Packet('o', 'c', 'v')));
    LinkPacket answer{};
    bool got = sim.WaitFor([&] { return line.Receive(&answer); }, 3000);
    ASSERT_TRUE(got);
    EXPECT_EQ(DataOf(answer), "02.1194VK");
    line.fd = -1;
    close(master);
}

} // namespace
