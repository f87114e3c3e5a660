// zrt94sim as a process on a real pseudo-terminal: what only the process does (its path and
// log on stdout, its link and device options, its address fault). Its answers are tested in
// process (sim_options_test.cpp); the program's conversations against it, its control file and
// a stored configuration, in the end-to-end link scenario.
#include "link_test_support.h"

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
#include <vector>

namespace {

template <typename Done> bool WaitFor(Done done, int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (; std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(5)))
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

// The version request from the program's end of the line: the answer's data, or "<none>".
std::string AskVersion(int fd) {
    termios t;
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    fcntl(fd, F_SETFL, O_NONBLOCK);
    std::string frame = Frame(Packet('o', 'c', 'v'));
    PacketReceiver receiver;
    ByteSource source{.context = &fd,
                      .readByte = [](void* c, uint8_t* b) { return read(*(int*)c, b, 1) == 1; }};
    LinkPacket answer{};
    bool sent = write(fd, frame.data(), frame.size()) == (ssize_t)frame.size();
    if (!sent || !WaitFor([&] { return ReceivePacket(receiver, source, answer); }, 3000))
        return "<none>";
    return DataOf(answer);
}

std::string LinkTarget(const std::string& link) {
    char target[256] = {};
    return readlink(link.c_str(), target, sizeof target - 1) > 0 ? target : "";
}

TEST(SimLink, LinkAndDeviceOptions) {
    std::string link = "/tmp/zrt94sim_test_" + std::to_string(getpid()) + "_com1";
    ASSERT_EQ(symlink("/dev/null", link.c_str()), 0); // a link left behind is replaced
    {
        // It prints its terminal's path, logs each frame and its stop; answers here come with
        // the request's own address.
        SimProcess sim({"--link", link, "--wrong-address", "1", "--version", "02.11"});
        EXPECT_EQ(LinkTarget(link), sim.path);
        ASSERT_EQ(sim.path.rfind("/dev/pts/", 0), 0u) << sim.path;
        int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
        EXPECT_EQ(AskVersion(fd), "02.1194VK");
        close(fd);
        EXPECT_EQ(sim.Lines("RX"), std::vector<std::string>{"RX CD=o CO=c OR=v LA=0 DATA=\"\""});
        EXPECT_EQ(sim.Lines("TX"),
                  std::vector<std::string>{"TX CD=o CO=c OR=w LA=9 DATA=\"02.1194VK\""});
        EXPECT_EQ(sim.Stop(), 0);
        EXPECT_EQ(sim.log.back(), "STOP");
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
    SimProcess sim({"--device", terminal});
    EXPECT_EQ(sim.path, terminal);
    EXPECT_EQ(AskVersion(master), "03.0794VK");
}

} // namespace
