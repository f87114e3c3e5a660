#include "label/label_renderer.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "config/relay_catalogue.h"
#include "label/call_grid.h"
#include "label/label_primitives.h"

#include <cstdio>

namespace {

constexpr LabelPen kFramePen{6};
constexpr LabelPen kThinPen{2};
constexpr LabelPen kLedPen{3};
constexpr int kSmall = 24;
constexpr int kNameSize = 7; // a relay or auxiliary name: 6 characters and the terminator
constexpr int kRelaysOnBoard = 10;
constexpr int kStripScrews = 8;
constexpr int kStripLength = 237;

struct Names {
    char relay[kRelayCount][kNameSize];
    char aux[kAuxTerminalCount][kNameSize];
};

// A hall-call controller (function 0) has no relay functions of its own: its names are blank.
void PrepareNames(const ControllerConfig& config, Names& names) {
    for (int k = 0; k < kRelayCount; ++k) {
        if (config.controllerFunction == 0)
            std::snprintf(names.relay[k], kNameSize, "     ");
        else
            RelayMnemonic(config.relayFunction[k], names.relay[k], kNameSize);
    }
    for (int k = 0; k < kAuxTerminalCount; ++k)
        RelayMnemonic(config.auxTerminalFunction[k], names.aux[k], kNameSize);
}

void Text(const LabelCanvas& c, int x, int y, int height, LabelAlign align, const char* text) {
    DrawLabelText(c, x, y, height, align, text);
}

void RelayNumber(const LabelCanvas& c, int x, int y, int number) {
    char text[8];
    std::snprintf(text, sizeof text, "R%02d", number);
    Text(c, x, y, kSmall, LabelAlign::Left, text);
}

void RelayColumn(const LabelCanvas& c, const Names& names) {
    for (int i = 1; i <= kRelaysOnBoard; ++i) {
        int y = 150 * i;
        DrawRelayBox(c, 80, y);
        Text(c, 175, y + 32, 30, LabelAlign::Centre, names.relay[i - 1]);
        DrawLed(c, 250, y + 85);
        RelayNumber(c, 80, y + 85, i);
    }
    Text(c, 280, 160, 22, LabelAlign::Left, "C");
    Text(c, 280, 190, 22, LabelAlign::Left, "NC");
    Text(c, 280, 220, 22, LabelAlign::Left, "NA");
    for (int i = 1; i <= kRelaysOnBoard; ++i)
        DrawTerminalBlockV(c, 10, 150 * i, 110, 3);
}

const char* const kBlankStrip[kStripScrews] = {"  ", "  ", "  ", "  ", "  ", "  ", "  ", "  "};

void UpperBlocks(const LabelCanvas& c, const ControllerConfig& config, const Names& names) {
    static const char* const kCarInputs[] = {"MA", "CA1", "CA2", "CA3"};
    DrawTerminalStrip(c, 10, 20, 120, 4, kCarInputs, StripMode::Right);

    // The position indicator: two 7-segment digits with their spare outputs, or one 14-segment
    // character.
    if (config.controllerFunction == 0) {
        DrawTerminalStrip(c, 381, 10, kStripLength, kStripScrews, kBlankStrip, StripMode::Below);
        DrawTerminalStrip(c, 628, 10, kStripLength, kStripScrews, kBlankStrip, StripMode::Below);
    } else if (config.optionFlags & kOptionSegments14) {
        static const char* const kA[] = {"M", "L", "K", "G2", "J", "I", "H", "G1"};
        static const char* const kB[] = {"MID", "MIU", "F", "E", "D", "C", "B", "A"};
        DrawTerminalStrip(c, 381, 10, kStripLength, kStripScrews, kA, StripMode::Below);
        DrawTerminalStrip(c, 628, 10, kStripLength, kStripScrews, kB, StripMode::Below);
    } else {
        const char* tens[] = {names.aux[3], "G", "F", "E", "D", "C", "B", "A"};
        const char* units[] = {names.aux[2], "G", "F", "E", "D", "C", "B", "A"};
        DrawTerminalStrip(c, 381, 10, kStripLength, kStripScrews, tens, StripMode::Below);
        DrawDigitBracket(c, 411, 110, 207, 25, ResString(str::LabelTens));
        DrawTerminalStrip(c, 628, 10, kStripLength, kStripScrews, units, StripMode::Below);
        DrawDigitBracket(c, 658, 110, 207, 25, ResString(str::LabelUnits));
    }
}

void LowerBlocks(const LabelCanvas& c, const ControllerConfig& config, const Names& names) {
    const int x[] = {10, 257, 504, 751};
    if (config.controllerFunction == 0) {
        for (int strip : x)
            DrawTerminalStrip(c, strip, 1840, kStripLength, kStripScrews, kBlankStrip,
                              StripMode::Above);
        return;
    }
    // Screen systems 2 and 3 wire PN in place of PAS and leave PAD unused.
    bool screen = config.screenSystem == 2 || config.screenSystem == 3;
    const char* power[] = {"+24", "0V",  "ALT", screen ? "PN" : "PAS", screen ? "" : "PAD",
                           "SF1", "SF2", "SF3"};
    const char* aux[] = {"COAUX1", "COAUX2", "COAUX3",     "COAUX4",
                         "COAUX5", "COAUX6", names.aux[0], names.aux[1]};
    static const char* const kSafety[] = {"SM", "SA", "FPA", "EXS", "EXD", "MAN", "EME", "SCA"};
    static const char* const kDoor[] = {"PRS", "PRD", "NOP", "ASC", "IND", "CER", "ABR", "COM"};
    const char* const* labels[] = {power, aux, kSafety, kDoor};
    for (int s = 0; s < 4; ++s)
        DrawTerminalStrip(c, x[s], 1840, kStripLength, kStripScrews, labels[s], StripMode::Above);
}

void LedsAndTtlHeader(const LabelCanvas& c) {
    DrawBox(c, 140, 1700, 220, 1732, kThinPen, LabelBrush::White);
    for (int r = 1; r <= 3; r += 2)
        for (int col = 1; col <= 9; col += 2)
            DrawDisc(c, 140 + 8 * col, 1700 + 8 * r, 2, kThinPen, LabelBrush::White);
    Text(c, 235, 1706, kSmall, LabelAlign::Centre, "1");
    Text(c, 180, 1751, kSmall, LabelAlign::Centre, "TTL");

    DrawBox(c, 230, 10, 280, 70, kLedPen, LabelBrush::LightGrey);
    DrawBox(c, 237, 72, 273, 100, kLedPen, LabelBrush::LightGrey);
    Text(c, 255, 120, kSmall, LabelAlign::Centre, "TXO");
    DrawBox(c, 300, 10, 350, 70, kLedPen, LabelBrush::Grey);
    DrawBox(c, 307, 72, 343, 100, kLedPen, LabelBrush::Grey);
    Text(c, 325, 120, kSmall, LabelAlign::Centre, "RXO");

    DrawLed(c, 180, 80);
    Text(c, 180, 110, kSmall, LabelAlign::Centre, "ENC");
}

bool ShowsCabin(const ControllerConfig& config) {
    return config.controllerFunction == 1 || config.controllerFunction == 3;
}

void TitleBlock(const LabelCanvas& c, const ControllerConfig& config, const char* company1,
                const char* company2) {
    const struct {
        int y;
        unsigned id;
    } kTitle[] = {{400, str::TitleController},
                  {450, str::TitleElectronic},
                  {500, str::TitleOfLifts},
                  {550, str::TitleModel}};
    for (const auto& line : kTitle)
        Text(c, 580, line.y, 50, LabelAlign::Centre, ResString(line.id));
    Text(c, 580, 650, 50, LabelAlign::Centre, company1);
    Text(c, 580, 700, 50, LabelAlign::Centre, company2);

    char text[256];
    std::snprintf(text, sizeof text, ResString(str::SystemLine), (unsigned)config.systemNumber);
    Text(c, 580, 1150, 30, LabelAlign::Centre, text);
    text[0] = '\0';
    if (config.controllerFunction == 0)
        LoadResString(str::HallCallsOnly, text, sizeof text);
    else if (ShowsCabin(config))
        std::snprintf(text, sizeof text, ResString(str::CabinLine), (int)config.cabinNumber);
    Text(c, 580, 1200, 30, LabelAlign::Centre, text);
}

void ExpansionRelays(const LabelCanvas& c, const Names& names) {
    const int kY[] = {540, 654, 828, 942, 1106, 1230, 1404, 1518};
    for (int r = 0; r < 8; ++r) {
        int y = kY[r];
        DrawRelayBox(c, 403, y);
        Text(c, 498, y + 32, 30, LabelAlign::Centre, names.relay[kRelaysOnBoard + r]);
        DrawLed(c, 573, y + 85);
        RelayNumber(c, 403, y + 85, kRelaysOnBoard + 1 + r);
    }
    const int kContactBlocks[] = {540, 828, 1106, 1404};
    for (int y : kContactBlocks)
        DrawTerminalBlockV(c, 333, y, 220, 6);
}

void ExpansionLedsAndCompany(const LabelCanvas& c, const char* company1, const char* company2) {
    DrawLed(c, 418, 320);
    Text(c, 388, 320, kSmall, LabelAlign::Right, "ENC");
    DrawConnector(c, 700, 202, "RS 485");
    DrawLed(c, 660, 232);
    DrawLed(c, 620, 232);
    Text(c, 660, 262, kSmall, LabelAlign::Centre, "RX");
    Text(c, 620, 262, kSmall, LabelAlign::Centre, "TX");
    Text(c, 175, 1640, 30, LabelAlign::Centre, company1);
    Text(c, 175, 1670, 30, LabelAlign::Centre, company2);
}

void Footer(const LabelCanvas& c, const ControllerConfig& config) {
    Text(c, 323, 1700, 30, LabelAlign::Left, ResString(str::FooterModel));
    Text(c, 790, 1700, 30, LabelAlign::Left, ResString(str::FooterSystem));
    char value[16];
    std::snprintf(value, sizeof value, "%05u", (unsigned)config.systemNumber);
    Text(c, 990, 1700, 30, LabelAlign::Right, value);

    char caption[256] = "";
    value[0] = '\0';
    if (ShowsCabin(config)) {
        LoadResString(str::FooterCabin, caption, sizeof caption);
        std::snprintf(value, sizeof value, "%d", (int)config.cabinNumber);
    } else if (config.controllerFunction == 0) {
        LoadResString(str::HallCallsOnly, caption, sizeof caption);
    }
    Text(c, 790, 1730, 30, LabelAlign::Left, caption);
    Text(c, 990, 1730, 30, LabelAlign::Right, value);
}

} // namespace

bool NeedsExpansionBoard(const ControllerConfig& config) {
    if (config.controllerFunction == 0) return false;
    int port = SupervisionPort(config);
    if (port == 1 || port == 2 || config.controlType == 4) return true;
    for (int k = kRelaysOnBoard; k < kRelayCount; ++k)
        if (config.relayFunction[k] != 0) return true;
    return false;
}

void DrawLabel(const LabelCanvas& c, const ControllerConfig& config, const char* company1,
               const char* company2) {
    DrawBox(c, 0, 0, 1000, 1900, kFramePen, LabelBrush::White);
    Names names;
    PrepareNames(config, names);
    RelayColumn(c, names);
    UpperBlocks(c, config, names);
    LowerBlocks(c, config, names);
    DrawCallGrid(c, config);
    LedsAndTtlHeader(c);
    if (!NeedsExpansionBoard(config)) {
        TitleBlock(c, config, company1, company2);
        return;
    }
    DrawBox(c, 323, 150, 823, 1670, kFramePen, LabelBrush::White);
    DrawExpansionCallGrid(c, config);
    ExpansionRelays(c, names);
    ExpansionLedsAndCompany(c, company1, company2);
    Footer(c, config);
}
