// Arbitrary text on an arbitrary grid: every character but the line ends is printed once and in
// order, every line ends within the area's width, and every line lies on its page.
#include "print/text_pages.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Printed {
    std::string text;
    TextGrid grid;
    int width;
};

void TextOut(void* context, int x, int y, const char* text, int length) {
    Printed& p = *static_cast<Printed*>(context);
    if (length < 0 || x + length * p.grid.charWidth > p.width) std::abort();
    if (y < kFirstLineNo * p.grid.lineHeight || y > p.grid.linesPerPage * p.grid.lineHeight)
        std::abort();
    p.text.append(text, length);
}

bool Yes(void*) {
    return true;
}
bool No(void*) {
    return false;
}
void Nothing(void*) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    Printed printed{"", {}, data[2] * 20};
    printed.grid = MeasureTextGrid(1 + data[0] % 60, 1 + data[1] % 30, printed.width, data[3] * 20);
    if (!TextGridFits(printed.grid)) return 0;
    std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
    text = text.substr(0, text.find('\0'));
    TextPages pages;
    pages.Begin(PrintDevice{&printed, TextOut, Yes, Yes, Yes, Nothing, No}, printed.grid);
    if (pages.PrintText(text.c_str()) != PrintOutcome::Printed) std::abort();
    pages.End();
    std::string expected;
    for (char c : text)
        if (c != '\r' && c != '\n') expected += c;
    if (printed.text != expected) std::abort();
    return 0;
}
