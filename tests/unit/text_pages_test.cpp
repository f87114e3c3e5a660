// Text on the printer's pages, over a fake printer that logs what reaches it, and the same pages
// recorded for a preview.
#include "print/page_recording.h"
#include "print/text_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Logs "line:text" for a line printed, "]" and "[" for a page ended and started ("!" when
// refused), then "end" or "abort" for the document. Refuses the failEnd-th end of a page and the
// failStart-th start (counted from 1; 0: none), and the document's end with failDocument; the
// job is cancelled from the cancelFrom-th check.
struct FakePrinter {
    int failEnd, failStart, cancelFrom, margin;
    int ends = 0, starts = 0, checks = 0;
    std::string log;
    bool failDocument = false;

    static FakePrinter& Of(void* c) { return *static_cast<FakePrinter*>(c); }
    bool Add(const std::string& entry, bool ok = true) {
        log += (log.empty() ? "" : " ") + entry + (ok ? "" : "!");
        return ok;
    }
    PrintDevice Device() {
        return {this,
                [](void* c, int x, int y, const char* text, int length) {
                    EXPECT_EQ(x, Of(c).margin);
                    EXPECT_EQ(text[length], '\0');
                    Of(c).Add(std::to_string(y / 10) + ":" + std::string(text, length));
                },
                [](void* c) { return Of(c).Add("]", ++Of(c).ends != Of(c).failEnd); },
                [](void* c) { return Of(c).Add("[", ++Of(c).starts != Of(c).failStart); },
                [](void* c) { return Of(c).Add("end", !Of(c).failDocument); },
                [](void* c) { Of(c).Add("abort"); },
                [](void* c) { return Of(c).cancelFrom && ++Of(c).checks >= Of(c).cancelFrom; }};
    }
};

TEST(TextPages, PrintsLinesWrapsAndBreaksPages) {
    auto logged = [](int first, int last) {
        std::string s;
        for (int n = first; n <= last; ++n)
            s.append(n > first ? " " : "").append(std::to_string(n)).append(":L");
        return s;
    };
    std::string lines59;
    for (int i = 0; i < 59; ++i)
        lines59 += "L\r";
    const std::string lines61 = lines59 + "L\rL\r";
    const std::string x(100, 'x'), page = logged(2, 60);
    struct Case {
        const char* name;
        std::string text;
        int linesPerPage, charsPerLine, failEnd, failStart, cancelFrom;
        PrintOutcome outcome;
        std::string log;
    };
    // clang-format off
    const Case cases[] = {
        {"CR LF", "A\r\n\rB\n\r", 60, 80, 0, 0, 0, PrintOutcome::Printed, "2:A 4:B ] end"},
        {"wrap", x + "\r", 60, 81, 0, 0, 0, PrintOutcome::Printed,
         "2:" + x.substr(0, 81) + " 3:" + x.substr(81) + " ] end"},
        {"a full line ends at its CR", x + "\rB", 60, 100, 0, 0, 0, PrintOutcome::Printed, "2:" + x + " 3:B ] end"},
        {"a page holds lines 2 to 60", lines61, 60, 80, 0, 0, 0, PrintOutcome::Printed,
         page + " ] [ " + logged(2, 3) + " ] end"},
        {"no page after a full last page", lines59, 60, 80, 0, 0, 0, PrintOutcome::Printed, page + " ] end"},
        // A page the printer refuses ends the job; nothing goes into the lost page.
        {"end refused", lines61, 60, 80, 1, 0, 0, PrintOutcome::PageEndFailed, page + " ]! abort"},
        {"start refused", lines61, 60, 80, 0, 1, 0, PrintOutcome::PageStartFailed,
         page + " ] [! abort"},
        // A cancel stops at the next page break, or when the last page ends, and drops the job.
        {"cancelled", lines61, 60, 80, 0, 0, 1, PrintOutcome::Cancelled, page + " ] abort"},
        {"cancelled at the end", "A", 60, 80, 0, 0, 1, PrintOutcome::Printed, "2:A abort"},
        // Without room for a line or a character nothing is printed.
        {"no line fits", "A\rB", 1, 80, 0, 0, 0, PrintOutcome::PaperTooSmall, "abort"},
        {"no character fits", "A\rB", 60, 0, 0, 0, 0, PrintOutcome::PaperTooSmall, "abort"},
    };
    // clang-format on
    for (const Case& c : cases) {
        FakePrinter printer{c.failEnd, c.failStart, c.cancelFrom, 3 * c.charsPerLine / 10};
        TextPages pages;
        pages.Begin(printer.Device(), {10, 3, c.linesPerPage, c.charsPerLine});
        EXPECT_EQ(pages.PrintText(c.text.c_str()), c.outcome) << c.name;
        EXPECT_TRUE(pages.End()) << c.name; // a failure at a page was told by PrintText
        pages.End();                        // ends once
        EXPECT_EQ(printer.log, c.log) << c.name;
        if (c.outcome != PrintOutcome::Printed || c.cancelFrom) continue;
        // A preview records the very pages and lines the printer got.
        std::string recorded;
        for (const RecordedPage& p :
             RecordTextPages(c.text.c_str(), {10, 3, c.linesPerPage, c.charsPerLine}).pages) {
            recorded += recorded.empty() ? "" : "[ ";
            for (const RecordedLine& line : p)
                recorded += std::to_string(line.y / 10) + ":" + line.text + " ";
            recorded += "] ";
        }
        EXPECT_EQ(recorded + "end", c.log) << c.name;
    }
    // The printer refusing the last page (the document is dropped) or the document's end.
    for (bool lastPage : {true, false}) {
        FakePrinter printer{lastPage ? 1 : 0, 0, 0, 24, 0, 0, 0, "", !lastPage};
        TextPages pages;
        pages.Begin(printer.Device(), {10, 3, 60, 80});
        EXPECT_EQ(pages.PrintText("A"), PrintOutcome::Printed);
        EXPECT_FALSE(pages.End());
        EXPECT_EQ(printer.log, lastPage ? "2:A ]! abort" : "2:A ] end!");
    }
    TextPages notStarted; // a job whose start failed: no device to call
    notStarted.End();
}

TEST(TextGrid, LeavesTwoLinesFreeAndEndsLinesAtTheRightEdge) {
    auto grid = [](int lineHeight, int charWidth, int width, int height) {
        TextGrid g = MeasureTextGrid(lineHeight, charWidth, width, height);
        return std::to_string(g.linesPerPage) + " x " + std::to_string(g.charsPerLine);
    };
    EXPECT_EQ(grid(50, 30, 4760, 6800), "134 x 144"); // A4, 600 dpi: 432 + 144 x 30 = 4752
    EXPECT_EQ(grid(50, 30, 9000, 6800), "134 x 255"); // no line longer than the buffer
    EXPECT_EQ(grid(50, 30, 149, 149), "0 x 4");       // 2.98 lines: none left
    EXPECT_EQ(grid(50, 1, 9, 149), "0 x 9");          // a margin that rounds down to nothing
    EXPECT_EQ(grid(0, 0, 4760, 6800), "0 x 0");       // a font without metrics
}

} // namespace
