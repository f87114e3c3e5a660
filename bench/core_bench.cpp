// Native benchmarks of the portable core, each beside a baseline that does the least work the
// same input needs, so that the ratio says what the code costs beyond touching its bytes:
//   receiver   framing and receiving a 255-byte packet   vs  summing the frame's bytes
//   encoding   encoding and decoding both parts          vs  copying the 266 characters
//   report     building the report of a full image       vs  filling 10000 characters
//   label      drawing the expanded label into the        vs  walking the same elements
//              recording canvas
// Google Benchmark runs them; the ratios of the pairs are printed at the end.
#include "config/config_report.h"
#include "label/label_renderer.h"
#include "label/recording_canvas.h"
#include "link/framing.h"
#include "link/receiver.h"
#include "link/wire_encoding.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

LinkPacket LongPacket() {
    LinkPacket p{};
    p.CD = 'c';
    p.CO = 'o';
    p.OR = 'c';
    p.LA = 255;
    for (int i = 0; i < 255; ++i)
        p.data[i] = (uint8_t)('0' + i % 40); // some 'U's among them
    return p;
}

struct Bytes {
    const uint8_t* data;
    int size, at;
};

bool Next(void* context, uint8_t* byte) {
    auto* b = static_cast<Bytes*>(context);
    if (b->at >= b->size) return false;
    *byte = b->data[b->at++];
    return true;
}

void Receiver(benchmark::State& state) {
    uint8_t frame[kMaxFrameSize];
    int size = EncodeFrame(LongPacket(), frame);
    PacketReceiver receiver;
    LinkPacket packet;
    for (auto _ : state) {
        Bytes bytes{frame, size, 0};
        benchmark::DoNotOptimize(
            ReceivePacket(receiver, ByteSource{.context = &bytes, .readByte = Next}, packet));
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void ReceiverBaseline(benchmark::State& state) {
    uint8_t frame[kMaxFrameSize];
    int size = EncodeFrame(LongPacket(), frame);
    for (auto _ : state) {
        Bytes bytes{frame, size, 0};
        uint8_t byte, sum = 0;
        while (Next(&bytes, &byte))
            sum = (uint8_t)(sum + byte);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * size);
}

ControllerConfig FullImage() {
    ControllerConfig c = MakeEmptyConfig();
    c.stopCount = 24;
    c.lastServedStop = 24;
    c.controllerFunction = 3;
    c.doorMode = 8;
    std::snprintf(c.siteName, sizeof c.siteName, "%s", "Edificio Torre Norte, calle 25 de Mayo 1");
    for (int i = 0; i < kRelayCount; ++i)
        c.relayFunction[i] = (uint8_t)(60 + i);
    rebuildServedStopFlags(c);
    return c;
}

void Encoding(benchmark::State& state) {
    ControllerConfig image = FullImage(), back = image;
    LinkPacket part1{}, part2{};
    part1.LA = kPart1Length;
    part2.LA = kPart2Length;
    for (auto _ : state) {
        EncodePart1(image, reinterpret_cast<char*>(part1.data));
        EncodePart2(image, reinterpret_cast<char*>(part2.data));
        DecodePart1(part1, back);
        DecodePart2(part2, back);
        benchmark::DoNotOptimize(back);
    }
}

void EncodingBaseline(benchmark::State& state) {
    char from[kPart1Length + kPart2Length], to[sizeof from];
    std::memset(from, '7', sizeof from);
    for (auto _ : state) {
        std::memcpy(to, from, sizeof to);
        benchmark::DoNotOptimize(to);
        benchmark::ClobberMemory();
    }
}

void Report(benchmark::State& state) {
    ControllerConfig image = FullImage();
    ReportHeading heading{"BRIVALT", "S.A.", 0x00040002, 0x00010000, {2026, 12, 6, 0, 10, 30}};
    static char out[kReportBufferSize];
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildConfigReport(image, heading, out, sizeof out));
}

void ReportBaseline(benchmark::State& state) {
    static char out[kReportBufferSize];
    for (auto _ : state) {
        std::memset(out, ' ', sizeof out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
}

// The expanded layout: the most elements a label has.
ControllerConfig ExpandedImage() {
    ControllerConfig c = FullImage();
    c.controlType = 4;
    for (int i = 0; i < kMaxStops; ++i)
        std::snprintf(c.stopNames[i], kStopNameSize, "%02d", i);
    return c;
}

void Label(benchmark::State& state) {
    ControllerConfig image = ExpandedImage();
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        DrawLabel(canvas.Canvas(), image, "BRIVALT", "S.A.");
        benchmark::DoNotOptimize(canvas.elements.data());
    }
    state.counters["elements"] = (double)canvas.elements.size();
}

void LabelBaseline(benchmark::State& state) {
    RecordingCanvas canvas;
    DrawLabel(canvas.Canvas(), ExpandedImage(), "BRIVALT", "S.A.");
    for (auto _ : state) {
        long sum = 0;
        for (const LabelElement& e : canvas.elements)
            sum += e.x1 + e.y1 + e.x2 + e.y2 + e.text[0];
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(Receiver);
BENCHMARK(ReceiverBaseline);
BENCHMARK(Encoding);
BENCHMARK(EncodingBaseline);
BENCHMARK(Report);
BENCHMARK(ReportBaseline);
BENCHMARK(Label);
BENCHMARK(LabelBaseline);

// Keeps each run's time per iteration so that the pairs can be compared at the end.
struct RatioReporter : benchmark::ConsoleReporter {
    std::map<std::string, double> ns;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            ns[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio to baseline (time per iteration):\n");
    for (const char* name : {"Receiver", "Encoding", "Report", "Label"}) {
        double code = reporter.ns[name], base = reporter.ns[std::string(name) + "Baseline"];
        if (code > 0 && base > 0) std::printf("  %-10s %8.1f\n", name, code / base);
    }
    return 0;
}
