// The program's conversations against zrt94sim over a real pseudo-terminal: the steps send
// frames to the line, a loop polls for answers and fires the answer timer on real time. The
// faults of a bad line are the end-to-end tests' business; here are the four exchanges and what
// only the simulator's process does (its log, its link and device options, its address fault).
#include "link/interrogation.h"

#include "app/config_file.h"
#include "base/cp1252.h"
#include "conversation_fake_host.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
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

template <typename Done> bool WaitFor(Done done, int ms) {
    auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (; Clock::now() < deadline; std::this_thread::sleep_for(std::chrono::milliseconds(5)))
        if (done()) return true;
    return false;
}

// zrt94sim running as a child process; its stdout (the path, then the log) is read back.
struct SimProcess {
    pid_t pid = -1;
    int out = -1;
    std::string path, pending;
    std::vector<std::string> log;
    bool ended = false; // its output closed: it has stopped

    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), ZRT94SIM_PATH);
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
        if (WaitFor([&] { return !Lines("").empty() || ended; }, 5000) && !log.empty())
            path = log.front();
    }
    ~SimProcess() { Stop(); }

    // Stops it as a user would; its exit status.
    int Stop() {
        if (pid <= 0) return -1;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        Lines("");
        close(out);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // Log lines that begin with `prefix`.
    std::vector<std::string> Lines(const std::string& prefix) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(out, buffer, sizeof buffer)) > 0)
            pending.append(buffer, n);
        ended = ended || n == 0;
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            log.push_back(pending.substr(0, end));
        std::vector<std::string> found;
        for (auto& line : log)
            if (line.rfind(prefix, 0) == 0) found.push_back(line);
        return found;
    }
};

// The program's end of the line: the frames the poll timer would read.
struct LiveLine {
    int fd = -1;
    PacketReceiver receiver;
    ByteSource source{.context = this, .readByte = [](void* c, uint8_t* b) {
                          return read(static_cast<LiveLine*>(c)->fd, b, 1) == 1;
                      }};

    explicit LiveLine(int terminal) : fd(terminal) {
        termios t;
        fcntl(fd, F_SETFL, O_NONBLOCK);
        if (tcgetattr(fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fd, TCSANOW, &t);
        }
    }
    explicit LiveLine(const std::string& path) : LiveLine(open(path.c_str(), O_RDWR | O_NOCTTY)) {}
    ~LiveLine() { close(fd); }
    bool Send(const LinkPacket& p) {
        std::string frame = Frame(p);
        return write(fd, frame.data(), frame.size()) == (ssize_t)frame.size();
    }
    bool Receive(LinkPacket* p) { return ReceivePacket(receiver, source, *p); }
};

// What the dialog would show: its progress texts and its last box.
struct DialogRun {
    std::vector<std::string> progress;
    std::string box;
    unsigned boxFlags = 0;
    bool markSaved = false;
};

// The scripted fake host with its packets carried over the line and its answer timer run on
// real time.
struct LiveConversation {
    FakeConversationHost fake;
    LiveLine line;
    Conversation conv;

    explicit LiveConversation(const std::string& path) : line(path) {}

    // Runs one dialog from its start to its end, polling every 20 ms.
    DialogRun Run(int code) {
        DialogRun run;
        size_t sent = 0, timerSteps = 0;
        bool timing = false;
        Clock::time_point due{};
        conv.conversationState = code;
        DialogAction a = ConversationStart(conv, fake.host);
        for (auto deadline = Clock::now() + std::chrono::seconds(20); Clock::now() < deadline;) {
            for (; sent < fake.sent.size(); ++sent)
                EXPECT_TRUE(line.Send(fake.sent[sent]));
            for (; timerSteps < fake.timer.size(); ++timerSteps) {
                const std::string& step = fake.timer[timerSteps]; // "start 1000" or "stop"
                timing = step != "stop";
                if (timing)
                    due = Clock::now() + std::chrono::milliseconds(std::stoi(step.substr(6)));
            }
            if (a.kind == DialogAction::ShowProgress) run.progress.push_back(a.text);
            if (a.kind == DialogAction::EndDialog) {
                run.box = a.text ? a.text : "";
                run.boxFlags = a.boxFlags;
                run.markSaved = a.markSaved;
                ConversationEnded(conv);
                return run;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            for (LinkPacket p; line.Receive(&p);)
                fake.incoming.push_back(p);
            a = ConversationPoll(conv, fake.host);
            if (a.kind == DialogAction::Nothing && timing && Clock::now() >= due) {
                timing = false;
                a = ConversationAnswerTimer(conv, fake.host);
            }
        }
        ADD_FAILURE() << "the conversation did not end";
        return run;
    }
};

std::string Parts(const ControllerConfig& c) {
    return DataOf(Part1Answer(c)) + DataOf(Part2Answer(c));
}

ControllerConfig SampleConfig() {
    ControllerConfig c = MakeEmptyConfig();
    c.systemNumber = 2345;
    c.controllerFunction = 1;
    c.cabinNumber = 3;
    c.stopCount = c.lastServedStop = 10;
    rebuildServedStopFlags(c);
    c.relayFunction[4] = 20;
    c.carSpeed = 120;
    c.doorMode = 4;
    std::snprintf(c.siteName, sizeof c.siteName, "%s", W1252("Edificio Güemes"));
    std::memcpy(c.stopNames[0], "PB", 3);
    return c;
}

const char kConfigured[] = "El controlador fue configurado correctamente.";

// One simulated controller, started on a stored configuration: a version query, a two-part
// receive, a verified two-part transmit and what it holds afterwards.
TEST(SimLink, VersionReceiveAndVerifiedTransmit) {
    ControllerConfig stored = SampleConfig();
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(stored, 4, bytes);
    std::string file = TempPath("A02345_3.Z94");
    std::ofstream(file, std::ios::binary).write((const char*)bytes, sizeof bytes);
    SimProcess sim({"--config", file, "--version", "03.07"});
    unlink(file.c_str());
    ASSERT_EQ(sim.path.rfind("/dev/pts/", 0), 0u) << sim.path;

    DialogRun run = LiveConversation(sim.path).Run(VersionQuery);
    EXPECT_EQ(run.box, W1252("El controlador es un ZR94VK con programa versión 3.7"));
    EXPECT_EQ(run.boxFlags, mb::IconInformation);
    EXPECT_EQ(sim.Lines("RX"), std::vector<std::string>{"RX CD=o CO=c OR=v LA=0 DATA=\"\""});
    EXPECT_EQ(sim.Lines("TX"),
              std::vector<std::string>{"TX CD=c CO=o OR=w LA=9 DATA=\"03.0794VK\""});

    LiveConversation receive(sim.path);
    run = receive.Run(ReceiveVersionCheck);
    EXPECT_EQ(run.box, W1252("La configuración del controlador ha sido recibida correctamente."));
    EXPECT_TRUE(run.markSaved);
    ASSERT_EQ(receive.fake.replaced.size(), 1u);
    EXPECT_EQ(Parts(receive.fake.replaced[0]), Parts(stored));
    EXPECT_EQ(receive.fake.TimerLog(), "start 2000, stop, start 4000, stop, stop");

    LiveConversation transmit(sim.path);
    transmit.fake.document = stored; // the same identity: no question
    transmit.fake.document.carSpeed = 75;
    transmit.fake.document.relayFunction[0] = 61;
    run = transmit.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box, kConfigured);
    EXPECT_TRUE(transmit.fake.questions.empty());
    EXPECT_EQ(transmit.fake.Letters(), "vbhebf");
    EXPECT_EQ(run.progress.back(), W1252("Verificando configuración (2)."));
    LiveConversation again(sim.path);
    again.Run(ReceiveVersionCheck);
    ASSERT_EQ(again.fake.replaced.size(), 1u);
    EXPECT_EQ(Parts(again.fake.replaced[0]), Parts(transmit.fake.document));

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(sim.log.back(), "STOP");
}

TEST(SimLink, OnePartTransmitToAnOlderController) {
    SimProcess sim({"--version", "02.40"});
    LiveConversation live(sim.path);
    live.fake.document.TEP = 42;
    DialogRun run = live.Run(TransmitVersionCheck);
    EXPECT_EQ(run.box,
              kConfigured + std::string(W1252("\r\nEl controlador es de versión anterior a 3.0 por "
                                              "lo que algunos parámetros no serán configurables."
                                              "\r\nConsulte la ayuda por mas información.")));
    EXPECT_EQ(live.fake.Letters(), "vbab");
}

TEST(SimLink, AnswerWithTheRequestsAddressIsRefused) {
    SimProcess sim({"--wrong-address", "1"});
    EXPECT_EQ(LiveConversation(sim.path).Run(VersionQuery).box,
              W1252("Error en los códigos de comunicacion."));
    EXPECT_EQ(sim.Lines("TX CD=o CO=c OR=w").size(), 1u);
}

std::string LinkTarget(const std::string& link) {
    char target[256] = {};
    return readlink(link.c_str(), target, sizeof target - 1) > 0 ? target : "";
}

TEST(SimLink, LinkAndDeviceOptions) {
    std::string link = TempPath("com1");
    ASSERT_EQ(symlink("/dev/null", link.c_str()), 0); // a link left behind is replaced
    {
        SimProcess sim({"--link", link});
        EXPECT_EQ(LinkTarget(link), sim.path);
        EXPECT_EQ(LiveConversation(link).Run(VersionQuery).boxFlags, mb::IconInformation);
        EXPECT_EQ(sim.Stop(), 0);
    }
    struct stat st;
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link goes when the simulator stops";

    // What is not its own link stays: a file in the way, and a link put in its place meanwhile.
    std::ofstream(link) << "keep";
    EXPECT_NE(SimProcess({"--link", link}).Stop(), 0);
    std::string kept;
    std::getline(std::ifstream(link), kept);
    EXPECT_EQ(kept, "keep");
    unlink(link.c_str());
    {
        SimProcess sim({"--link", link});
        ASSERT_EQ(LinkTarget(link), sim.path);
        unlink(link.c_str());
        ASSERT_EQ(symlink("/dev/zero", link.c_str()), 0);
        EXPECT_EQ(sim.Stop(), 0);
        EXPECT_EQ(LinkTarget(link), "/dev/zero");
        unlink(link.c_str());
    }

    // An existing device: here the terminal end of a pseudo-terminal the test made.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string terminal = ptsname(master);
    SimProcess sim({"--device", terminal, "--version", "02.11"});
    EXPECT_EQ(sim.path, terminal);
    LiveLine line(master);
    ASSERT_TRUE(line.Send(Packet('o', 'c', 'v')));
    LinkPacket answer{};
    ASSERT_TRUE(WaitFor([&] { return line.Receive(&answer); }, 3000));
    EXPECT_EQ(DataOf(answer), "02.1194VK");
}

} // namespace
