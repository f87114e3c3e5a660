#pragma once
// The controller label: a picture of the controller, 1000 x 1900 label units, with every
// terminal block and the name of the signal on each screw, the relays with the function
// configured on each, the call terminals with the stop names, the LEDs and connectors, the
// system and cabin numbers and the two company lines. It follows the configuration field by
// field, so every printed label belongs to one controller.
#include "config/controller_config.h"
#include "label/label_canvas.h"

// True when the configuration needs the expansion board: a controller that takes car calls
// with relays 11 to 18 in use, a supervision port on RS-232C or RS-422, or control type 4.
bool NeedsExpansionBoard(const ControllerConfig& config);

// Draws the whole label. The canvas's caller maps label units onto its device; the company
// lines are the program settings' two lines.
void DrawLabel(const LabelCanvas& c, const ControllerConfig& config, const char* company1,
               const char* company2);
