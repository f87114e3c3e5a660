#pragma once
// A recorded label as an SVG picture, to look at a label without Windows. It spans the same
// rectangle as the clipboard picture: the label with a margin of 50 units left and right and 95
// above and below. Texts approximate the Arial cells.
#include "label/recording_canvas.h"

#include <string>

std::string LabelSvg(const std::vector<LabelElement>& elements);
