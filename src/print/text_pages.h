#pragma once
// Plain text on the printer's pages: fixed-pitch lines ended by a carriage return, wrapped at the
// printable area's right edge, a new page when a page is full. The printer is reached through
// PrintDevice, which the Windows side fills with the printer context's calls and the tests with a
// fake.
#include <cstdint>

struct PrintDevice {
    void* context;
    // Prints `length` characters with their top-left corner at (x, y), in device units.
    void (*textOut)(void* context, int x, int y, const char* text, int length);
    bool (*endPage)(void* context);
    bool (*startPage)(void* context);
    bool (*endDocument)(void* context);
    // Drops the document, so that nothing of it stays in the queue.
    void (*abortDocument)(void* context);
    // Lets the cancel dialog handle what the user did, and tells whether the job was cancelled.
    bool (*cancelled)(void* context);
};

constexpr int kLineBufferSize = 256;
// Lines 0 and 1 of a page are its top margin.
constexpr int32_t kFirstLineNo = 2;

// The text's place on a page, from the job's font and the printer's printable area.
struct TextGrid {
    int32_t lineHeight;   // character height plus external leading, in device units
    int32_t charWidth;    // the characters' advance on paper, in device units
    int32_t linesPerPage; // the last line number allowed on a page
    int32_t charsPerLine; // the characters that fit between the left margin and the right edge
};

// Two lines of the area are left free; a line takes as many characters as fit after its left
// margin (a tenth of the line's own width), so none passes the area's right edge. No count is
// below 0, and no line outgrows the line buffer. A font without height or width leaves no room.
TextGrid MeasureTextGrid(int32_t lineHeight, int32_t charWidth, int32_t areaWidth,
                         int32_t areaHeight);

// Whether a text can go on that grid at all: a page must hold its first line, a line one
// character. On a smaller grid every character would take a page (or a line) of its own.
bool TextGridFits(const TextGrid& grid);

enum class PrintOutcome { Printed, Cancelled, PageEndFailed, PageStartFailed, PaperTooSmall };

// The pages of one job, from its first page started to its document ended or dropped.
struct TextPages {
    PrintDevice device{};
    TextGrid grid{};
    bool documentOpen = false; // started, and neither ended nor dropped yet
    bool pageOpen = false;     // the current page was started and not ended; the next page is
                               // started only when a line is printed on it
    bool failed = false;       // a page could not be ended or started, or the text had no room
    uint32_t lineLength = 0;
    int32_t lineNo = 0;
    char lineBuffer[kLineBufferSize] = {};

    // The document and its first page have been started on `device`.
    void Begin(const PrintDevice& device, const TextGrid& grid);
    // Prints the pending line at the left margin (a tenth of the text's width) of line lineNo,
    // starting its page first when needed; false when the printer refuses that page.
    bool FlushLine();
    // Prints a zero-terminated text: a carriage return ends a line (an empty one too), a line
    // feed is ignored, a line wraps when its next character would pass charsPerLine. Stops at the
    // page break after a cancel, or at a page the printer refuses.
    PrintOutcome PrintText(const char* text);
    // Ends the last page and the document; a cancelled or failed job's document is dropped
    // instead, and so is one whose last page the printer refuses. False when the printer
    // refused the last page or the document's end: the job did not print whole. Nothing (true)
    // when no document is open.
    bool End();
};
