#include "sim_options.h"

#include "app/config_file.h"

#include <cstdlib>
#include <fstream>
#include <type_traits>
#include <vector>

namespace {

// Where an option goes.
struct Target {
    SimController& sim;
    SimStartOptions& start;
};

// One option's value on its way in: its text, and where a complaint goes.
struct Value {
    const std::string& name;
    const std::string& text;
    std::string& error;

    bool Fail(const char* why) const {
        error = name + ": " + why;
        return false;
    }
    // A decimal number from 0 to `max`, nothing else around it.
    bool Number(unsigned long max, unsigned long& number) const;
};

bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 10);
    return *end == '\0' && text[0] != '-' && value <= max;
}

bool Value::Number(unsigned long max, unsigned long& number) const {
    if (ParseUnsigned(text, max, number)) return true;
    error = name + ": expected a number from 0 to " + std::to_string(max);
    return false;
}

bool ParseEvents(const std::string& text, std::vector<EventRecord>& events) {
    events.clear();
    if (text == "none" || text.empty()) return true;
    size_t at = 0;
    while (at <= text.size()) {
        size_t comma = text.find(',', at);
        std::string item =
            text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        size_t colon = item.find(':');
        unsigned long code, stop;
        if (colon == std::string::npos || !ParseUnsigned(item.substr(0, colon), 99, code) ||
            !ParseUnsigned(item.substr(colon + 1), 99, stop) || code == 0)
            return false;
        if (events.size() < (size_t)kMaxEvents) events.push_back({(int)code, (int)stop});
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return true;
}

bool LoadConfigFile(const std::string& path, ControllerConfig& config, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    // Only the file's first bytes are read: a device such as /dev/zero never ends.
    unsigned char bytes[kConfigFileSize];
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    ControllerConfig loaded;
    if (!DecodeConfigFile(bytes, (int)in.gcount(), loaded)) {
        error = path + " is not a .Z94 configuration file";
        return false;
    }
    config = loaded;
    return true;
}

// --- How each option is applied ----------------------------------------------------------------

template <std::string SimStartOptions::*Field> bool SetStart(Target& to, const Value& v) {
    to.start.*Field = v.text;
    return true;
}

// A counter or a period of the controller, from 0 to `Max`.
template <auto Field, unsigned long Max> bool SetNumber(Target& to, const Value& v) {
    unsigned long n;
    if (!v.Number(Max, n)) return false;
    to.sim.*Field = static_cast<std::remove_reference_t<decltype(to.sim.*Field)>>(n);
    return true;
}

bool SetVersion(Target& to, const Value& v) {
    if (v.text.empty() || v.text.size() > 5) return v.Fail("one to five characters, such as 03.07");
    to.sim.version = v.text;
    return true;
}

bool SetModel(Target& to, const Value& v) {
    // Five version characters and the mark fill at most the 255 data bytes of a packet.
    if (v.text.size() > 250) return v.Fail("at most 250 characters");
    to.sim.model = v.text;
    return true;
}

bool SetConfig(Target& to, const Value& v) {
    return LoadConfigFile(v.text, to.sim.config, v.error);
}

bool SetEmpty(Target& to, const Value&) {
    to.sim.config = MakeEmptyConfig();
    return true;
}

bool SetSystem(Target& to, const Value& v) {
    unsigned long n;
    if (!v.Number(65535, n)) return false;
    to.sim.config.systemNumber = (uint16_t)n;
    return true;
}

bool SetCabin(Target& to, const Value& v) {
    unsigned long n;
    if (!v.Number(9, n)) return false;
    to.sim.config.cabinNumber = (uint8_t)n;
    return true;
}

bool SetWriteAnswer(Target& to, const Value& v) {
    if (v.text != "e" && v.text != "f" && v.text != "m" && v.text != "M")
        return v.Fail("e, f, m or M");
    to.sim.writeAnswer = v.text[0];
    return true;
}

bool SetMismatch(Target& to, const Value& v) {
    static const char* const kParts[] = {"none", "part1", "part2"};
    for (int part = 0; part < 3; ++part)
        if (v.text == kParts[part]) {
            to.sim.mismatch = part;
            return true;
        }
    return v.Fail("none, part1 or part2");
}

// The whole list is read before any of it is kept: a bad item leaves the log as it was.
bool SetEvents(Target& to, const Value& v) {
    std::vector<EventRecord> events;
    if (!ParseEvents(v.text, events))
        return v.Fail("code:stop,... with codes 1..99 and stops 0..99, or none");
    to.sim.events = events;
    return true;
}

bool SetHangUp(Target& to, const Value&) {
    to.sim.hangUp = true;
    return true;
}

struct Option {
    const char* name;
    const char* argument; // nullptr: the option takes no value
    const char* help;     // a '\n' goes on under the first line
    bool startOnly;       // the command line's alone: the control file does not know it
    bool (*apply)(Target& to, const Value& value);
};

constexpr bool kStart = true, kAnyTime = false;

const Option kOptions[] = {
    {"device", "PATH", "use this serial device instead (COMn on Windows)", kStart,
     SetStart<&SimStartOptions::device>},
    {"link", "PATH", "make PATH a symbolic link to the pseudo-terminal", kStart,
     SetStart<&SimStartOptions::link>},
    {"log", "FILE", "write the frame log to FILE instead of stdout", kStart,
     SetStart<&SimStartOptions::logPath>},
    {"control", "FILE",
     "apply the options written to FILE while running,\n"
     "one \"OPTION VALUE\" a line; the file is then removed",
     kStart, SetStart<&SimStartOptions::controlPath>},
    {"version", "TEXT", "firmware version, five characters (default 03.07)", kAnyTime, SetVersion},
    {"model", "MARK", "model mark after the version (default 94VK)", kAnyTime, SetModel},
    {"config", "FILE", "stored configuration from a .Z94 file (default: empty)", kAnyTime,
     SetConfig},
    {"empty", nullptr, "stored configuration back to the empty one", kAnyTime, SetEmpty},
    {"system", "N", "stored system number (1..65535)", kAnyTime, SetSystem},
    {"cabin", "N", "stored cabin number (0..9)", kAnyTime, SetCabin},
    {"write-answer", "L", "answer to 'a', 'h', 'e': e (accept), f, m or M", kAnyTime,
     SetWriteAnswer},
    {"mismatch", "P", "store something else than written: none, part1 or part2", kAnyTime,
     SetMismatch},
    {"delay", "MS", "wait before each answer", kAnyTime,
     SetNumber<&SimController::delayMs, 600000>},
    {"drop", "N", "do not send the next N answers", kAnyTime,
     SetNumber<&SimController::dropNext, 1000000>},
    {"bad-check", "N", "send the next N answers with a wrong check", kAnyTime,
     SetNumber<&SimController::badCheckNext, 1000000>},
    {"wrong-address", "N", "send the next N answers with address letters o c", kAnyTime,
     SetNumber<&SimController::wrongAddressNext, 1000000>},
    {"short", "N", "send the next N answers that carry data one character short", kAnyTime,
     SetNumber<&SimController::shortNext, 1000000>},
    {"noise", "N", "send N noise bytes before each answer (0: none)", kAnyTime,
     SetNumber<&SimController::noiseBytes, 1000>},
    {"split", "N", "send frames in pieces of N bytes (0: whole)", kAnyTime,
     SetNumber<&SimController::splitBytes, 1000>},
    {"gap", "MS", "pause between pieces (default 50)", kAnyTime,
     SetNumber<&SimController::gapMs, 60000>},
    {"twice", "N", "send the next N answers twice", kAnyTime,
     SetNumber<&SimController::twiceNext, 1000000>},
    {"stale", "N", "send the previous answer instead of the next N", kAnyTime,
     SetNumber<&SimController::staleNext, 1000000>},
    {"hang-up", nullptr, "close the line now and open a new pseudo-terminal", kAnyTime, SetHangUp},
    {"events", "LIST", "event log, code:stop,... up to 50, or none", kAnyTime, SetEvents},
    {"hours", "N", "running hours counter (0..999999)", kAnyTime,
     SetNumber<&SimController::hours, 999999>},
    {"operations", "N", "operations counter (0..999999)", kAnyTime,
     SetNumber<&SimController::operations, 999999>},
};

const Option* Find(const std::string& name) {
    for (const Option& option : kOptions)
        if (name == option.name) return &option;
    return nullptr;
}

bool Apply(const Option* option, Target to, const std::string& name, const std::string& value,
           std::string& error) {
    if (!option) {
        error = "unknown option " + name;
        return false;
    }
    return option->apply(to, Value{name, value, error});
}

} // namespace

bool ApplySimOption(SimController& sim, const std::string& name, const std::string& value,
                    std::string& error) {
    SimStartOptions unused;
    const Option* option = Find(name);
    if (option && option->startOnly) option = nullptr;
    return Apply(option, Target{sim, unused}, name, value, error);
}

std::string ApplySimControlLine(SimController& sim, std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    if (line.empty() || line[0] == '#') return "";
    size_t space = line.find(' ');
    std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    std::string error;
    if (!ApplySimOption(sim, line.substr(0, space), value, error)) return "CONTROL ERROR " + error;
    return "CONTROL " + line;
}

SimArguments ParseSimArguments(int argc, char** argv, SimController& sim, SimStartOptions& start,
                               std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return SimArguments::Help;
        if (arg.rfind("--", 0) != 0) {
            error = "unexpected argument " + arg;
            return SimArguments::Bad;
        }
        std::string name = arg.substr(2), value;
        size_t equals = name.find('=');
        if (equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const Option* option = Find(name);
        if (equals == std::string::npos && (!option || option->argument)) {
            if (i + 1 >= argc) {
                error = "--" + name + " needs a value";
                return SimArguments::Bad;
            }
            value = argv[++i];
        }
        if (!Apply(option, Target{sim, start}, name, value, error)) return SimArguments::Bad;
    }
    return SimArguments::Run;
}

void PrintSimUsage(FILE* out) {
    std::fprintf(out, "usage: zrt94sim");
    for (const Option& option : kOptions)
        if (option.startOnly) std::fprintf(out, " [--%s %s]", option.name, option.argument);
    std::fprintf(out, "\n                [--OPTION VALUE]...\n"
                      "Plays a ZRT94VK controller. Without --device it creates a pseudo-terminal\n"
                      "and prints its path on the first line. Runs until interrupted.\n");
    auto list = [&](bool startOnly) {
        for (const Option& option : kOptions) {
            if (option.startOnly != startOnly) continue;
            std::string head = std::string(startOnly ? "--" : "") + option.name;
            if (option.argument) head += std::string(" ") + option.argument;
            std::string help = option.help;
            for (size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += 23)
                help.insert(at + 1, 22, ' ');
            std::fprintf(out, "  %-20s%s\n", head.c_str(), help.c_str());
        }
    };
    list(true);
    std::fprintf(out, "Controller options (also valid in the control file, without --):\n");
    list(false);
}
