#pragma once
// The call terminals on the label's right edge (and, on the expansion board, the up calls of a
// 24-stop selective control): which stop's name stands beside which screw, and the brackets
// that group them. Terminal t = 8k + j is screw j (0 at the top) of strip k (0 at the top).
#include "config/controller_config.h"
#include "label/label_canvas.h"

constexpr int kCallTerminals = 48;
constexpr int kCallStrips = 6;
constexpr int kCallLabelSize = 5; // 4 characters and the terminator

struct CallLabels {
    char text[kCallTerminals][kCallLabelSize];
};

// The labels of the main grid and of the expansion grid. A stop count beyond what the control
// type can wire (16 for type 3, 23 for type 5, 24 otherwise) is cut to it.
void CallGridLabels(const ControllerConfig& config, CallLabels& labels);
void ExpansionCallGridLabels(const ControllerConfig& config, CallLabels& labels);

// Top edge of strip k: 160 + k * 251.66667 in single precision, truncated.
extern const int kCallStripTop[kCallStrips];

// Each grid with its labels and brackets; the expansion grid also with the expansion board's
// input blocks.
void DrawCallGrid(const LabelCanvas& c, const ControllerConfig& config);
void DrawExpansionCallGrid(const LabelCanvas& c, const ControllerConfig& config);
