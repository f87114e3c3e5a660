#pragma once
// Lays a help topic out in lines for a given width: words wrap at blanks, a word made of several
// runs (a bold word and its comma) stays together, list items hang behind their bullet. The
// caller measures text in its fonts and draws the pieces where the layout puts them.
#include "help/help_book.h"

#include <string>
#include <vector>

enum class HelpFont : uint8_t { Body, Bold, Link, Heading, Title };

struct HelpMeasure {
    void* context;
    int (*textWidth)(void* context, HelpFont font, const char* text, int length);
    int (*lineHeight)(void* context, HelpFont font);
};

// One piece of text on one line, all in one font.
struct HelpPiece {
    int x, y, width, height;
    HelpFont font;
    int target; // topic index of a link, else -1
    std::string text;
};

struct HelpLayout {
    std::vector<HelpPiece> pieces;
    int width = 0;  // of the widest line
    int height = 0; // to the bottom of the last line
};

// The layout of a topic's body in `width` pixels, led by its title when `withTitle`.
HelpLayout LayOutHelpTopic(const HelpTopic& topic, bool withTitle, int width,
                           const HelpMeasure& measure);

// The link under a point, or -1.
int HelpLinkAt(const HelpLayout& layout, int x, int y);
