#include "print/text_pages.h"

namespace {

// The line buffer keeps room for one character past the width (the one that wraps) and the
// terminator.
constexpr int32_t kMaxCharsPerLine = kLineBufferSize - 2;

int32_t AtLeastZero(int32_t n) {
    return n < 1 ? 0 : n;
}

} // namespace

TextGrid MeasureTextGrid(int32_t lineHeight, int32_t charWidth, int32_t areaWidth,
                         int32_t areaHeight) {
    TextGrid grid{lineHeight, charWidth, 0, 0};
    if (lineHeight > 0) grid.linesPerPage = AtLeastZero(areaHeight / lineHeight - 2);
    if (charWidth > 0) grid.charsPerLine = AtLeastZero(areaWidth / charWidth - 2);
    if (grid.charsPerLine > kMaxCharsPerLine) grid.charsPerLine = kMaxCharsPerLine;
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

void TextPages::FlushLine() {
    if (lineLength == 0) return;
    lineBuffer[lineLength] = '\0';
    device.textOut(device.context, grid.charWidth * grid.charsPerLine / 10,
                   lineNo * grid.lineHeight, lineBuffer, (int)lineLength);
    lineLength = 0;
}

bool TextPages::NewPage() {
    FlushLine();
    pageOpen = false;
    if (!device.endPage(device.context) || !device.startPage(device.context)) {
        failed = true;
        return false;
    }
    pageOpen = true;
    lineNo = kFirstLineNo;
    return true;
}

PrintOutcome TextPages::PrintText(const char* text) {
    if (!TextGridFits(grid)) {
        failed = true;
        return PrintOutcome::PaperTooSmall;
    }
    lineNo = kFirstLineNo;
    for (const char* c = text; *c; ++c) {
        if (*c == '\r') {
            FlushLine();
            ++lineNo;
        } else if (*c != '\n') {
            lineBuffer[lineLength++] = *c;
        }
        if (lineLength > (uint32_t)grid.charsPerLine) {
            FlushLine();
            ++lineNo;
        }
        if (lineNo > grid.linesPerPage) {
            if (!NewPage()) return PrintOutcome::PageFailed;
            if (device.cancelled(device.context)) return PrintOutcome::Cancelled;
        }
    }
    FlushLine();
    return PrintOutcome::Printed;
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
