// Text on the printer's pages, over a fake printer that logs what reaches it.
#include "print/text_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The call that fails, counted from 1 (0: none), and the first cancel check that finds the job
// cancelled (0: none).
struct Faults {
    int failEndPage, failStartPage, cancelFrom;
};

// Logs "line:text" for each printed line, "]" for a page ended, "[" for a page started ("!" when
// the printer refuses), then "end" or "abort" for the document.
struct FakePrinter {
    Faults faults{0, 0, 0};
    int endPages = 0, startPages = 0, cancelChecks = 0;
    int lineHeight = 10, margin = -1;
    std::string log;

    void Add(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
    PrintDevice Device() {
        return {this,
                [](void* c, int x, int y, const char* text, int length) {
                    auto* f = static_cast<FakePrinter*>(c);
                    if (f->margin < 0) f->margin = x;
                    EXPECT_EQ(x, f->margin);
                    EXPECT_EQ(text[length], '\0');
                    f->Add(std::to_string(y / f->lineHeight) + ":" + std::string(text, length));
                },
                [](void* c) {
                    auto* f = static_cast<FakePrinter*>(c);
                    bool ok = ++f->endPages != f->faults.failEndPage;
                    f->Add(ok ? "]" : "]!");
                    return ok;
                },
                [](void* c) {
                    auto* f = static_cast<FakePrinter*>(c);
                    bool ok = ++f->startPages != f->faults.failStartPage;
                    f->Add(ok ? "[" : "[!");
                    return ok;
                },
                [](void* c) {
                    static_cast<FakePrinter*>(c)->Add("end");
                    return true;
                },
                [](void* c) { static_cast<FakePrinter*>(c)->Add("abort"); },
                [](void* c) {
                    auto* f = static_cast<FakePrinter*>(c);
                    return f->faults.cancelFrom && ++f->cancelChecks >= f->faults.cancelFrom;
                }};
    }
};

// "n:text" for lines first..last, each line's text being its number.
std::string Numbered(int first, int last, int offset = 0) {
    std::string s;
    for (int n = first; n <= last; ++n)
        s += (s.empty() ? "" : " ") + std::to_string(n) + ":" + std::to_string(n + offset);
    return s;
}
std::string NumberedText(int count) {
    std::string s;
    for (int n = 2; n < 2 + count; ++n)
        s += std::to_string(n) + "\r";
    return s;
}

struct Case {
    const char* name;
    std::string text;
    int linesPerPage, charsPerLine;
    Faults faults;
    PrintOutcome outcome;
    std::string log;
};

TEST(TextPages, PrintsLinesWrapsAndBreaksPages) {
    const std::string x = std::string(100, 'x'), y = std::string(300, 'y');
    const std::string page1 = Numbered(2, 60); // lines 2 to 60 of a page full of numbered lines
    // clang-format off
    const Case cases[] = {
        {"empty line", "A\r\rB", 60, 80, {0, 0, 0}, PrintOutcome::Printed, "2:A 4:B ] end"},
        {"CR LF ends one line", "A\r\nB\n\r", 60, 80, {0, 0, 0}, PrintOutcome::Printed,
         "2:A 3:B ] end"},
        {"wrap", x + "\r", 60, 80, {0, 0, 0}, PrintOutcome::Printed,
         "2:" + x.substr(0, 81) + " 3:" + x.substr(81) + " ] end"},
        {"a page holds lines 2 to 60", NumberedText(61), 60, 80, {0, 0, 0}, PrintOutcome::Printed,
         page1 + " ] [ " + Numbered(2, 3, 59) + " ] end"},
        {"the widest line", y, 60, 254, {0, 0, 0}, PrintOutcome::Printed,
         "2:" + y.substr(0, 255) + " 3:" + y.substr(255) + " ] end"},
        // A page the printer refuses ends the job; nothing goes into the lost page.
        {"end page refused", NumberedText(70), 60, 80, {1, 0, 0}, PrintOutcome::PageFailed,
         page1 + " ]! abort"},
        {"start page refused", NumberedText(70), 60, 80, {0, 1, 0}, PrintOutcome::PageFailed,
         page1 + " ] [! abort"},
        // A cancel stops at the next page break and drops the document.
        {"cancelled", NumberedText(200), 60, 80, {0, 0, 1}, PrintOutcome::Cancelled,
         page1 + " ] [ abort"},
        {"cancelled on the last page", "A", 60, 80, {0, 0, 1}, PrintOutcome::Printed, "2:A abort"},
        // Without room for a line or a character the job ends before printing anything.
        {"no line fits", "A\rB", 1, 80, {0, 0, 0}, PrintOutcome::PaperTooSmall, "abort"},
        {"no character fits", "A\rB", 60, 0, {0, 0, 0}, PrintOutcome::PaperTooSmall, "abort"},
    };
    // clang-format on
    for (const Case& c : cases) {
        FakePrinter printer;
        printer.faults = c.faults;
        TextPages pages;
        pages.Begin(printer.Device(), {printer.lineHeight, 3, c.linesPerPage, c.charsPerLine});
        EXPECT_EQ(pages.PrintText(c.text.c_str()), c.outcome) << c.name;
        pages.End();
        pages.End(); // a second end does nothing
        EXPECT_EQ(printer.log, c.log) << c.name;
        if (printer.margin >= 0) {
            EXPECT_EQ(printer.margin, 3 * c.charsPerLine / 10) << c.name;
        }
    }
}

// A job whose start failed has no document to end.
TEST(TextPages, NothingToEndWithoutADocument) {
    TextPages pages;
    pages.End();
    EXPECT_FALSE(pages.documentOpen);
}

TEST(TextGrid, LeavesTwoLinesAndTwoCharactersFree) {
    struct {
        int lineHeight, charWidth, width, height, linesPerPage, charsPerLine;
    } const cases[] = {
        {50, 30, 4760, 6800, 134, 156}, // A4 at 600 dpi
        {50, 30, 9000, 6800, 134, 254}, // no line longer than the buffer
        {50, 30, 149, 149, 0, 2},       // 2.98 lines: none left
        {50, 30, 89, 150, 1, 0},        // 2.97 characters: none left
        {0, 0, 4760, 6800, 0, 0},       // a font without metrics
    };
    for (const auto& c : cases) {
        TextGrid g = MeasureTextGrid(c.lineHeight, c.charWidth, c.width, c.height);
        EXPECT_EQ(g.linesPerPage, c.linesPerPage) << c.width << "x" << c.height;
        EXPECT_EQ(g.charsPerLine, c.charsPerLine) << c.width << "x" << c.height;
    }
}

} // namespace
