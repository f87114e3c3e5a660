// Writes the fuzzers' seed corpora under tests/fuzz/corpus/<target>/, made with the core itself:
// valid frames and answers of every kind, files, images, help books and simulator options, each
// in the input layout its fuzzer reads. Run it again after changing a layout or the seeds.
#include "app/config_file.h"
#include "config_samples.h"
#include "events/event_log.h"
#include "link/framing.h"
#include "link/wire_encoding.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Bytes = std::string;
const std::string kCorpus = ZRT_SOURCE_DIR "/tests/fuzz/corpus/";

void Write(const std::string& target, const std::string& name, const Bytes& data) {
    mkdir(kCorpus.c_str(), 0755);
    mkdir((kCorpus + target).c_str(), 0755);
    std::ofstream(kCorpus + target + "/" + name, std::ios::binary) << data;
}

Bytes Image(const ControllerConfig& c) {
    return Bytes((const char*)&c, sizeof c);
}

Bytes Source(const char* file) {
    std::ifstream in(std::string(ZRT_SOURCE_DIR "/src/res/help/") + file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A book cut into a few topics at a time, small enough to fuzz quickly, each led by a search
// query; a link out of a piece points to its first topic instead.
std::vector<Bytes> Pieces(const Bytes& book, int topicsEach) {
    std::vector<Bytes> pieces;
    std::vector<std::string> keys;
    Bytes piece;
    auto flush = [&] {
        for (size_t at = 0; (at = piece.find("](", at)) != std::string::npos; at += 2) {
            size_t close = piece.find(')', at);
            std::string key = piece.substr(at + 2, close - at - 2);
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                piece.replace(at + 2, key.size(), keys[0]);
        }
        if (!keys.empty()) pieces.push_back(keys[0] + "\n@book B\n" + piece);
        piece.clear();
        keys.clear();
    };
    std::istringstream lines(book);
    std::string line;
    for (int topics = 0; std::getline(lines, line);) {
        if (line.rfind("@topic ", 0) == 0 && topics++ % topicsEach == 0) flush();
        if (line.rfind("@topic ", 0) == 0) keys.push_back(line.substr(7));
        if (topics > 0) piece += line + "\n";
    }
    flush();
    return pieces;
}

// Images in range of every controller function, and two out of it.
std::vector<ControllerConfig> Images() {
    std::vector<ControllerConfig> images{MakeEmptyConfig()};
    std::mt19937 random(94);
    for (int function = 0; function < 4; ++function) {
        ControllerConfig c = RandomValidConfig(random);
        c.controllerFunction = (uint8_t)function;
        c.cabinNumber = function == 0 ? 0 : function == 1 ? 3 : 1;
        std::snprintf(c.siteName, sizeof c.siteName, "OBRA UNO %d", function);
        images.push_back(c);
    }
    ControllerConfig stations = images[2];
    stations.stopCount = 14;
    stations.fireStation = stations.restStation = 12;
    images.push_back(stations); // the General page may cut the stops below its stations
    ControllerConfig out = MakeEmptyConfig();
    out.stopCount = 30;
    images.push_back(out);
    out = MakeEmptyConfig();
    out.relayFunction[4] = 150;
    images.push_back(out);
    return images;
}

// One packet as the event log and conversation fuzzers read it: a lead byte, OR, LA, the data.
Bytes Step(uint8_t lead, char command, const std::string& data) {
    return Bytes{(char)lead, command, (char)data.size()} + data;
}

LinkPacket Packet(char cd, char co, char command, const std::string& data) {
    LinkPacket p{};
    p.CD = (uint8_t)cd, p.CO = (uint8_t)co, p.OR = (uint8_t)command, p.LA = (uint8_t)data.size();
    data.copy((char*)p.data, data.size());
    return p;
}

Bytes Frame(const LinkPacket& p) {
    uint8_t frame[kMaxFrameSize];
    return Bytes((const char*)frame, EncodeFrame(p, frame));
}

std::string EventsText(int firstCode, int count) {
    std::string text;
    char record[8];
    for (int i = 0; i < kMaxEvents; ++i) {
        std::snprintf(record, sizeof record, "%02d%02d", i < count ? (firstCode + i) % 100 : 0,
                      i % 25);
        text += record;
    }
    return text;
}

} // namespace

int main() {
    std::vector<ControllerConfig> images = Images();
    const ControllerConfig& empty = images[0];
    ControllerConfig other = images[3];
    other.systemNumber = 345, other.cabinNumber = 2;
    const std::string v307 = "03.0794VK", v240 = "02.4094VK";
    const std::string counters = "001520048211";
    const std::string events1 = EventsText(1, 22), events2 = EventsText(17, 50);

    for (size_t i = 0; i < images.size(); ++i) {
        std::string n = std::to_string(i);
        PartTexts texts = EncodeParts(images[i]);
        Write("fuzz_wire_decode", "part1-" + n, Image(images[i]) + texts.part1);
        Write("fuzz_wire_decode", "part2-" + n, Image(images[i]) + texts.part2);
        Write("fuzz_config_report", "image-" + n,
              Image(images[i]) + "BRIVALT" + '\0' + "S.A." + '\0' + (char)(i * 37));
        unsigned char file[kConfigFileSize];
        EncodeConfigFile(images[i], 4, file);
        Bytes whole((const char*)file, sizeof file);
        Write("fuzz_config_file", "file-" + n, Bytes{0, 12} + "a00123_2.z94" + whole);
        // Every page in turn, choosing, typing, clicking and spinning on the way, then OK: see
        // the operations of fuzz_editor_pages.
        Write("fuzz_editor_pages", "pages-" + n,
              Image(images[i]) + Bytes{0,   3,   1, 1, 1, 3,   '1', '2', '3', 2,   1,   4,   1, 3,
                                       2,   0,   1, 5, 3, '1', '5', '0', 4,   2,   1,   3,   3, 'A',
                                       'B', 'C', 2, 7, 4, 3,   1,   1,   3,   '3', '0', '0', 4, 4,
                                       2,   0,   2, 1, 4, 5,   0,   0,   0,   2,   3,   5});
        // Fewer stops on the General page (its first list), then straight to OK.
        Write("fuzz_editor_pages", "stops-" + n, Image(images[i]) + Bytes{0, 0, 2, 5});
    }
    Write("fuzz_config_file", "short",
          Bytes{0, 5} + "x.Z94" + "94VK04" + Image(empty).substr(0, 94));
    Write("fuzz_config_file", "header-only", Bytes{0, 5} + "x.Z94" + "94VK");
    Write("fuzz_config_file", "not-a-file", Bytes{0, 5} + "x.Z94" + "93VK04");
    Write("fuzz_config_file", "read-fails", Bytes{1, 5} + "x.Z94" + "94VK04");
    Write("fuzz_config_file", "not-z94", Bytes{0, 10} + "config.txt" + "94VK04");
    Write("fuzz_config_file", "long-name", Bytes{2, (char)255} + std::string(251, 'a') + ".z94");

    // Conversations: document, the answer to the identity question, the state, then answers.
    auto conversation = [&](const std::string& name, const ControllerConfig& document, bool yes,
                            int state, const Bytes& answers) {
        Write("fuzz_conversation", name, Image(document) + (char)yes + (char)state + answers);
    };
    PartTexts mine = EncodeParts(images[2]), theirs = EncodeParts(other);
    const uint8_t kAnswer = 3, kLate = 7; // 'c' 'o'; with the answer timer fired first
    conversation("version", empty, true, 0, Step(kAnswer, 'w', v307));
    conversation("version-other-model", empty, true, 0, Step(kAnswer, 'w', "03.0793VK"));
    conversation("receive", images[2], true, 1,
                 Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', theirs.part1) +
                     Step(kAnswer, 'c', theirs.part2));
    conversation("receive-old", images[2], true, 1,
                 Step(kAnswer, 'w', v240) + Step(kAnswer, 'c', theirs.part1));
    conversation("receive-short", images[2], true, 1,
                 Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', theirs.part1.substr(1)));
    conversation("transmit", images[2], true, 4,
                 Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', mine.part1) +
                     Step(kAnswer, 'e', "") + Step(kAnswer, 'e', "") +
                     Step(kLate, 'c', mine.part1) + Step(kAnswer, 'c', mine.part2));
    for (bool yes : {true, false})
        conversation(yes ? "transmit-other-yes" : "transmit-other-no", images[2], yes, 4,
                     Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', theirs.part1) +
                         Step(kAnswer, 'e', "") + Step(kAnswer, 'e', "") +
                         Step(kAnswer, 'c', theirs.part1));
    conversation("transmit-old", images[2], true, 4,
                 Step(kAnswer, 'w', v240) + Step(kAnswer, 'c', mine.part1) +
                     Step(kAnswer, 'e', "") + Step(kAnswer, 'c', mine.part1));
    for (char refusal : {'f', 'm', 'M', 'x'})
        conversation(std::string("transmit-refused-") + refusal, images[2], true, 4,
                     Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', mine.part1) +
                         Step(kAnswer, refusal, ""));
    conversation("transmit-part2-differs", images[2], true, 4,
                 Step(kAnswer, 'w', v307) + Step(kAnswer, 'c', mine.part1) +
                     Step(kAnswer, 'e', "") + Step(kAnswer, 'e', "") +
                     Step(kAnswer, 'c', mine.part1) + Step(kAnswer, 'c', theirs.part2));

    // Event log: a start byte (0 refresh, 1 clear, 2 none) before each answer.
    auto events = [&](const std::string& name, const Bytes& steps) {
        Write("fuzz_event_log", name, steps);
    };
    auto refresh = [&](const std::string& version, const std::string& log) {
        Bytes b = Bytes{0} + Step(kAnswer, 'w', version);
        if (version == v307) b += Bytes{2} + Step(kAnswer, 'G', counters);
        return b + Bytes{2} + Step(kAnswer, 'c', mine.part1) + Bytes{2} + Step(kAnswer, 'C', log);
    };
    events("refresh", refresh(v307, events1));
    events("refresh-full", refresh(v307, events2));
    events("refresh-old", refresh(v240, events1));
    events("refresh-then-clear", refresh(v307, events1) + Bytes{1} + Step(kAnswer, 'D', ""));
    events("clear", Bytes{1} + Step(kAnswer, 'D', ""));
    events("counters-short",
           Bytes{0} + Step(kAnswer, 'w', v307) + Bytes{2} + Step(kAnswer, 'G', counters.substr(1)));

    // Frames on the line: a piece-size seed, then the bytes.
    std::vector<LinkPacket> packets;
    for (char c : std::string("vbfgcd"))
        packets.push_back(Packet('o', 'c', c, ""));
    packets.push_back(Packet('o', 'c', 'h', mine.part1));
    packets.push_back(Packet('o', 'c', 'a', mine.part1));
    packets.push_back(Packet('o', 'c', 'e', mine.part2));
    packets.push_back(Packet('c', 'o', 'w', v307));
    packets.push_back(Packet('c', 'o', 'c', mine.part1));
    packets.push_back(Packet('c', 'o', 'c', mine.part2));
    for (char c : std::string("efmMD"))
        packets.push_back(Packet('c', 'o', c, ""));
    packets.push_back(Packet('c', 'o', 'G', counters));
    packets.push_back(Packet('c', 'o', 'C', events1));
    packets.push_back(Packet('c', 'o', 'U', "UVU"));
    Bytes stream;
    for (size_t i = 0; i < packets.size(); ++i) {
        const LinkPacket& p = packets[i];
        Bytes frame = Frame(p);
        Write("fuzz_receiver", "frame-" + std::to_string(i), Bytes{(char)i} + frame);
        if (p.LA < 20) stream += "x\nU" + frame;
    }
    Write("fuzz_receiver", "stream", Bytes{5} + stream);
    Bytes spoilt = Frame(packets[9]);
    spoilt[spoilt.size() - 3] ^= 1;
    Write("fuzz_receiver", "bad-check", Bytes{0} + spoilt);

    // Help: a search query on the first line, then the book's source.
    std::vector<Bytes> pieces = Pieces(Source("cnfzrt94.txt"), 6);
    for (size_t i = 0; i < pieces.size(); ++i)
        Write("fuzz_help_book", "program-" + std::to_string(i), pieces[i]);
    Write("fuzz_help_book", "winhelp", "puerta autom\xc3\xa1tica\n" + Source("winhelp.txt"));
    Write("fuzz_help_book", "small",
          "a\n@book B\n@contents c\n@topic c\n@title C\n## H\n- [t](100), **b**\n@topic 100\n"
          "@title T\n@keywords k; a b\ntext [c](c)\n");

    // Simulator: its command line, one argument a line, an empty line, then a control file.
    Write("fuzz_sim_options", "old-other", "--version\n02.40\n--system\n345\n--cabin\n2\n\n");
    Write("fuzz_sim_options", "events",
          "--events\n16:1,4:12,7:3\n--hours\n1520\n--operations=48211\n\nwrite-answer m\n"
          "mismatch part2\nevents 1:1,17:24,99:99\n");
    Write("fuzz_sim_options", "faults",
          "--config=a.z94\n--noise\n8\n--split\n20\n--gap\n40\n--delay\n300\n\nempty\n# x\n"
          "drop 2\r\nbad-check 1\nwrong-address 1\nshort 1\nconfig short.z94\nconfig bad.z94\n");
    Write("fuzz_sim_options", "start",
          "--device\nx\n--link\ny\n--log\nz\n--control\nw\n\nlink x\n");
    Write("fuzz_sim_options", "bad",
          "--model\n94vk\n--write-answer=f\n--help\n\ncolour red\n"
          "version 003.07\nevents 0:1\nmodel \n");
    return 0;
}
