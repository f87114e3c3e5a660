// The simulator's command line and control file with arbitrary arguments and lines. Whatever it
// takes leaves a controller it can play: a version of one to five characters, a mark that fits
// an answer, at most 50 events of codes 1 to 99, a known write answer; every answer it gives then
// fits a packet and logs as one line, a configuration it accepts reads back as it was sent, and
// its event log reads back through the program's decoder as it was set.
//
// Input: the arguments, one a line, up to an empty line; then the control file's lines. Inputs
// with a '/' are skipped: a name is a file of the fuzzer's own folder (a.z94 holds a
// configuration, short.z94 only its mark, bad.z94 something else).
#include "sim_options.h"

#include "app/config_file.h"
#include "link/wire_encoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The corpus folders are named before the fuzzer moves into its own folder.
    for (int i = 1; i < *argc; ++i) {
        char path[PATH_MAX];
        if ((*argv)[i][0] != '-' && realpath((*argv)[i], path)) (*argv)[i] = strdup(path);
    }
    char folder[] = "/tmp/fuzz_sim_options.XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) std::abort();
    unsigned char file[kConfigFileSize];
    EncodeConfigFile(MakeEmptyConfig(), 4, file);
    std::ofstream("a.z94", std::ios::binary).write((const char*)file, sizeof file);
    std::ofstream("short.z94") << "94VK";
    std::ofstream("bad.z94") << "93VK04";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text((const char*)data, size);
    if (text.find('/') != std::string::npos) return 0;
    std::istringstream lines(text);
    std::vector<std::string> arguments{"zrt94sim"};
    std::string line;
    while (std::getline(lines, line) && !line.empty())
        arguments.push_back(line);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    SimController sim;
    SimStartOptions start;
    std::string error;
    SimArguments parsed = ParseSimArguments((int)argv.size(), argv.data(), sim, start, error);
    if (parsed == SimArguments::Bad && error.empty()) std::abort();
    if (parsed == SimArguments::Help) {
        static FILE* nowhere = std::fopen("/dev/null", "w");
        PrintSimUsage(nowhere);
    }
    while (std::getline(lines, line))
        ApplySimControlLine(sim, line);

    if (sim.version.empty() || sim.version.size() > 5 || sim.model.size() > 250 ||
        sim.events.size() > (size_t)kMaxEvents || std::string("efmM").find(sim.writeAnswer) > 3 ||
        sim.mismatch < 0 || sim.mismatch > 2)
        std::abort();
    for (const EventRecord& e : sim.events)
        if (e.code < 1 || e.code > 99 || e.stop < 0 || e.stop > 99) std::abort();

    // Writes carry the texts of the stored configuration: what is accepted reads back the same.
    PartTexts texts = EncodeParts(sim.config);
    for (char command : std::string("vbfahegcdz")) {
        LinkPacket request = MakeRequest(command), answer;
        std::string part = command == 'e'                     ? texts.part2
                           : command == 'a' || command == 'h' ? texts.part1
                                                              : "";
        request.LA = (uint8_t)part.copy((char*)request.data, part.size());
        std::string note;
        if (!sim.Respond(request, answer, note)) continue;
        if (answer.CD != 'c' || answer.CO != 'o') std::abort();
        for (char c : DescribePacket("TX", answer)) // one line of the log, whatever the bytes
            if (c < 0x20 || c > 0x7E) std::abort();
        if (command == 'b' && sim.mismatch != 1 && EncodeParts(sim.config).part1 != texts.part1)
            std::abort();
        if (command == 'v' && answer.LA != 5 + sim.model.size()) std::abort();
        if (command != 'c') continue;
        EventRecord decoded[kMaxEvents];
        unsigned count = DecodeEvents(answer, decoded);
        if (count != sim.events.size()) std::abort();
        for (unsigned i = 0; i < count; ++i)
            if (decoded[i].code != sim.events[i].code || decoded[i].stop != sim.events[i].stop)
                std::abort();
    }
    return 0;
}
