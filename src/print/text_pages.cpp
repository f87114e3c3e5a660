#include "print/text_pages.h"

namespace {

// The line buffer keeps room for the terminator.
constexpr int32_t kMaxCharsPerLine = kLineBufferSize - 1;

int32_t AtLeastZero(int32_t n) {
    return n < 1 ? 0 : n;
}

// Whether n characters printed after their margin (as FlushLine places them) end within width.
bool LineFits(int64_t n, int64_t charWidth, int64_t width) {
    return charWidth * n / 10 + charWidth * n <= width;
}

} // namespace

TextGrid MeasureTextGrid(int32_t lineHeight, int32_t charWidth, int32_t areaWidth,
                         int32_t areaHeight) {
    TextGrid grid{lineHeight, charWidth, 0, 0};
    if (lineHeight > 0) grid.linesPerPage = AtLeastZero(areaHeight / lineHeight - 2);
    if (charWidth > 0) {
        // The margin's rounding down lets the estimate fall one short.
        int32_t n = AtLeastZero((int32_t)((int64_t)areaWidth * 10 / ((int64_t)charWidth * 11)));
        while (n < kMaxCharsPerLine && LineFits(n + 1, charWidth, areaWidth))
            ++n;
        grid.charsPerLine = n < kMaxCharsPerLine ? n : kMaxCharsPerLine;
    }
    return grid;
}

bool TextGridFits(const TextGrid& grid) {
    return grid.linesPerPage >= kFirstLineNo && grid.charsPerLine >= 1;
}

void TextPages::Begin(const PrintDevice& d, const TextGrid& g) {
    device = d;
    grid = g;
    documentOpen = pageOpen = true;
    failed = false;
    lineLength = 0;
    lineNo = kFirstLineNo;
}

bool TextPages::FlushLine() {
    if (lineLength == 0) return true;
    if (!pageOpen) {
        if (!device.startPage(device.context)) {
            failed = true;
            return false;
        }
        pageOpen = true;
    }
    lineBuffer[lineLength] = '\0';
    device.textOut(device.context, grid.charWidth * grid.charsPerLine / 10,
                   lineNo * grid.lineHeight, lineBuffer, (int)lineLength);
    lineLength = 0;
    return true;
}

PrintOutcome TextPages::PrintText(const char* text) {
    if (!TextGridFits(grid)) {
        failed = true;
        return PrintOutcome::PaperTooSmall;
    }
    lineNo = kFirstLineNo;
    for (const char* c = text; *c; ++c) {
        if (*c == '\n') continue;
        if (*c != '\r' && lineLength < (uint32_t)grid.charsPerLine) {
            lineBuffer[lineLength++] = *c;
            continue;
        }
        // A carriage return, or a character that would pass the right edge: the line ends.
        if (!FlushLine()) return PrintOutcome::PageStartFailed;
        if (++lineNo > grid.linesPerPage) {
            // The next page waits for its first line, so a text that fills its last page
            // exactly leaves no blank sheet behind.
            pageOpen = false;
            if (!device.endPage(device.context)) {
                failed = true;
                return PrintOutcome::PageEndFailed;
            }
            lineNo = kFirstLineNo;
            if (device.cancelled(device.context)) return PrintOutcome::Cancelled;
        }
        if (*c != '\r') lineBuffer[lineLength++] = *c;
    }
    return FlushLine() ? PrintOutcome::Printed : PrintOutcome::PageStartFailed;
}

bool TextPages::End() {
    if (!documentOpen) return true;
    documentOpen = false;
    if (failed || device.cancelled(device.context)) {
        device.abortDocument(device.context);
        return true;
    }
    bool pageEnded = !pageOpen || device.endPage(device.context);
    pageOpen = false;
    if (!pageEnded) {
        device.abortDocument(device.context);
        return false;
    }
    return device.endDocument(device.context);
}
