// zrt94sim: plays a ZRT94VK controller on a serial line, for tests, training and trying the
// configurator without a controller. See the README for the options.
#include "serial_line.h"
#include "sim_controller.h"
#include "sim_options.h"

#include "link/framing.h"
#include "link/receiver.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include "owned_link.h"
using OwnedLinkOrNothing = OwnedLink;
#else
struct OwnedLinkOrNothing {};
#endif

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int) {
    stopRequested = 1;
}

void InstallSignals() {
#ifdef _WIN32
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
#else
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a waiting poll returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

// Bytes due on the line at a time; `logLine` is written to the log when they go out.
struct Pending {
    uint64_t due;
    std::vector<uint8_t> bytes;
    std::string logLine;
};

struct Simulator {
    SimController sim;
    SerialLine line;
    PacketReceiver receiver;
    std::deque<Pending> queue;
    FILE* log = stdout;
    std::mt19937 random{20240611};
    LinkPacket lastAnswer;
    bool answered = false;

    void Log(const std::string& text) {
        std::fprintf(log, "%s\n", text.c_str());
        std::fflush(log);
    }

    // The answer to one request as bytes on a schedule, with the faults asked for.
    void Answer(const LinkPacket& request) {
        LinkPacket answer;
        std::string note;
        if (!sim.Respond(request, answer, note)) {
            Log("SILENT OR=" + std::string(1, (char)request.OR) + " (" + note + ")");
            return;
        }
        if (sim.dropNext > 0) {
            --sim.dropNext;
            Log(DescribePacket("DROP", answer));
            return;
        }
        std::string tag;
        if (sim.staleNext > 0 && answered) {
            --sim.staleNext;
            std::swap(answer, lastAnswer);
            tag = " STALE";
        } else {
            lastAnswer = answer;
            answered = true;
        }
        if (sim.shortNext > 0 && answer.LA > 0) {
            --sim.shortNext;
            --answer.LA;
        }
        if (sim.wrongAddressNext > 0) {
            --sim.wrongAddressNext;
            answer.CD = 'o';
            answer.CO = 'c';
        }
        uint8_t frame[kMaxFrameSize];
        int size = EncodeFrame(answer, frame);
        if (sim.badCheckNext > 0) {
            --sim.badCheckNext;
            frame[size - 3] = frame[size - 3] == '0' ? '1' : '0';
            tag += " BADCHECK";
        }
        uint64_t due = NowMs() + sim.delayMs;
        if (sim.noiseBytes > 0) {
            static const uint8_t kNoise[] = {'x', 'U', '\n', '\r', 0x00, 0xFF, '#', 'c'};
            std::vector<uint8_t> noise;
            for (int i = 0; i < sim.noiseBytes; ++i)
                noise.push_back(kNoise[random() % sizeof kNoise]);
            queue.push_back({due, noise, "NOISE " + std::to_string(sim.noiseBytes)});
        }
        int piece = sim.splitBytes > 0 ? sim.splitBytes : size;
        int copies = sim.twiceNext > 0 ? 2 : 1;
        if (copies == 2) --sim.twiceNext;
        for (int copy = 0; copy < copies; ++copy)
            for (int at = 0; at < size; at += piece) {
                int n = size - at < piece ? size - at : piece;
                std::string logLine =
                    at == 0 ? DescribePacket("TX", answer) + tag + (copy ? " AGAIN" : "") : "";
                // Appended: GCC 12 warns falsely on "literal" + string in C++20.
                if (piece < size)
                    logLine.append(at == 0 ? " PIECE " : "PIECE ").append(std::to_string(n));
                queue.push_back({due, std::vector<uint8_t>(frame + at, frame + at + n), logLine});
                due += sim.gapMs;
            }
    }

    void SendDue() {
        uint64_t now = NowMs();
        while (!queue.empty() && queue.front().due <= now) {
            Pending& p = queue.front();
            if (!p.logLine.empty()) Log(p.logLine);
            if (!line.Write(p.bytes.data(), (int)p.bytes.size())) Log("ERROR write failed");
            queue.pop_front();
        }
    }

    bool ReadLine() {
        uint8_t buffer[512];
        int n = line.Read(buffer, sizeof buffer);
        if (n < 0) {
            Log("ERROR read failed");
            return false;
        }
        LinkPacket packet;
        for (int i = 0; i < n; ++i) {
            if (!receiver.Feed(buffer[i], packet)) continue;
            Log(DescribePacket("RX", packet));
            Answer(packet);
        }
        return true;
    }

    // Applies a control file when one is there, then removes it so that the writer knows.
    void CheckControl(const std::string& path) {
        std::ifstream in(path);
        if (!in) return;
        std::string text;
        while (std::getline(in, text)) {
            std::string logLine = ApplySimControlLine(sim, text);
            if (!logLine.empty()) Log(logLine);
        }
        in.close();
        std::remove(path.c_str());
    }
};

static Simulator s;

// The line goes away under the program, as an unplugged adapter would, and a new one takes its
// place (and its link), ready for the next program that opens the port.
bool HangUp(const SimStartOptions& settings, std::string& path, OwnedLinkOrNothing& link) {
    s.sim.hangUp = false;
    s.queue.clear();
    s.line.Close();
    std::string error;
    bool opened = settings.device.empty() ? s.line.OpenPseudoTerminal(path, error)
                                          : s.line.OpenDevice(settings.device, error);
#ifndef _WIN32
    if (opened && !settings.link.empty() && !link.Make(settings.link, path, error)) opened = false;
#endif
    (void)link;
    s.Log(opened ? "HANGUP new line " + path : "ERROR " + error);
    return opened;
}

} // namespace

int main(int argc, char** argv) {
    SimStartOptions settings;
    std::string error;
    switch (ParseSimArguments(argc, argv, s.sim, settings, error)) {
    case SimArguments::Help: PrintSimUsage(stdout); return 0;
    case SimArguments::Bad:
        std::fprintf(stderr, "zrt94sim: %s\n", error.c_str());
        PrintSimUsage(stderr);
        return 2;
    case SimArguments::Run: break;
    }
    std::string path;
    bool opened = settings.device.empty() ? s.line.OpenPseudoTerminal(path, error)
                                          : s.line.OpenDevice(settings.device, error);
    if (!opened) {
        std::fprintf(stderr, "zrt94sim: %s\n", error.c_str());
        return 1;
    }
    if (path.empty()) path = settings.device;
    OwnedLinkOrNothing link;
#ifndef _WIN32
    if (!settings.link.empty() && !link.Make(settings.link, path, error)) {
        std::fprintf(stderr, "zrt94sim: %s\n", error.c_str());
        return 1;
    }
#endif
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    if (!settings.logPath.empty()) {
        s.log = std::fopen(settings.logPath.c_str(), "a");
        if (!s.log) {
            std::fprintf(stderr, "zrt94sim: cannot write %s\n", settings.logPath.c_str());
            return 1;
        }
    }
    InstallSignals();
    s.Log("READY version=" + s.sim.version + " model=" + s.sim.model);

    uint64_t nextControl = 0;
    while (!stopRequested) {
        if (!settings.controlPath.empty() && NowMs() >= nextControl) {
            s.CheckControl(settings.controlPath);
            nextControl = NowMs() + 20;
        }
        if (s.sim.hangUp && !HangUp(settings, path, link)) break;
        s.SendDue();
        unsigned wait = 10;
        if (!s.queue.empty()) {
            uint64_t now = NowMs(), due = s.queue.front().due;
            wait = due <= now ? 0 : (unsigned)(due - now < 10 ? due - now : 10);
        }
        s.line.Wait(wait);
        if (!s.ReadLine()) break;
    }
    s.Log("STOP");
#ifndef _WIN32
    link.Remove();
#endif
    s.line.Close();
    if (s.log != stdout) std::fclose(s.log);
    return 0;
}
