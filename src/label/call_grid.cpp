#include "label/call_grid.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "label/label_primitives.h"

#include <cstring>

const int kCallStripTop[kCallStrips] = {160, 411, 663, 915, 1166, 1418};

namespace {

constexpr int kMainGridX = 935;
constexpr int kExpansionGridX = 758;
constexpr int kStripLength = 241;
constexpr int kScrewsPerStrip = 8;
constexpr int kBracketX = 870;
constexpr int kBracketWidth = 25;

// Fills labels from a configuration whose stop names may lack their terminators and whose stop
// count may be anything a file holds.
struct GridFiller {
    const ControllerConfig& config;
    CallLabels& labels;
    int stops;

    GridFiller(const ControllerConfig& c, CallLabels& l, int maxStops)
        : config(c), labels(l), stops(c.stopCount < maxStops ? c.stopCount : maxStops) {
        std::memset(&labels, 0, sizeof labels);
    }

    // Terminal t gets the name of stop i: at most the first 3 characters of its slot.
    void Name(int t, int i) {
        if (t < 0 || t >= kCallTerminals || i < 0 || i >= kMaxStops) return;
        const char* slot = config.stopNames[i];
        size_t length = 0;
        while (length < 3 && slot[length])
            ++length;
        std::memcpy(labels.text[t], slot, length);
        labels.text[t][length] = '\0';
    }

    void Blank(int t) {
        if (t >= 0 && t < kCallTerminals) std::strcpy(labels.text[t], "  ");
    }
};

int StopLimit(const ControllerConfig& config) {
    if (config.controllerFunction == 0) return kMaxStops;
    switch (config.controlType) {
    case 3: return 16;
    case 5: return 23;
    default: return kMaxStops;
    }
}

// The top stop has no up call and the lowest no down call: up calls run from `base` for stops
// 0..n-2, down calls from `base` for stops 1..n-1, every call from `base` for all stops.
void UpCalls(GridFiller& f, int base) {
    for (int i = 0; i <= f.stops - 2; ++i)
        f.Name(base - i, i);
}
void DownCalls(GridFiller& f, int base) {
    for (int i = 1; i <= f.stops - 1; ++i)
        f.Name(base - i, i);
}
void AllCalls(GridFiller& f, int base) {
    for (int i = 0; i < f.stops; ++i)
        f.Name(base - i, i);
}

struct Bracket {
    int y, h;
    unsigned caption;
};

// The brackets of each case of the main grid, top to bottom.
const Bracket kHallOnlyBrackets[] = {{160, 745, str::CallsUp}, {915, 745, str::CallsDown}};
const Bracket kOneHallCallBrackets[] = {{160, 745, str::CallsHall}, {915, 745, str::CallsCabin}};
const Bracket kThreeGroupBrackets[] = {
    {160, 493, str::CallsUp}, {663, 493, str::CallsDown}, {1166, 493, str::CallsCabin}};
const Bracket kDownAndCabinBrackets[] = {{160, 745, str::CallsDown}, {915, 745, str::CallsCabin}};
const Bracket kLowUpCallsBrackets[] = {
    {160, 90, str::CallsUpShort}, {250, 694, str::CallsDown}, {945, 714, str::CallsCabin}};

struct BracketSet {
    const Bracket* brackets;
    int count;
};

template <int N> constexpr BracketSet Set(const Bracket (&b)[N]) {
    return {b, N};
}

// Fills the main grid's labels and tells which brackets go with them.
BracketSet FillMainGrid(GridFiller& f, const ControllerConfig& config) {
    if (config.controllerFunction == 0) {
        UpCalls(f, 23);
        DownCalls(f, 47);
        return Set(kHallOnlyBrackets);
    }
    switch (config.controlType) {
    case 0:
    case 1:
    case 2:
        AllCalls(f, 23);
        AllCalls(f, 47);
        return Set(kOneHallCallBrackets);
    case 3:
        UpCalls(f, 15);
        DownCalls(f, 31);
        AllCalls(f, 47);
        return Set(kThreeGroupBrackets);
    case 4:
        f.Blank(23);
        DownCalls(f, 23);
        AllCalls(f, 47);
        return Set(kDownAndCabinBrackets);
    case 5:
        AllCalls(f, 47);
        DownCalls(f, 25);
        for (int i = 0; i < 3 && i < f.stops; ++i)
            f.Name(2 - i, i);
        return Set(kLowUpCallsBrackets);
    default: return {nullptr, 0}; // a type the controller does not have: no calls to show
    }
}

void DrawStrips(const LabelCanvas& c, int x, const CallLabels& labels) {
    for (int k = 0; k < kCallStrips; ++k) {
        const char* strip[kScrewsPerStrip];
        for (int j = 0; j < kScrewsPerStrip; ++j)
            strip[j] = labels.text[kScrewsPerStrip * k + j];
        DrawTerminalStrip(c, x, kCallStripTop[k], kStripLength, kScrewsPerStrip, strip,
                          StripMode::Left);
    }
}

void DrawBrackets(const LabelCanvas& c, BracketSet set) {
    for (int b = 0; b < set.count; ++b) {
        const Bracket& bracket = set.brackets[b];
        DrawCallBracket(c, kBracketX, bracket.y, kBracketWidth, bracket.h,
                        ResString(bracket.caption));
    }
}

} // namespace

void CallGridLabels(const ControllerConfig& config, CallLabels& labels) {
    GridFiller f(config, labels, StopLimit(config));
    FillMainGrid(f, config);
}

void ExpansionCallGridLabels(const ControllerConfig& config, CallLabels& labels) {
    GridFiller f(config, labels, kMaxStops);
    if (config.controlType != 4) return;
    UpCalls(f, 47);
    f.Blank(47 - (f.stops - 1));
}

void DrawCallGrid(const LabelCanvas& c, const ControllerConfig& config) {
    CallLabels labels;
    GridFiller f(config, labels, StopLimit(config));
    BracketSet brackets = FillMainGrid(f, config);
    DrawStrips(c, kMainGridX, labels);
    DrawBrackets(c, brackets);
}

void DrawExpansionCallGrid(const LabelCanvas& c, const ControllerConfig& config) {
    CallLabels labels;
    ExpansionCallGridLabels(config, labels);
    if (config.controlType == 4)
        DrawCallBracket(c, 693, 915, kBracketWidth, 745, ResString(str::CallsUp));
    DrawStrips(c, kExpansionGridX, labels);
    static const char* const kExpansionInputsA[] = {"MA", "CAE1", "CAE2"};
    static const char* const kExpansionInputsB[] = {"CAAC", "CAA1", "CAA2"};
    DrawTerminalStrip(c, 343, 165, 90, 3, kExpansionInputsA, StripMode::Below);
    DrawTerminalStrip(c, 443, 165, 90, 3, kExpansionInputsB, StripMode::Below);
}
