#pragma once
// A text job's pages recorded instead of printed: TextPages lays the text out on a device that
// keeps what it is given, so that a preview shows the very pages and lines the printer would get.
#include "print/text_pages.h"

#include <string>
#include <vector>

// A line as TextPages printed it: its top-left corner in the printer's device units.
struct RecordedLine {
    int x, y;
    std::string text;
};
using RecordedPage = std::vector<RecordedLine>;

struct PageRecording {
    std::vector<RecordedPage> pages; // every page ended, in order
    PrintOutcome outcome = PrintOutcome::Printed;
};

// Lays `text` out on `grid` as a print job would, page for page, line for line.
PageRecording RecordTextPages(const char* text, const TextGrid& grid);
